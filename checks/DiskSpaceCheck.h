// DiskSpaceCheck: the largest free space on any drive from C: to Z: against a product's
// minimum.
#pragma once

#include "checks/PrerequisiteResult.h"

#include <cstdint>

namespace prereq {

class DiskSpaceCheck : public PrerequisiteResult {
public:
    explicit DiskSpaceCheck(std::int32_t minimumFreeMb);
};

} // namespace prereq
