// The memory probe: the measured MB, the thresholds each Windows uses, and the texts it leaves.
#include "checks/MemoryCheck.h"

#include "platform/Platform.h"
#include "platform/simulated/SimulatedPc.h"
#include "tests/unit/SimulatedSystems.h"

#include <gtest/gtest.h>

namespace prereq {
namespace {

constexpr std::uint32_t mb(std::uint32_t megabytes) {
    return megabytes << 20;
}

struct MemoryCase {
    const char* name;
    System system;
    std::int32_t thresholds[4]; // NT 4.0 minimum, recommended; Windows 2000 minimum, recommended
    std::uint32_t totalPhysicalBytes;
    const char* pcLevel;
    const char* minimumPrerequisite;
    const char* recommendedLevel;
    std::int32_t status;
};

TEST(MemoryCheck, ComparesMeasuredMegabytesWithTheSystemsThresholds) {
    const MemoryCase cases[] = {
        // One MB more than the whole MB reported: just under 96 MB counts as 96.
        {"just under 96 MB",
         System::Nt4,
         {96, 128, 96, 128},
         100663295,
         "96 MB RAM",
         "96 MB RAM",
         "128 MB RAM",
         BelowRecommended},
        {"exactly 96 MB",
         System::Nt4,
         {96, 128, 96, 128},
         100663296,
         "97 MB RAM",
         "96 MB RAM",
         "128 MB RAM",
         BelowRecommended},
        {"NT 4.0, 95 MB",
         System::Nt4,
         {96, 128, 96, 128},
         mb(94),
         "95 MB RAM",
         "96 MB RAM",
         "128 MB RAM",
         NotSatisfied},
        {"NT 4.0, 128 MB",
         System::Nt4,
         {96, 128, 96, 128},
         mb(127),
         "128 MB RAM",
         "96 MB RAM",
         "128 MB RAM",
         Satisfied},
        {"largest memory status",
         System::Nt4,
         {96, 128, 96, 128},
         4294967295u,
         "4096 MB RAM",
         "96 MB RAM",
         "128 MB RAM",
         Satisfied},
        {"no memory reported",
         System::Nt4,
         {96, 128, 96, 128},
         0,
         "1 MB RAM",
         "96 MB RAM",
         "128 MB RAM",
         NotSatisfied},
        {"Windows 2000 uses its own pair",
         System::Windows2000,
         {32, 64, 96, 128},
         mb(63),
         "64 MB RAM",
         "96 MB RAM",
         "128 MB RAM",
         NotSatisfied},
        {"Windows 2000, between",
         System::Windows2000,
         {32, 64, 96, 128},
         mb(100),
         "101 MB RAM",
         "96 MB RAM",
         "128 MB RAM",
         BelowRecommended},
        {"Windows 2000, enough",
         System::Windows2000,
         {32, 64, 96, 128},
         mb(200),
         "201 MB RAM",
         "96 MB RAM",
         "128 MB RAM",
         Satisfied},
        // Other Windows: at least 16 MB, the NT 4.0 minimum recommended but never printed.
        {"Windows 98, 20 MB",
         System::Windows98,
         {32, 64, 32, 64},
         mb(19),
         "20 MB RAM",
         "16 MB RAM",
         "",
         BelowRecommended},
        {"Windows 98, 15 MB",
         System::Windows98,
         {32, 64, 32, 64},
         mb(14),
         "15 MB RAM",
         "16 MB RAM",
         "",
         NotSatisfied},
        {"Windows 98, 16 MB",
         System::Windows98,
         {32, 64, 32, 64},
         mb(15),
         "16 MB RAM",
         "16 MB RAM",
         "",
         BelowRecommended},
        {"Windows 95, 32 MB",
         System::Windows95,
         {32, 64, 32, 64},
         mb(31),
         "32 MB RAM",
         "16 MB RAM",
         "",
         Satisfied},
        {"negative thresholds are compared signed",
         System::Nt4,
         {-1, -1, 0, 0},
         0,
         "1 MB RAM",
         "-1 MB RAM",
         "-1 MB RAM",
         Satisfied},
    };
    for (const auto& c : cases) {
        SimulatedPc pc = pcRunning(c.system);
        pc.setMemoryBytes(c.totalPhysicalBytes);
        ScopedPlatform use(pc);
        const MemoryCheck check(c.thresholds[0], c.thresholds[1], c.thresholds[2], c.thresholds[3]);
        EXPECT_EQ(check.pcLevel(), c.pcLevel) << c.name;
        EXPECT_EQ(check.minimumPrerequisite(), c.minimumPrerequisite) << c.name;
        EXPECT_EQ(check.recommendedLevel(), c.recommendedLevel) << c.name;
        EXPECT_EQ(check.status(), c.status) << c.name;
        EXPECT_EQ(check.shownInReport(), 1) << c.name;
        EXPECT_EQ(check.moreInfoPage(), "") << c.name;
    }
}

TEST(MemoryCheck, UnknownNtVersionIsTreatedAsOtherWindows) {
    SimulatedPc pc = SimulatedPc::windowsNt4();
    pc.version.majorVersion = 6;
    pc.setMemoryBytes(mb(40));
    ScopedPlatform use(pc);
    const MemoryCheck check(96, 128, 96, 128);
    EXPECT_EQ(check.minimumPrerequisite(), "16 MB RAM");
    EXPECT_EQ(check.recommendedLevel(), "");
    EXPECT_EQ(check.status(), BelowRecommended);
}

} // namespace
} // namespace prereq
