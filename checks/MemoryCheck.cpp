// The memory probe.
#include "checks/MemoryCheck.h"

#include "checks/WindowsVersion.h"
#include "platform/Platform.h"
#include "resources/StringIds.h"

namespace prereq {

namespace {

constexpr std::int32_t kOtherWindowsMinimumMb = 16;

} // namespace

MemoryCheck::MemoryCheck(std::int32_t nt4MinimumMb, std::int32_t nt4RecommendedMb,
                         std::int32_t nt5MinimumMb, std::int32_t nt5RecommendedMb) {
    setMoreInfoPage("");
    std::int32_t minimum = kOtherWindowsMinimumMb;
    std::int32_t recommended = nt4MinimumMb;
    if (isWindowsNT4()) {
        minimum = nt4MinimumMb;
        recommended = nt4RecommendedMb;
        formatRecommendedLevel(recommended, IDS_MB_RAM);
    } else if (isWindowsNT5()) {
        minimum = nt5MinimumMb;
        recommended = nt5RecommendedMb;
        formatRecommendedLevel(recommended, IDS_MB_RAM);
    }

    // The system keeps some memory for itself and reports a little less than is installed, so
    // the whole MB are rounded up by counting one more. At most 4095 + 1: no overflow.
    const auto measured = static_cast<std::int32_t>((platform().totalPhysicalMemory() >> 20) + 1);

    setMinimumPrerequisite(formatLevel(IDS_MB_RAM, minimum));
    setPcLevel(formatLevel(IDS_MB_RAM, measured));
    setShownInReport(1);
    if (measured < minimum)
        setStatus(NotSatisfied);
    else if (measured < recommended)
        setStatus(BelowRecommended);
    else
        setStatus(Satisfied);
}

} // namespace prereq
