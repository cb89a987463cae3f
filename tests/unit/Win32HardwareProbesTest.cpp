// The hardware probes against the real Windows API (under Wine or Windows): the measurements
// they take from a real PC are plausible and come out as finished level texts.
#include "checks/DiskSpaceCheck.h"
#include "checks/MemoryCheck.h"
#include "checks/ProcessorCheck.h"
#include "checks/ProcessorClock.h"

#include "platform/Platform.h"
#include "platform/Win32Services.h"

#include <gtest/gtest.h>

#include <regex>

namespace prereq {
namespace {

TEST(Win32HardwareProbes, MeasureAPlausibleProcessorClock) {
    Win32Services services;
    ScopedPlatform use(services);
    ASSERT_TRUE(isTimeStampCounterAvailable());
    const long double hz = measureProcessorHz(100);
    EXPECT_GT(hz, 10e6L);  // faster than any Pentium
    EXPECT_LT(hz, 100e9L); // and than any processor yet built
    const ProcessorCheck check(1, 1, 1, 1);
    EXPECT_TRUE(
        std::regex_match(check.pcLevel(), std::regex("Pentium [1-9][0-9]+ MHz processor    ")))
        << check.pcLevel();
    EXPECT_EQ(check.status(), Satisfied);
}

TEST(Win32HardwareProbes, ReadMemoryAndFreeSpaceAsLevelTexts) {
    Win32Services services;
    ScopedPlatform use(services);
    const MemoryCheck memory(1, 1, 1, 1);
    EXPECT_TRUE(std::regex_match(memory.pcLevel(), std::regex("[1-9][0-9]* MB RAM")))
        << memory.pcLevel();
    EXPECT_NE(memory.status(), NotSatisfied);
    // C: holds the system, so some space is free on some drive.
    const DiskSpaceCheck disk(1);
    EXPECT_TRUE(std::regex_match(disk.pcLevel(), std::regex("[1-9][0-9]* MB available space")))
        << disk.pcLevel();
    EXPECT_EQ(disk.status(), Satisfied);
}

} // namespace
} // namespace prereq
