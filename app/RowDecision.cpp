// The row decision and the minimised icon's position.
#include "app/RowDecision.h"

#include "checks/PrerequisiteResult.h"
#include "resources/StringIds.h"

namespace prereq {

RowDecision decideRow(std::int32_t overallStatus) {
    const bool satisfied = overallStatus == Satisfied;
    return RowDecision{!satisfied, !satisfied, satisfied,
                       satisfied ? IDS_PREREQUISITES_SATISFIED : IDS_PREREQUISITES_NOT_SATISFIED};
}

int centredIconOffset(int clientExtent, int iconExtent) {
    // Computed in 64 bits so no pair of int extents can overflow; C++ division truncates
    // toward zero, which is the rounding wanted for a client narrower than the icon.
    const long long offset = (static_cast<long long>(clientExtent) - iconExtent + 1) / 2;
    return static_cast<int>(offset);
}

} // namespace prereq
