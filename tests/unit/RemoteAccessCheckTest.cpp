// The remote-access check on the four systems: which libraries, exports and keys make the dial-up
// software count as installed, in which order they are tried and which libraries are released.
#include "checks/RemoteAccessCheck.h"

#include "SoftwareCheckFixtures.h"
#include "platform/Platform.h"

#include <gtest/gtest.h>

namespace prereq {
namespace {

using namespace testing_support;

constexpr bool kInstalled = true;
constexpr bool kNotInstalled = false;

struct RemoteAccessCase {
    const char* name;
    System system;
    bool clsidKey, msdunKey, rasadmin;
    const char* rasapi32; // its exports; null: no such library
    const char* rnaph;    // its exports; null: no such library
    bool installed;
    const char* loads; // libraries loaded, in order
    const char* frees; // libraries released, in order
    const char* keys;  // keys opened, in order
};

const char kFullRasApi[] = "RasSetEntryPropertiesA RasDialA";
const char kDunRasApi[] = "RasSetEntryProperties RasSetEntryPropertiesA RasDialA";

const RemoteAccessCase kCases[] = {
    // The Remote Access Service.
    {"NT4 full", System::Nt4, false, false, true, kFullRasApi, nullptr, kInstalled,
     "rasadmin.dll rasapi32.dll", "", ""},
    {"NT4 without rasadmin", System::Nt4, false, false, false, kFullRasApi, nullptr, kNotInstalled,
     "rasapi32.dll", "", ""},
    {"NT4 without rasapi32", System::Nt4, false, false, true, nullptr, nullptr, kNotInstalled,
     "rasadmin.dll", "", ""},
    {"NT4 export without A", System::Nt4, false, false, true, "RasSetEntryProperties RasDialA",
     nullptr, kNotInstalled, "rasadmin.dll rasapi32.dll", "", ""},
    {"NT4 ignores dial-up keys", System::Nt4, true, true, false, kDunRasApi,
     "RasSetEntryProperties", kNotInstalled, "rasapi32.dll", "", ""},
    {"2000 full", System::Windows2000, false, false, true, kFullRasApi, nullptr, kInstalled,
     "rasadmin.dll rasapi32.dll", "", ""},
    {"2000 without rasadmin", System::Windows2000, false, false, false, kFullRasApi, nullptr,
     kInstalled, "rasapi32.dll", "", ""},
    {"2000 without rasapi32", System::Windows2000, false, false, true, nullptr, nullptr,
     kNotInstalled, "rasadmin.dll", "", ""},
    {"2000 export missing", System::Windows2000, false, false, true, "RasDialA", nullptr,
     kNotInstalled, "rasadmin.dll rasapi32.dll", "", ""},
    // Dial-Up Networking on Windows 95.
    {"95 full", System::Windows95, true, true, false, kDunRasApi, nullptr, kInstalled,
     "rasapi32.dll", "", "CLSID MSDUN"},
    {"95 no CLSID: no second chance", System::Windows95, false, true, false, kDunRasApi,
     "RasSetEntryProperties", kNotInstalled, "", "", ""},
    {"95 no MSDUN, no rnaph", System::Windows95, true, false, false, kDunRasApi, nullptr,
     kNotInstalled, "rasapi32.dll", "", "CLSID"},
    // rasapi32.dll, still loaded from the first look, is not loaded a second time.
    {"95 no MSDUN, second chance", System::Windows95, true, false, false, kDunRasApi,
     "RasSetEntryProperties", kInstalled, "rasapi32.dll rnaph.dll", "", "CLSID"},
    {"95 only the A export, second chance", System::Windows95, true, true, false, kFullRasApi,
     "RasSetEntryProperties", kInstalled, "rasapi32.dll rnaph.dll rasapi32.dll", "rasapi32.dll",
     "CLSID"},
    {"95 only the A export, no rnaph", System::Windows95, true, true, false, kFullRasApi, nullptr,
     kNotInstalled, "rasapi32.dll", "rasapi32.dll", "CLSID"},
    {"95 rnaph without its export", System::Windows95, true, true, false, kFullRasApi,
     "RasSetEntryPropertiesA", kNotInstalled, "rasapi32.dll rnaph.dll", "rasapi32.dll rnaph.dll",
     "CLSID"},
    {"95 second chance without RasDialA", System::Windows95, true, true, false, "RasHangUpA",
     "RasSetEntryProperties", kNotInstalled, "rasapi32.dll rnaph.dll rasapi32.dll",
     "rasapi32.dll rnaph.dll rasapi32.dll", "CLSID"},
    {"95 no rasapi32, rnaph only", System::Windows95, true, true, false, nullptr,
     "RasSetEntryProperties", kNotInstalled, "rnaph.dll", "rnaph.dll", "CLSID"},
    // Dial-Up Networking on Windows 98: the MSDUN key is never looked at.
    {"98 full", System::Windows98, true, true, false, kDunRasApi, nullptr, kInstalled,
     "rasapi32.dll", "", "CLSID"},
    {"98 without MSDUN", System::Windows98, true, false, false, kDunRasApi, nullptr, kInstalled,
     "rasapi32.dll", "", "CLSID"},
    {"98 no CLSID", System::Windows98, false, true, false, kDunRasApi, "RasSetEntryProperties",
     kNotInstalled, "", "", ""},
    {"98 only the A export, second chance", System::Windows98, true, true, false, kFullRasApi,
     "RasSetEntryProperties", kInstalled, "rasapi32.dll rnaph.dll rasapi32.dll", "rasapi32.dll",
     "CLSID"},
    {"98 nothing but the key", System::Windows98, true, false, false, nullptr, nullptr,
     kNotInstalled, "", "", "CLSID"},
};

SimulatedPc pcFor(const RemoteAccessCase& c) {
    SimulatedPc pc = pcRunning(c.system);
    pc.removeRemoteAccess();
    if (c.clsidKey)
        pc.addKey(kDialUpClsidKey);
    if (c.msdunKey)
        pc.addKey(kDialUpUninstallKey);
    if (c.rasadmin)
        pc.addLibrary("rasadmin.dll", {});
    if (c.rasapi32)
        pc.addLibrary("rasapi32.dll", words(c.rasapi32));
    if (c.rnaph)
        pc.addLibrary("rnaph.dll", words(c.rnaph));
    return pc;
}

TEST(RemoteAccessCheck, DecidesFromLibrariesExportsAndKeys) {
    for (const auto& c : kCases) {
        SimulatedPc pc = pcFor(c);
        ScopedPlatform use(pc);
        const RemoteAccessCheck check;
        EXPECT_EQ(check.status(), c.installed ? Satisfied : NotSatisfied) << c.name;
        EXPECT_EQ(joined(pc.loadedLibraries), c.loads) << c.name;
        EXPECT_EQ(joined(pc.freedLibraries), c.frees) << c.name;
        EXPECT_EQ(openedKeys(pc), c.keys) << c.name;
        // An export is looked up only in a library that loaded.
        if (pc.loadedLibraries.empty()) {
            EXPECT_EQ(joined(pc.exportLookups), "") << c.name;
        }
    }
}

TEST(RemoteAccessCheck, KeyOrLibraryThatCannotBeUsedCountsAsMissing) {
    {
        SimulatedPc pc = SimulatedPc::windows98();
        pc.registry[kDialUpClsidKey].openable = false;
        ScopedPlatform use(pc);
        EXPECT_EQ(RemoteAccessCheck().status(), NotSatisfied);
        EXPECT_EQ(joined(pc.loadedLibraries), "");
    }
    {
        SimulatedPc pc = SimulatedPc::windowsNt4();
        pc.libraries["rasadmin.dll"].loads = false;
        ScopedPlatform use(pc);
        EXPECT_EQ(RemoteAccessCheck().pcLevel(), "RAS not installed");
    }
}

struct TextCase {
    System system;
    const char* minimum;
    const char* page;
    const char* installedLevel;
    const char* missingLevel;
};

TEST(RemoteAccessCheck, TextsAndHelpPageDependOnlyOnTheSystem) {
    const TextCase cases[] = {
        {System::Nt4, "Remote Access Service (RAS)", "ras.html", "RAS installed",
         "RAS not installed"},
        {System::Windows2000, "Remote Access Service (RAS)", "ras.html", "RAS installed",
         "RAS not installed"},
        {System::Windows95, "Dial Up Networking (DUN) 1.2", "dun95.html", "DUN installed",
         "DUN not installed"},
        {System::Windows98, "Dial Up Networking (DUN) 1.2", "dunosr298.html", "DUN installed",
         "DUN not installed"},
    };
    for (const auto& c : cases) {
        for (const bool installed : {true, false}) {
            SimulatedPc pc = pcRunning(c.system);
            if (!installed)
                pc.removeRemoteAccess();
            ScopedPlatform use(pc);
            const RemoteAccessCheck check;
            EXPECT_EQ(check.minimumPrerequisite(), c.minimum) << nameOf(c.system);
            EXPECT_EQ(check.moreInfoPage(), c.page) << nameOf(c.system);
            EXPECT_EQ(check.pcLevel(), installed ? c.installedLevel : c.missingLevel)
                << nameOf(c.system);
            EXPECT_EQ(check.status(), installed ? Satisfied : NotSatisfied) << nameOf(c.system);
            EXPECT_EQ(check.shownInReport(), 1);
            EXPECT_EQ(check.recommendedLevel(), "");
        }
    }
}

TEST(RemoteAccessCheck, OneLookAtTheLibrariesServesTheRun) {
    SimulatedPc pc = SimulatedPc::windows2000();
    {
        ScopedPlatform use(pc);
        EXPECT_EQ(RemoteAccessCheck().status(), Satisfied);
        EXPECT_EQ(RemoteAccessCheck().status(), Satisfied);
    }
    EXPECT_EQ(pc.callCounts["LoadLibraryA"], 2u); // rasadmin.dll and rasapi32.dll, once each
    EXPECT_EQ(pc.exportLookups.size(), 1u);
    pc.removeRemoteAccess();
    ScopedPlatform nextRun(pc);
    EXPECT_EQ(RemoteAccessCheck().status(), NotSatisfied);
}

} // namespace
} // namespace prereq
