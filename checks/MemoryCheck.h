// MemoryCheck: the installed memory against a product's minimum and recommended levels.
#pragma once

#include "checks/PrerequisiteResult.h"

#include <cstdint>

namespace prereq {

// Thresholds in MB for Windows NT 4.0 and Windows 2000. Every other Windows asks for 16 MB at
// least and recommends the NT 4.0 minimum, without printing a recommended level.
class MemoryCheck : public PrerequisiteResult {
public:
    MemoryCheck(std::int32_t nt4MinimumMb, std::int32_t nt4RecommendedMb, std::int32_t nt5MinimumMb,
                std::int32_t nt5RecommendedMb);
};

} // namespace prereq
