// The processor probe: processor class, measured MHz against each system's thresholds, and the
// texts it leaves.
#include "checks/ProcessorCheck.h"

#include "platform/Platform.h"
#include "platform/simulated/SimulatedPc.h"
#include "tests/unit/SimulatedSystems.h"

#include <gtest/gtest.h>

namespace prereq {
namespace {

const char kPentium266[] = "Pentium 266 MHz processor    ";

struct ProcessorCase {
    const char* name;
    System system;
    std::int32_t thresholds[4]; // NT 4.0 minimum, recommended; Windows 2000 minimum, recommended
    std::uint32_t processorCode;
    long double processorHz;
    bool timeStampCounter;
    const char* pcLevel;
    const char* minimumPrerequisite;
    const char* recommendedLevel;
    std::int32_t status;
};

TEST(ProcessorCheck, ComparesPentiumClassAndSpeedWithTheSystemsThresholds) {
    const ProcessorCase cases[] = {
        {"264.5 MHz counts as 266",
         System::Nt4,
         {266, 266, 266, 266},
         586,
         264.5e6L,
         true,
         kPentium266,
         kPentium266,
         kPentium266,
         Satisfied},
        {"263.9 MHz counts as 265",
         System::Nt4,
         {266, 266, 266, 266},
         586,
         263.9e6L,
         true,
         "Pentium 265 MHz processor    ",
         kPentium266,
         kPentium266,
         NotSatisfied},
        {"between minimum and recommended",
         System::Nt4,
         {200, 300, 400, 500},
         586,
         250e6L,
         true,
         "Pentium 252 MHz processor    ",
         "Pentium 200 MHz processor    ",
         "Pentium 300 MHz processor    ",
         BelowRecommended},
        {"Windows 2000 uses its own pair",
         System::Windows2000,
         {100, 100, 400, 500},
         586,
         450e6L,
         true,
         "Pentium 452 MHz processor    ",
         "Pentium 400 MHz processor    ",
         "Pentium 500 MHz processor    ",
         BelowRecommended},
        {"NT 4.0 486 however fast",
         System::Nt4,
         {266, 266, 266, 266},
         486,
         1e9L,
         true,
         "not Pentium processor",
         kPentium266,
         kPentium266,
         NotSatisfied},
        {"code just below Pentium",
         System::Windows2000,
         {0, 0, 0, 0},
         585,
         1e9L,
         true,
         "not Pentium processor",
         "Pentium processor",
         "Pentium 0 MHz processor    ",
         NotSatisfied},
        // Processor codes are unsigned: a code with its top bit set is above Pentium class.
        {"top-bit processor code",
         System::Nt4,
         {266, 266, 266, 266},
         0x80000000u,
         300e6L,
         true,
         "Pentium 302 MHz processor    ",
         kPentium266,
         kPentium266,
         Satisfied},
        {"64-bit processor code",
         System::Windows2000,
         {266, 266, 266, 266},
         8664,
         3e9L,
         true,
         "Pentium 3002 MHz processor    ",
         kPentium266,
         kPentium266,
         Satisfied},
        {"Windows 95 Pentium at any speed",
         System::Windows95,
         {266, 266, 266, 266},
         586,
         60e6L,
         true,
         "Pentium 62 MHz processor    ",
         "Pentium processor",
         "",
         Satisfied},
        {"Windows 98 486",
         System::Windows98,
         {266, 266, 266, 266},
         486,
         300e6L,
         true,
         "not Pentium processor",
         "Pentium processor",
         "",
         NotSatisfied},
        {"NT 4.0 without time-stamp counter",
         System::Nt4,
         {266, 266, 266, 266},
         586,
         300e6L,
         false,
         "Pentium 2 MHz processor    ",
         kPentium266,
         kPentium266,
         NotSatisfied},
        {"Windows 98 without time-stamp counter",
         System::Windows98,
         {266, 266, 266, 266},
         586,
         300e6L,
         false,
         "Pentium 2 MHz processor    ",
         "Pentium processor",
         "",
         Satisfied},
        {"negative minimum",
         System::Nt4,
         {-5, 0, 266, 266},
         586,
         300e6L,
         true,
         "Pentium 302 MHz processor    ",
         "Pentium processor",
         "Pentium 0 MHz processor    ",
         Satisfied},
        {"clock beyond any level",
         System::Nt4,
         {266, 266, 266, 266},
         586,
         1e18L,
         true,
         "Pentium 2147483647 MHz processor    ",
         kPentium266,
         kPentium266,
         Satisfied},
    };
    for (const auto& c : cases) {
        SimulatedPc pc = pcRunning(c.system);
        pc.processorCode = c.processorCode;
        pc.processorHz = c.processorHz;
        pc.performanceTicksPerSecond = 10000000;
        pc.hasTimeStampCounter = c.timeStampCounter;
        ScopedPlatform use(pc);
        const ProcessorCheck check(c.thresholds[0], c.thresholds[1], c.thresholds[2],
                                   c.thresholds[3]);
        EXPECT_EQ(check.pcLevel(), c.pcLevel) << c.name;
        EXPECT_EQ(check.minimumPrerequisite(), c.minimumPrerequisite) << c.name;
        EXPECT_EQ(check.recommendedLevel(), c.recommendedLevel) << c.name;
        EXPECT_EQ(check.status(), c.status) << c.name;
        EXPECT_EQ(check.shownInReport(), 1) << c.name;
        EXPECT_EQ(check.moreInfoPage(), "") << c.name;
    }
}

// One measurement of 100 ms a run: every later check judges the same figure, and the next PC
// is measured anew.
TEST(ProcessorCheck, MeasuresForOneHundredMillisecondsOnceARun) {
    for (int run = 0; run < 2; ++run) {
        SimulatedPc pc = SimulatedPc::windowsNt4();
        ScopedPlatform use(pc);
        EXPECT_EQ(ProcessorCheck(266, 266, 266, 266).status(), Satisfied);
        EXPECT_EQ(pc.sleptMilliseconds, 100u);
        EXPECT_EQ(ProcessorCheck(266, 266, 266, 266).status(), Satisfied);
        EXPECT_EQ(pc.sleptMilliseconds, 100u);
    }
}

} // namespace
} // namespace prereq
