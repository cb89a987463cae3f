// The console modem driver check: the three sources that must agree (dial-up software, the
// remote-access device list, the modem class in the registry), the order they are asked in, and
// device records and registry values that do not fit or do not end where they should.
#include "checks/ModemDriverCheck.h"

#include "SoftwareCheckFixtures.h"
#include "platform/Platform.h"

#include <gtest/gtest.h>

#include <optional>

namespace prereq {
namespace {

using namespace testing_support;

const std::string kModel = consoleModemModel;

// The keys of the modem class that were opened, in order: "class class\0000 ...".
std::string classKeysOpened(const SimulatedPc& pc) {
    std::istringstream opened(openedKeys(pc));
    std::vector<std::string> names;
    for (std::string name; opened >> name;)
        if (name.compare(0, 5, "class") == 0)
            names.push_back(name);
    return joined(names);
}

std::string byteCounts(const SimulatedPc& pc) {
    std::string text;
    for (const auto count : pc.rasEnumByteCounts)
        text += (text.empty() ? "" : " ") + std::to_string(count);
    return text;
}

struct SystemCase {
    System system;
    const char* page;
    const char* pageWithoutRemoteAccess;
    const char* loads;
    const char* keys;
};

// Each library is loaded once: a second load of one loaded already costs no call.
const SystemCase kSystems[] = {
    {System::Nt4, "ntmodem.html", "ras.html", "rasadmin.dll rasapi32.dll", "class class\\0000"},
    {System::Windows2000, "2000modem.html", "dunfirst.html", "rasadmin.dll rasapi32.dll",
     "class class\\0000"},
    {System::Windows95, "9598memodem.html", "dunfirst.html", "rasapi32.dll",
     "CLSID MSDUN CLSID MSDUN class class\\0000"},
    {System::Windows98, "9598memodem.html", "dunfirst.html", "rasapi32.dll",
     "CLSID CLSID class class\\0000"},
};

TEST(ModemDriverCheck, InstalledWhenAllThreeSourcesAgree) {
    for (const auto& c : kSystems) {
        SimulatedPc pc = pcRunning(c.system);
        ScopedPlatform use(pc);
        const ModemDriverCheck check;
        EXPECT_EQ(check.status(), Satisfied) << nameOf(c.system);
        EXPECT_EQ(check.pcLevel(), "driver installed");
        EXPECT_EQ(check.minimumPrerequisite(), "Wardline modem driver ");
        EXPECT_EQ(check.moreInfoPage(), c.page) << nameOf(c.system);
        EXPECT_EQ(check.shownInReport(), 1);
        EXPECT_EQ(check.recommendedLevel(), "");
        EXPECT_EQ(joined(pc.loadedLibraries), c.loads) << nameOf(c.system);
        EXPECT_EQ(openedKeys(pc), c.keys) << nameOf(c.system);
        EXPECT_EQ(byteCounts(pc), "0 152") << nameOf(c.system);
        // The remote-access library stays loaded.
        EXPECT_NE(check.remoteAccessLibrary, 0u);
        EXPECT_EQ(joined(pc.freedLibraries), "");
    }
}

TEST(ModemDriverCheck, WithoutRemoteAccessPointsToItsHelpPage) {
    for (const auto& c : kSystems) {
        SimulatedPc pc = pcRunning(c.system);
        pc.removeRemoteAccess();
        ScopedPlatform use(pc);
        const ModemDriverCheck check;
        EXPECT_EQ(check.status(), NotSatisfied) << nameOf(c.system);
        EXPECT_EQ(check.pcLevel(), "driver not installed");
        EXPECT_EQ(check.moreInfoPage(), c.pageWithoutRemoteAccess) << nameOf(c.system);
        EXPECT_EQ(check.remoteAccessLibrary, 0u);
        EXPECT_EQ(byteCounts(pc), "") << nameOf(c.system);
        EXPECT_EQ(classKeysOpened(pc), "") << nameOf(c.system);
    }
}

// Dial-Up Networking that counts as installed only through its second chance is not usable
// for the driver: the check stops there and keeps the driver's own help page.
TEST(ModemDriverCheck, InstalledButUnusableDialUpKeepsTheDriverPage) {
    struct Case {
        const char* name;
        System system;
        bool removeMsdun;
        bool stripExport;
    };
    const Case cases[] = {
        {"95 without MSDUN", System::Windows95, true, false},
        {"95 only the A export", System::Windows95, false, true},
        {"98 only the A export", System::Windows98, false, true},
    };
    for (const auto& c : cases) {
        SimulatedPc pc = pcRunning(c.system);
        pc.addLibrary("rnaph.dll", {"RasSetEntryProperties"});
        if (c.removeMsdun)
            pc.registry.erase(kDialUpUninstallKey);
        if (c.stripExport)
            pc.libraries["rasapi32.dll"].exports.erase("RasSetEntryProperties");
        ScopedPlatform use(pc);
        const ModemDriverCheck check;
        EXPECT_EQ(check.status(), NotSatisfied) << c.name;
        EXPECT_EQ(check.moreInfoPage(), "9598memodem.html") << c.name;
        EXPECT_EQ(byteCounts(pc), "") << c.name;
        EXPECT_EQ(check.RasEntryPoints.rasEnumDevicesA, 0u) << c.name;
    }
}

TEST(ModemDriverCheck, WithoutTheDeviceEnumerationExportTheDriverIsNotInstalled) {
    for (const auto& c : kSystems) {
        SimulatedPc pc = pcRunning(c.system);
        pc.libraries["rasapi32.dll"].exports.erase("RasEnumDevicesA");
        ScopedPlatform use(pc);
        const ModemDriverCheck check;
        EXPECT_EQ(check.status(), NotSatisfied) << nameOf(c.system);
        EXPECT_EQ(check.moreInfoPage(), c.page) << nameOf(c.system);
        EXPECT_EQ(byteCounts(pc), "");
        EXPECT_EQ(classKeysOpened(pc), "");
    }
}

struct DeviceCase {
    const char* name;
    std::vector<std::string> devices;
    bool installed;
    const char* byteCounts; // passed to RasEnumDevicesA, call by call
    std::optional<std::uint32_t> reportedBytes = std::nullopt;
    std::optional<std::uint32_t> reportedCount = std::nullopt;
    std::uint32_t fillResult = 0;
};

TEST(ModemDriverCheck, LooksForTheModelInEveryDeviceRecord) {
    const DeviceCase cases[] = {
        {"only the model", {kModel}, true, "0 152"},
        {"among others", {"Standard Modem", kModel, "ISDN Adapter"}, true, "0 456"},
        {"text around the model", {"COM2 - " + kModel + " #2"}, true, "0 152"},
        {"part of the model", {"Torvane Wardline"}, false, "0 152"},
        {"other letter case", {"torvane wardline connection"}, false, "0 152"},
        {"no devices", {}, false, "0"},
        {"filling call fails", {kModel}, false, "0 152", std::nullopt, std::nullopt, 5},
        {"too few bytes for one record", {kModel}, false, "0", 100},
        {"more devices than the buffer holds", {kModel}, true, "0 152", std::nullopt, 1000},
        {"more devices than the buffer holds, no match",
         {"Modem"},
         false,
         "0 152",
         std::nullopt,
         1000},
        {"model beyond the bytes asked for", {"Modem", kModel}, false, "0 200", 200, 2},
        {"no device reported", {kModel}, false, "0 152", std::nullopt, 0},
        {"name fills its field without a NUL", {std::string(102, 'x') + kModel}, true, "0 152"},
        {"name cut off by its field", {std::string(110, 'x') + kModel}, false, "0 152"},
    };
    for (const auto& c : cases) {
        SimulatedPc pc = SimulatedPc::windowsNt4();
        pc.rasDevices = c.devices;
        pc.rasReportedBytes = c.reportedBytes;
        pc.rasReportedCount = c.reportedCount;
        pc.rasFillResult = c.fillResult;
        ScopedPlatform use(pc);
        const ModemDriverCheck check;
        EXPECT_EQ(check.status(), c.installed ? Satisfied : NotSatisfied) << c.name;
        EXPECT_EQ(byteCounts(pc), c.byteCounts) << c.name;
        // The registry is read only after a device matched.
        EXPECT_EQ(classKeysOpened(pc), c.installed ? "class class\\0000" : "") << c.name;
    }
}

SimulatedPc::Value text(const std::string& s) {
    return {kRegSz, s + '\0'};
}

struct ModemEntry {
    std::string subkey;
    std::optional<SimulatedPc::Value> attachedTo;
    std::optional<SimulatedPc::Value> model;
    bool openable = true;
};

struct RegistryCase {
    const char* name;
    std::vector<ModemEntry> entries;
    bool installed;
    std::string visited; // keys of the modem class opened, in order
    // Where they differ: the order the Windows 95 family lists subkeys in, as they were created.
    std::string visitedAsCreated = {};
};

TEST(ModemDriverCheck, LooksForAnAttachedModemOfTheModelInEverySubkey) {
    const std::string longName(70, '0');
    const std::string longestName(63, '0');
    const RegistryCase cases[] = {
        {"matching entry", {{"0000", text("COM1"), text(kModel)}}, true, "class class\\0000"},
        {"every subkey visited after a match",
         {{"0000", text("COM1"), text(kModel)}, {"0001", text("COM2"), text("Standard Modem")}},
         true,
         "class class\\0000 class\\0001"},
        {"match in a later subkey",
         {{"0000", text("COM1"), text("Standard Modem")}, {"0001", text("COM2"), text(kModel)}},
         true,
         "class class\\0000 class\\0001"},
        {"subkeys created in reverse order",
         {{"0001", text("COM2"), text(kModel)}, {"0000", text("COM1"), text("Standard Modem")}},
         true,
         "class class\\0000 class\\0001",
         "class class\\0001 class\\0000"},
        {"no AttachedTo", {{"0000", std::nullopt, text(kModel)}}, false, "class class\\0000"},
        {"no Model", {{"0000", text("COM1"), std::nullopt}}, false, "class class\\0000"},
        {"AttachedTo too big",
         {{"0000", text(std::string(255, 'C')), text(kModel)}},
         false,
         "class class\\0000"},
        {"AttachedTo filling the buffer, no NUL",
         {{"0000", SimulatedPc::Value{kRegSz, std::string(255, 'C')}, text(kModel)}},
         true,
         "class class\\0000"},
        {"AttachedTo a number",
         {{"0000", SimulatedPc::Value{kRegDword, std::string(4, '\1')}, text(kModel)}},
         true,
         "class class\\0000"},
        {"Model in another case",
         {{"0000", text("COM1"), text("TORVANE WARDLINE CONNECTION")}},
         false,
         "class class\\0000"},
        {"part of the model",
         {{"0000", text("COM1"), text("Wardline Connection")}},
         false,
         "class class\\0000"},
        {"text around the model",
         {{"0000", text("COM1"), text("My " + kModel + " (COM1)")}},
         true,
         "class class\\0000"},
        {"Model filling the buffer, no NUL",
         {{"0000", text("COM1"), SimulatedPc::Value{kRegSz, std::string(228, 'x') + kModel}}},
         true,
         "class class\\0000"},
        {"Model too big",
         {{"0000", text("COM1"), text(std::string(228, 'x') + kModel)}},
         false,
         "class class\\0000"},
        {"Model expandable text",
         {{"0000", text("COM1"), SimulatedPc::Value{2, kModel + '\0'}}},
         true,
         "class class\\0000"},
        {"Model binary",
         {{"0000", text("COM1"), SimulatedPc::Value{kRegBinary, kModel + '\0'}}},
         false,
         "class class\\0000"},
        {"model after the text's NUL",
         {{"0000", text("COM1"), SimulatedPc::Value{kRegSz, std::string("COM\0", 4) + kModel}}},
         false,
         "class class\\0000"},
        {"unopenable subkey passed over",
         {{"0000", text("COM1"), text(kModel), false}, {"0001", text("COM2"), text(kModel)}},
         true,
         "class class\\0001"},
        {"only the unopenable subkey matches",
         {{"0000", text("COM1"), text(kModel), false}},
         false,
         "class"},
        {"a name too long for the buffer ends the scan",
         {{longName, text("COM1"), text("Modem")}, {"0001", text("COM2"), text(kModel)}},
         false,
         "class"},
        {"the longest name that fits",
         {{longestName, text("COM1"), text(kModel)}},
         true,
         "class class\\" + longestName},
        {"a subkey with subkeys of its own is visited once",
         {{"0000", text("COM1"), text(kModel)},
          {"0000\\Init", std::nullopt, std::nullopt},
          {"0000-1", text("COM2"), text("Standard Modem")}},
         true,
         "class class\\0000 class\\0000-1"},
        {"no modem class", {}, false, ""},
    };
    for (const System system : {System::Nt4, System::Windows98}) {
        for (const auto& c : cases) {
            SimulatedPc pc = pcRunning(system);
            const std::string classKey = SimulatedPc::modemClassKey(pc.isNtFamily());
            pc.registry.erase(classKey + "\\0000");
            for (const auto& entry : c.entries) {
                const std::string path = classKey + "\\" + entry.subkey;
                pc.addKey(path);
                pc.registry[path].openable = entry.openable;
                if (entry.attachedTo)
                    pc.registry[path].values["AttachedTo"] = *entry.attachedTo;
                if (entry.model)
                    pc.registry[path].values["Model"] = *entry.model;
            }
            ScopedPlatform use(pc);
            const ModemDriverCheck check;
            EXPECT_EQ(check.status(), c.installed ? Satisfied : NotSatisfied)
                << nameOf(system) << ": " << c.name;
            const bool created = system == System::Windows98 && !c.visitedAsCreated.empty();
            EXPECT_EQ(classKeysOpened(pc), created ? c.visitedAsCreated : c.visited)
                << nameOf(system) << ": " << c.name;
        }
    }
}

TEST(ModemDriverCheck, ReadsOnlyTheModemClassOfItsSystemFamily) {
    for (const auto& c : kSystems) {
        SimulatedPc pc = pcRunning(c.system);
        const std::string own = SimulatedPc::modemClassKey(pc.isNtFamily());
        const std::string other = SimulatedPc::modemClassKey(!pc.isNtFamily());
        pc.registry[other + "\\0000"] = pc.registry[own + "\\0000"];
        pc.registry.erase(own + "\\0000");
        ScopedPlatform use(pc);
        EXPECT_EQ(ModemDriverCheck().status(), NotSatisfied) << nameOf(c.system);
    }
    SimulatedPc pc = SimulatedPc::windows2000();
    pc.addKey(SimulatedPc::modemClassKey(true));
    pc.registry[SimulatedPc::modemClassKey(true)].openable = false;
    ScopedPlatform use(pc);
    EXPECT_EQ(ModemDriverCheck().status(), NotSatisfied);
    EXPECT_EQ(classKeysOpened(pc), "");
}

// The entry points in the order the check binds them, each with the table entry it fills.
struct EntryPoint {
    const char* name;
    ExportAddress RasEntryPointTable::*entry;
};

const EntryPoint kBindOrder[] = {
    {"RasSetEntryPropertiesA", &RasEntryPointTable::rasSetEntryPropertiesA},
    {"RasGetEntryPropertiesA", &RasEntryPointTable::rasGetEntryPropertiesA},
    {"RasEditPhonebookEntryA", &RasEntryPointTable::rasEditPhonebookEntryA},
    {"RasValidateEntryNameA", &RasEntryPointTable::rasValidateEntryNameA},
    {"RasRenameEntryA", &RasEntryPointTable::rasRenameEntryA},
    {"RasDeleteEntryA", &RasEntryPointTable::rasDeleteEntryA},
    {"RasEnumDevicesA", &RasEntryPointTable::rasEnumDevicesA},
    {"RasEnumEntriesA", &RasEntryPointTable::rasEnumEntriesA},
    {"RasEnumConnectionsA", &RasEntryPointTable::rasEnumConnectionsA},
    {"RasDialA", &RasEntryPointTable::rasDialA},
    {"RasHangUpA", &RasEntryPointTable::rasHangUpA},
    {"RasGetErrorStringA", &RasEntryPointTable::rasGetErrorStringA},
    {"RasGetConnectStatusA", &RasEntryPointTable::rasGetConnectStatusA},
    {"RasGetProjectionInfoA", &RasEntryPointTable::rasGetProjectionInfoA},
    {"RasGetEntryDialParamsA", &RasEntryPointTable::rasGetEntryDialParamsA},
};

TEST(ModemDriverCheck, BindsEveryEntryPointByItsOwnName) {
    SimulatedPc pc = SimulatedPc::windowsNt4();
    ScopedPlatform use(pc);
    ModemDriverCheck check;
    std::vector<std::string> order;
    for (const auto& e : kBindOrder) {
        order.push_back(e.name);
        EXPECT_NE(check.RasEntryPoints.*e.entry, 0u) << e.name;
    }
    // Each binding below runs against a PC of its own, so nothing is known of it yet.
    SimulatedPc again = pc;
    again.exportLookups.clear();
    {
        ScopedPlatform fresh(again);
        check.bindRasEntryPoints();
    }
    EXPECT_EQ(joined(again.exportLookups), joined(order));

    // A library lacking one export leaves exactly that entry empty.
    for (const auto& missing : kBindOrder) {
        SimulatedPc lacking = pc;
        lacking.libraries["rasapi32.dll"].exports.erase(missing.name);
        ScopedPlatform useLacking(lacking);
        check.bindRasEntryPoints();
        for (const auto& e : kBindOrder)
            EXPECT_EQ(check.RasEntryPoints.*e.entry == 0, e.entry == missing.entry)
                << "without " << missing.name << ": " << e.name;
    }
}

} // namespace
} // namespace prereq
