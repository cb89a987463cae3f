// ProcessorCheck: a Pentium-class processor, and on Windows NT 4.0 and Windows 2000 its clock
// rate against a product's minimum and recommended speeds.
#pragma once

#include "checks/PrerequisiteResult.h"

#include <cstdint>

namespace prereq {

// Thresholds in MHz for Windows NT 4.0 and Windows 2000. Every other Windows only asks for a
// Pentium-class processor. Constructing one measures the clock for 100 ms.
class ProcessorCheck : public PrerequisiteResult {
public:
    ProcessorCheck(std::int32_t nt4MinimumMhz, std::int32_t nt4RecommendedMhz,
                   std::int32_t nt5MinimumMhz, std::int32_t nt5RecommendedMhz);
};

} // namespace prereq
