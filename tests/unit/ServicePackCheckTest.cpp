// The service-pack check: the whole-text verdict on Windows NT 4, the help page chosen by the
// remote-access check, and the fixed answer on every other system.
#include "checks/ServicePackCheck.h"

#include "SoftwareCheckFixtures.h"
#include "platform/Platform.h"

#include <gtest/gtest.h>

namespace prereq {
namespace {

using namespace testing_support;

struct Nt4Case {
    const char* servicePack;
    bool remoteAccess;
    PrerequisiteStatus status;
    const char* page;
};

TEST(ServicePackCheck, OnNt4ComparesTheWholeServicePackText) {
    const Nt4Case cases[] = {
        {"Service Pack 6", true, Satisfied, "ntsp.html"},
        {"Service Pack 3", true, Satisfied, "ntsp.html"},
        {"", true, NotSatisfied, "ntsp.html"},
        {"Service Pack 1", true, NotSatisfied, "ntsp.html"},
        {"Service Pack 2", true, NotSatisfied, "ntsp.html"},
        {"service pack 2", true, Satisfied, "ntsp.html"},
        {"SERVICE PACK 1", true, Satisfied, "ntsp.html"},
        {"Service Pack 2 ", true, Satisfied, "ntsp.html"},
        {"Service Pack 2a", true, Satisfied, "ntsp.html"},
        {" ", true, Satisfied, "ntsp.html"},
        // Without the Remote Access Service only the help page changes.
        {"Service Pack 6", false, Satisfied, "rasfirst.html"},
        {"Service Pack 1", false, NotSatisfied, "rasfirst.html"},
        {"", false, NotSatisfied, "rasfirst.html"},
    };
    for (const auto& c : cases) {
        SimulatedPc pc = SimulatedPc::windowsNt4(c.servicePack);
        if (!c.remoteAccess)
            pc.removeRemoteAccess();
        ScopedPlatform use(pc);
        const ServicePackCheck check;
        EXPECT_EQ(check.status(), c.status) << '"' << c.servicePack << '"';
        EXPECT_EQ(check.pcLevel(), c.servicePack);
        EXPECT_EQ(check.moreInfoPage(), c.page) << c.servicePack;
        EXPECT_EQ(check.minimumPrerequisite(), "NT Service Pack 3 or greater");
        EXPECT_EQ(check.shownInReport(), 1);
        EXPECT_EQ(check.recommendedLevel(), "");
    }
}

TEST(ServicePackCheck, EveryOtherSystemIsSatisfiedAndLeftOutOfTheReport) {
    struct OtherCase {
        const char* name;
        SimulatedPc pc;
    };
    SimulatedPc failing = SimulatedPc::windowsNt4("Service Pack 1");
    failing.versionQueryFails = true;
    SimulatedPc nt351 = SimulatedPc::windowsNt4("Service Pack 1");
    nt351.version.majorVersion = 3;
    OtherCase cases[] = {
        {"2000", SimulatedPc::windows2000()},
        {"95", SimulatedPc::windows95()},
        {"98", SimulatedPc::windows98()},
        {"version query fails", failing},
        {"NT 3.51", nt351},
    };
    for (auto& c : cases) {
        ScopedPlatform use(c.pc);
        const ServicePackCheck check;
        EXPECT_EQ(check.status(), Satisfied) << c.name;
        EXPECT_EQ(check.pcLevel(), "Not a WINDOWS NT System - SP3 Not Installed") << c.name;
        EXPECT_EQ(check.shownInReport(), 0) << c.name;
        EXPECT_EQ(check.moreInfoPage(), "") << c.name;
        EXPECT_EQ(check.minimumPrerequisite(), "NT Service Pack 3 or greater") << c.name;
        // No remote-access check runs.
        EXPECT_EQ(joined(c.pc.loadedLibraries), "") << c.name;
        EXPECT_EQ(openedKeys(c.pc), "") << c.name;
    }
}

} // namespace
} // namespace prereq
