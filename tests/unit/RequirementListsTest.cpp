// The three requirement lists: their order, lengths and thresholds across systems, and that
// every probe runs again for each list that holds it.
#include "checks/RequirementSet.h"

#include "platform/Platform.h"
#include "platform/simulated/SimulatedPc.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace prereq {
namespace {

// Builds the lists on pc for one test and releases them afterwards.
class BuiltLists {
public:
    explicit BuiltLists(SimulatedPc& pc) : use_(pc) { buildRequirementLists(); }
    ~BuiltLists() { releaseRequirementLists(); }

private:
    ScopedPlatform use_;
};

std::vector<std::string> prerequisites(const RequirementSet& list) {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < list.size(); ++i)
        names.push_back(list.entries()[i].minimumPrerequisite());
    return names;
}

TEST(RequirementLists, HoldTheProductsEntriesInOrder) {
    SimulatedPc pc = SimulatedPc::windowsNt4();
    BuiltLists lists(pc);
    const std::vector<std::string> installer = {"96 MB RAM",
                                                "Pentium 266 MHz processor    ",
                                                "70 MB available space",
                                                "CD-ROM drive",
                                                "Mouse",
                                                "Remote Access Service (RAS)",
                                                "NT Service Pack 3 or greater",
                                                "Wardline modem driver "};
    const std::vector<std::string> lan = {"32 MB RAM", "Pentium 266 MHz processor    ",
                                          "50 MB available space", "CD-ROM drive"};
    const std::vector<std::string> direct = {"32 MB RAM",
                                             "Pentium 266 MHz processor    ",
                                             "50 MB available space",
                                             "CD-ROM drive",
                                             "Remote Access Service (RAS)",
                                             "NT Service Pack 3 or greater",
                                             "Wardline modem driver "};
    EXPECT_EQ(prerequisites(plinthSetupRequirements), installer);
    EXPECT_EQ(prerequisites(wardlineLanRequirements), lan);
    EXPECT_EQ(prerequisites(wardlineRequirements), direct);
    // The satisfying preset satisfies every entry of every list.
    for (const RequirementSet* list :
         {&plinthSetupRequirements, &wardlineLanRequirements, &wardlineRequirements})
        for (std::size_t i = 0; i < list->size(); ++i)
            EXPECT_EQ(list->entries()[i].status(), Satisfied)
                << list->entries()[i].minimumPrerequisite();
}

struct MemoryCase {
    const char* name;
    SimulatedPc (*preset)();
    std::uint32_t bytes;
    const char* installerMinimum;
    const char* installerRecommended;
    std::int32_t installerStatus;
    std::int32_t consoleStatus;
};

SimulatedPc nt4() {
    return SimulatedPc::windowsNt4();
}

TEST(RequirementLists, MemoryThresholdsDependOnTheSystem) {
    const MemoryCase cases[] = {
        {"Windows 98, 24 MB", SimulatedPc::windows98, 23u << 20, "16 MB RAM", "", BelowRecommended,
         BelowRecommended},
        {"Windows 2000, 100 MB", SimulatedPc::windows2000, 99u << 20, "96 MB RAM", "128 MB RAM",
         BelowRecommended, Satisfied},
        {"NT 4.0, 64 MB", nt4, 63u << 20, "96 MB RAM", "128 MB RAM", NotSatisfied, Satisfied},
        {"Windows 95, 12 MB", SimulatedPc::windows95, 11u << 20, "16 MB RAM", "", NotSatisfied,
         NotSatisfied},
    };
    for (const auto& c : cases) {
        SimulatedPc pc = c.preset();
        pc.setMemoryBytes(c.bytes);
        BuiltLists lists(pc);
        EXPECT_EQ(plinthSetupRequirements.entries()[0].minimumPrerequisite(), c.installerMinimum)
            << c.name;
        EXPECT_EQ(plinthSetupRequirements.entries()[0].recommendedLevel(), c.installerRecommended)
            << c.name;
        EXPECT_EQ(plinthSetupRequirements.entries()[0].status(), c.installerStatus) << c.name;
        EXPECT_EQ(wardlineLanRequirements.entries()[0].status(), c.consoleStatus) << c.name;
        EXPECT_EQ(wardlineRequirements.entries()[0].status(), c.consoleStatus) << c.name;
    }
}

TEST(RequirementLists, SixtyMegabytesFreeSatisfyTheConsolesButNotTheInstaller) {
    SimulatedPc pc = SimulatedPc::windows2000();
    pc.drives.clear();
    pc.addFixedDrive('C', 20);
    pc.addFixedDrive('D', 60);
    BuiltLists lists(pc);
    EXPECT_EQ(plinthSetupRequirements.entries()[2].status(), NotSatisfied);
    EXPECT_EQ(wardlineLanRequirements.entries()[2].status(), Satisfied);
    EXPECT_EQ(wardlineRequirements.entries()[2].status(), Satisfied);
    EXPECT_EQ(plinthSetupRequirements.entries()[2].pcLevel(), "60 MB available space");
}

TEST(RequirementLists, ThreeListsReadEachWindowsFactOnce) {
    struct Case {
        const char* name;
        SimulatedPc pc;
        std::map<std::string, unsigned> calls;
    } cases[] = {
        // Only the drives the PC lists are asked about: C: and the CD-ROM drive D:.
        {"NT 4.0",
         SimulatedPc::windowsNt4(),
         {{"GetDiskFreeSpaceA", 2},
          {"GetDriveTypeA", 2},
          {"GetLogicalDrives", 1},
          {"GetVersionExA", 1},
          {"LoadLibraryA", 2},
          {"LoadStringA", 10}}},
        {"95 without dial-up networking",
         SimulatedPc::windows95(),
         {{"GetDiskFreeSpaceA", 2},
          {"GetDriveTypeA", 2},
          {"GetLogicalDrives", 1},
          {"GetVersionExA", 1},
          {"LoadLibraryA", 1},
          {"LoadStringA", 11}}},
    };
    for (auto& c : cases) {
        BuiltLists lists(c.pc);
        // One 100 ms measurement serves the three lists' processor entries, which so agree.
        EXPECT_EQ(c.pc.sleptMilliseconds, 100u) << c.name;
        EXPECT_EQ(c.pc.callCounts, c.calls) << c.name;
    }
}

TEST(RequirementLists, RebuildingReplacesTheLists) {
    SimulatedPc pc = SimulatedPc::windows98();
    BuiltLists lists(pc);
    buildRequirementLists();
    EXPECT_EQ(plinthSetupRequirements.size(), 8u);
    EXPECT_EQ(wardlineLanRequirements.size(), 4u);
    EXPECT_EQ(wardlineRequirements.size(), 7u);
    releaseRequirementLists();
    EXPECT_EQ(plinthSetupRequirements.size(), 0u);
}

} // namespace
} // namespace prereq
