// ProductAssessment: a product's verdict from its requirement list, the opening of its report,
// and the three products of the main dialog. The report writer lives in StatusReport.cpp.
#include "report/ProductAssessment.h"

#include "app/DocumentLauncher.h"
#include "checks/RequirementSet.h"
#include "platform/Paths.h"
#include "platform/Platform.h"
#include "report/ProductNames.h"

#include <algorithm>
#include <utility>

namespace prereq {

namespace {

// A list that holds fewer entries than its product documents (one not built yet) is assessed
// over the entries it has, never past its end.
int availableEntries(const RequirementSet& list, int documentedCount) {
    return static_cast<int>(
        std::min<std::size_t>(static_cast<std::size_t>(documentedCount), list.size()));
}

} // namespace

ProductAssessment::ProductAssessment(const PrerequisiteResult* requirements,
                                     std::string productName, int entryCount,
                                     std::string reportFileName, ReportDestination destination)
    : requirements_(requirements), entryCount_(requirements ? std::max(entryCount, 0) : 0),
      reportFileName_(std::move(reportFileName)), productName_(std::move(productName)) {
    computeOverallStatus(entryCount_);
    if (overallStatus_ != Satisfied && destination.write)
        writeReport(entryCount_, pathIn(destination.folder, reportFileName_));
}

ProductAssessment::~ProductAssessment() {
    if (reportFile_)
        platform().closeFile(reportFile_);
}

void ProductAssessment::computeOverallStatus(int entryCount) {
    for (int index = 0; index < entryCount; ++index) {
        const std::int32_t status = requirements_[index].status();
        if (status == NotSatisfied) {
            setOverallStatus(NotSatisfied);
        } else if (status == BelowRecommended) {
            // Below-recommended decides the verdict and the two-table report on its own.
            setOverallStatus(BelowRecommended);
            return;
        }
    }
}

void ProductAssessment::openReport() {
    reportFileName_ = openDocument(reportFileName_);
}

PlinthSetupProduct::PlinthSetupProduct(ReportDestination destination)
    : ProductAssessment(plinthSetupRequirements.entries(), std::string(kProductNames[0]),
                        availableEntries(plinthSetupRequirements, 8), "PlinthSetupStatus.htm",
                        std::move(destination)) {}

WardlineProduct::WardlineProduct(ReportDestination destination)
    : ProductAssessment(wardlineRequirements.entries(), std::string(kProductNames[1]),
                        availableEntries(wardlineRequirements, 7), "WardlineStatus.htm",
                        std::move(destination)) {}

WardlineProduct::~WardlineProduct() = default;

WardlineLanProduct::WardlineLanProduct(ReportDestination destination)
    : ProductAssessment(wardlineLanRequirements.entries(), std::string(kProductNames[2]),
                        availableEntries(wardlineLanRequirements, 4), "WardlineLANStatus.htm",
                        std::move(destination)) {}

WardlineLanProduct::~WardlineLanProduct() = default;

} // namespace prereq
