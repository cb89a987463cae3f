// Measuring the processor's clock rate through the platform's counters.
#include "checks/ProcessorClock.h"

#include "platform/Platform.h"

#include <limits>

namespace prereq {

namespace {

// Whether second is later than first, compared as two 32-bit halves: the high halves as signed
// numbers, then the low halves as unsigned ones.
bool isLater(std::uint64_t second, std::uint64_t first) {
    const auto secondHigh = static_cast<std::int32_t>(second >> 32);
    const auto firstHigh = static_cast<std::int32_t>(first >> 32);
    if (secondHigh != firstHigh)
        return secondHigh > firstHigh;
    return static_cast<std::uint32_t>(second) > static_cast<std::uint32_t>(first);
}

// later - earlier as a signed 64-bit count. The subtraction is done unsigned so that counters
// far apart (or wrapped) give the two's-complement difference instead of an overflow.
std::int64_t difference(std::uint64_t later, std::uint64_t earlier) {
    return static_cast<std::int64_t>(later - earlier);
}

} // namespace

bool isTimeStampCounterAvailable() {
    WindowsServices& services = platform();
    // The first read only finds out whether the processor lets the counter be read at all.
    std::uint64_t probe = 0;
    if (!services.readTimeStampCounter(probe))
        return false;
    std::uint64_t first = 0;
    std::uint64_t second = 0;
    if (!services.readTimeStampCounter(first) || !services.readTimeStampCounter(second))
        return false;
    return isLater(second, first);
}

long double measureProcessorHz(std::uint32_t sleepMilliseconds) {
    if (!isTimeStampCounterAvailable())
        return 0;
    WindowsServices& services = platform();
    // Without a high-resolution counter there is nothing to time the cycles against.
    std::int64_t ticksPerSecond = 0;
    if (!services.performanceFrequency(ticksPerSecond) || ticksPerSecond <= 0)
        return 0;

    std::uint64_t firstCycles = 0;
    std::int64_t firstTicks = 0;
    if (!services.readTimeStampCounter(firstCycles) || !services.performanceCounter(firstTicks))
        return 0;
    services.sleep(sleepMilliseconds);
    // The first performance-counter read after a sleep can be slow (under Wine 5 to 60 µs,
    // against 0.2 µs once warm). Between the two readings below, that delay would count as
    // time in which the processor did not run: one read beforehand keeps it out.
    std::int64_t warmUp = 0;
    services.performanceCounter(warmUp);
    std::uint64_t secondCycles = 0;
    std::int64_t secondTicks = 0;
    if (!services.readTimeStampCounter(secondCycles) || !services.performanceCounter(secondTicks))
        return 0;

    const std::int64_t cycles = difference(secondCycles, firstCycles);
    const std::int64_t ticks =
        difference(static_cast<std::uint64_t>(secondTicks), static_cast<std::uint64_t>(firstTicks));
    // A counter that stood still or ran backwards measured no time at all.
    if (ticks <= 0)
        return 0;
    const long double seconds =
        static_cast<long double>(ticks) / static_cast<long double>(ticksPerSecond);
    return static_cast<long double>(cycles) / seconds;
}

std::int32_t runProcessorMegahertz(std::uint32_t sleepMilliseconds) {
    static bool measured = false;
    static unsigned measuredOn = 0;
    static std::int32_t megahertz = 0;
    if (!measured || measuredOn != platformGeneration()) {
        megahertz = processorMegahertz(measureProcessorHz(sleepMilliseconds));
        measured = true;
        measuredOn = platformGeneration();
    }
    return megahertz;
}

std::int32_t processorMegahertz(long double cyclesPerSecond) {
    // Divided rather than multiplied by 0.000001, which has no exact binary form: 264,000,000
    // cycles per second must count as 266 MHz, not 265.
    const long double megahertz = cyclesPerSecond / 1000000.0L + 2.0L;
    if (!(megahertz >= 0.0L))
        return 0;
    constexpr auto largest = std::numeric_limits<std::int32_t>::max();
    if (megahertz >= static_cast<long double>(largest) + 1.0L)
        return largest;
    return static_cast<std::int32_t>(megahertz);
}

} // namespace prereq
