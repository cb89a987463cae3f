// The processor probe.
#include "checks/ProcessorCheck.h"

#include "checks/ProcessorClock.h"
#include "checks/WindowsVersion.h"
#include "platform/PcSnapshot.h"
#include "platform/Platform.h"
#include "resources/StringIds.h"

namespace prereq {

namespace {

constexpr std::uint32_t kClockMeasurementMilliseconds = 100;

} // namespace

ProcessorCheck::ProcessorCheck(std::int32_t nt4MinimumMhz, std::int32_t nt4RecommendedMhz,
                               std::int32_t nt5MinimumMhz, std::int32_t nt5RecommendedMhz) {
    setMoreInfoPage("");
    std::int32_t minimum = 0;
    std::int32_t recommended = 0;
    if (isWindowsNT4()) {
        minimum = nt4MinimumMhz;
        recommended = nt4RecommendedMhz;
        formatRecommendedLevel(recommended, IDS_PENTIUM_MHZ);
    } else if (isWindowsNT5()) {
        minimum = nt5MinimumMhz;
        recommended = nt5RecommendedMhz;
        formatRecommendedLevel(recommended, IDS_PENTIUM_MHZ);
    }
    setShownInReport(1);

    const std::uint32_t processorCode = platform().processorType();
    const std::int32_t measured = runProcessorMegahertz(kClockMeasurementMilliseconds);

    setMinimumPrerequisite(minimum <= 0 ? snapshot().string(IDS_PENTIUM)
                                        : formatLevel(IDS_PENTIUM_MHZ, minimum));
    setPcLevel(formatLevel(IDS_PENTIUM_MHZ, measured));
    if (processorCode < kProcessorPentium) {
        // A processor below Pentium class fails however fast it is.
        setPcLevel(snapshot().string(IDS_NOT_PENTIUM));
        setStatus(NotSatisfied);
    } else if (measured < minimum) {
        setStatus(NotSatisfied);
    } else if (measured < recommended) {
        setStatus(BelowRecommended);
    } else {
        setStatus(Satisfied);
    }
}

} // namespace prereq
