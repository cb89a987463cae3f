// The clock measurement: the time-stamp counter test, the rate over the sleep, the counters
// that make a measurement unusable, and the conversion of a rate into whole MHz.
#include "checks/ProcessorClock.h"

#include "platform/Platform.h"
#include "platform/simulated/SimulatedPc.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace prereq {
namespace {

constexpr std::uint64_t kInt64Max = std::numeric_limits<std::int64_t>::max();
constexpr std::uint64_t kUint64Max = std::numeric_limits<std::uint64_t>::max();
constexpr std::int32_t kLargestLevel = std::numeric_limits<std::int32_t>::max();

struct CounterCase {
    const char* name;
    bool present;
    bool frozen;
    std::uint64_t start; // the counter's value at the first read
    bool available;
};

TEST(ProcessorClock, TimeStampCounterMustBeReadableAndCountUpwards) {
    // Reads two and three of the test land at start + 1 and start + 2.
    const CounterCase cases[] = {
        {"counting from zero", true, false, 0, true},
        {"no counter", false, false, 0, false},
        {"counter stands still", true, true, 0, false},
        // Low halves 0x7FFFFFFF then 0x80000000: compared unsigned, the second is later.
        {"low half crosses its sign bit", true, false, 0x7FFFFFFEu, true},
        // Low halves 0xFFFFFFFF then 0: the carry into the high half makes the second later.
        {"low half wraps", true, false, 0xFFFFFFFEu, true},
        // High halves 0x7FFFFFFF then 0x80000000: compared signed, the second is earlier.
        {"high half crosses its sign bit", true, false, kInt64Max - 1, false},
        // High halves 0xFFFFFFFF (-1) then 0: compared signed, the second is later.
        {"whole counter wraps", true, false, kUint64Max - 1, true},
    };
    for (const auto& c : cases) {
        SimulatedPc pc = SimulatedPc::windowsNt4();
        pc.hasTimeStampCounter = c.present;
        pc.timeStampCounterFrozen = c.frozen;
        pc.timeStampCounterStart = c.start;
        ScopedPlatform use(pc);
        EXPECT_EQ(isTimeStampCounterAvailable(), c.available) << c.name;
        EXPECT_EQ(pc.timeStampReads, c.present ? 3u : 0u) << c.name;
        EXPECT_EQ(pc.sleptMilliseconds, 0u) << c.name;
    }
}

struct RateCase {
    const char* name;
    long double processorHz;
    std::int64_t ticksPerSecond;
    std::uint64_t counterStart;
    std::uint32_t sleepMilliseconds;
};

TEST(ProcessorClock, MeasuresCyclesPerElapsedSecond) {
    const RateCase cases[] = {
        {"300 MHz, ACPI timer", 300e6L, 3579545, 0, 100},
        {"266 MHz, 10 MHz counter", 266e6L, 10000000, 0, 100},
        {"90 MHz, counter rate of the processor", 90e6L, 90000000, 0, 100},
        {"3.2 GHz, longer sleep", 3.2e9L, 10000000, 0, 250},
        {"counter wraps during the sleep", 300e6L, 10000000, kUint64Max - 1000, 100},
        {"counter beyond the signed range", 300e6L, 10000000, kInt64Max + 10, 100},
    };
    for (const auto& c : cases) {
        SimulatedPc pc = SimulatedPc::windowsNt4();
        pc.processorHz = c.processorHz;
        pc.performanceTicksPerSecond = c.ticksPerSecond;
        pc.timeStampCounterStart = c.counterStart;
        ScopedPlatform use(pc);
        const long double hz = measureProcessorHz(c.sleepMilliseconds);
        // Within 10 ppm: the simulated counters are whole numbers of ticks and cycles.
        EXPECT_NEAR(static_cast<double>(hz), static_cast<double>(c.processorHz),
                    static_cast<double>(c.processorHz) * 1e-5)
            << c.name;
        EXPECT_EQ(pc.sleptMilliseconds, c.sleepMilliseconds) << c.name;
        EXPECT_EQ(pc.timeStampReads, 5u) << c.name; // three to test the counter, two to time
        // Each reading takes the time-stamp counter, then the performance counter; the first read
        // after the sleep only warms the performance counter up.
        EXPECT_EQ(pc.clockCalls, (std::vector<std::string>{"tsc", "tsc", "tsc", "tsc", "counter",
                                                           "sleep", "counter", "tsc", "counter"}))
            << c.name;
    }
}

struct UnusableCase {
    const char* name;
    bool timeStampCounter;
    bool timeStampCounterFrozen;
    std::int64_t ticksPerSecond;
    bool performanceCounterFrozen;
    bool performanceCounterRunsBackwards;
    bool sleeps;
};

TEST(ProcessorClock, UnusableCountersMeasureZero) {
    const UnusableCase cases[] = {
        {"no time-stamp counter", false, false, 3579545, false, false, false},
        {"time-stamp counter stands still", true, true, 3579545, false, false, false},
        {"no performance counter", true, false, 0, false, false, false},
        {"negative performance frequency", true, false, -3579545, false, false, false},
        {"performance counter stands still", true, false, 3579545, true, false, true},
        {"performance counter runs backwards", true, false, 3579545, false, true, true},
    };
    for (const auto& c : cases) {
        SimulatedPc pc = SimulatedPc::windowsNt4();
        pc.hasTimeStampCounter = c.timeStampCounter;
        pc.timeStampCounterFrozen = c.timeStampCounterFrozen;
        pc.performanceTicksPerSecond = c.ticksPerSecond;
        pc.performanceCounterFrozen = c.performanceCounterFrozen;
        pc.performanceCounterRunsBackwards = c.performanceCounterRunsBackwards;
        ScopedPlatform use(pc);
        EXPECT_EQ(measureProcessorHz(100), 0.0L) << c.name;
        EXPECT_EQ(pc.sleptMilliseconds, c.sleeps ? 100u : 0u) << c.name;
    }
}

struct MegahertzCase {
    long double cyclesPerSecond;
    std::int32_t megahertz;
};

TEST(ProcessorClock, RateCountsAsTwoMegahertzMoreTruncated) {
    const long double infinity = std::numeric_limits<long double>::infinity();
    const MegahertzCase cases[] = {
        {264.5e6L, 266},
        {263.9e6L, 265},
        {264e6L, 266}, // exactly: no rounding error may take it below 266
        {265.999999e6L, 267},
        {0, 2},
        {-1.5e6L, 0},
        {-2e6L, 0},
        {-5e6L, 0},
        {2147483644.9e6L, 2147483646},
        {2147483645e6L, kLargestLevel},
        {2147483646e6L, kLargestLevel},
        {1e30L, kLargestLevel},
        {infinity, kLargestLevel},
        {-infinity, 0},
        {std::numeric_limits<long double>::quiet_NaN(), 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(processorMegahertz(c.cyclesPerSecond), c.megahertz)
            << static_cast<double>(c.cyclesPerSecond);
}

} // namespace
} // namespace prereq
