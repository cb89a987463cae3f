// The three program-wide requirement lists and their release.
#include "checks/RequirementSet.h"

namespace prereq {

RequirementSet plinthSetupRequirements;
RequirementSet wardlineLanRequirements;
RequirementSet wardlineRequirements;

void RequirementSet::release() {
    while (!entries_.empty())
        entries_.pop_back();
}

void releaseRequirementLists() {
    wardlineRequirements.release();
    wardlineLanRequirements.release();
    plinthSetupRequirements.release();
}

} // namespace prereq
