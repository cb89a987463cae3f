// The mouse probe: present or not, and in which systems' reports it is a row.
#include "checks/MouseCheck.h"

#include "platform/Platform.h"
#include "platform/simulated/SimulatedPc.h"
#include "tests/unit/SimulatedSystems.h"

#include <gtest/gtest.h>

namespace prereq {
namespace {

struct MouseCase {
    const char* name;
    System system;
    bool mousePresent;
    std::int32_t status;
    const char* pcLevel;
    std::int32_t shownInReport;
};

TEST(MouseCheck, FindsTheMouseAndShowsItOnlyOnNt) {
    const MouseCase cases[] = {
        {"NT 4.0 with mouse", System::Nt4, true, Satisfied, "Mouse", 1},
        {"NT 4.0 without mouse", System::Nt4, false, NotSatisfied, "no Mouse", 1},
        {"Windows 2000 without mouse", System::Windows2000, false, NotSatisfied, "no Mouse", 1},
        {"Windows 98 without mouse", System::Windows98, false, NotSatisfied, "no Mouse", 0},
        {"Windows 95 with mouse", System::Windows95, true, Satisfied, "Mouse", 0},
    };
    for (const auto& c : cases) {
        SimulatedPc pc = pcRunning(c.system);
        pc.mousePresent = c.mousePresent;
        ScopedPlatform use(pc);
        const MouseCheck check;
        EXPECT_EQ(check.status(), c.status) << c.name;
        EXPECT_EQ(check.pcLevel(), c.pcLevel) << c.name;
        EXPECT_EQ(check.minimumPrerequisite(), "Mouse") << c.name;
        EXPECT_EQ(check.shownInReport(), c.shownInReport) << c.name;
        EXPECT_EQ(check.recommendedLevel(), "") << c.name;
        EXPECT_EQ(check.moreInfoPage(), "") << c.name;
    }
}

TEST(MouseCheck, FailedVersionQueryLeavesTheRowOut) {
    SimulatedPc pc = SimulatedPc::windowsNt4();
    pc.versionQueryFails = true;
    ScopedPlatform use(pc);
    const MouseCheck check;
    EXPECT_EQ(check.status(), Satisfied);
    EXPECT_EQ(check.shownInReport(), 0);
}

} // namespace
} // namespace prereq
