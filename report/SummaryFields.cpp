// The shared fields of the console program's summaries.
#include "report/SummaryFields.h"

namespace prereq {

const char* statusName(std::int32_t status) {
    if (status == NotSatisfied)
        return "not-satisfied";
    return status == BelowRecommended ? "below-recommended" : "satisfied";
}

std::int32_t summaryVerdict(const ProductAssessment& product) {
    if (product.overallStatus() == Satisfied)
        return Satisfied;
    for (int index = 0; index < product.entryCount(); ++index)
        if (product.requirements()[index].status() == NotSatisfied)
            return NotSatisfied;
    return product.overallStatus();
}

std::string helpPage(const PrerequisiteResult& entry) {
    return entry.status() == NotSatisfied ? entry.moreInfoPage() : std::string();
}

std::vector<const PrerequisiteResult*> shownEntries(const ProductAssessment& product) {
    std::vector<const PrerequisiteResult*> shown;
    for (int index = 0; index < product.entryCount(); ++index)
        if (product.requirements()[index].shownInReport())
            shown.push_back(&product.requirements()[index]);
    return shown;
}

} // namespace prereq
