// The simulated PC's strictness: each kind of misuse, made on purpose, and what it must produce.
// A PC issues handles from 0x100 on, and entry points from 0x10000000 on.
#include "platform/simulated/SimulatedPc.h"

#include <gtest/gtest.h>

namespace prereq {
namespace {

const char kRas[] = "rasapi32.dll";

KeyHandle openedKey(SimulatedPc& pc) {
    KeyHandle key = 0;
    pc.openKey("SYSTEM", key);
    return key;
}

void listSubkeys(SimulatedPc& pc, KeyHandle key) {
    char name[64];
    pc.enumerateSubkey(key, 0, name, sizeof name);
}

void callThrough(SimulatedPc& pc, ExportAddress entry) {
    std::uint32_t bytes = 0, count = 0;
    pc.rasEnumDevices(entry, nullptr, bytes, count);
}

TEST(SimulatedPcStrictness, EachMisuseFailsWithTheCallAndTheHandleNamed) {
    const std::string freed = ", which was the library rasapi32.dll until FreeLibrary unloaded it";
    const std::string leftOpen = " is still open as the ScopedPlatform ends: ";
    const struct {
        const char* name;
        void (*misuse)(SimulatedPc&);
        std::string report; // after "simulated PC: "; empty for none
        std::uint32_t lastError = 0;
    } cases[] = {
        {"key used after close",
         [](SimulatedPc& pc) { pc.closeKey(openedKey(pc)), listSubkeys(pc, 0x100); },
         "RegEnumKeyA given key handle 0x100, which was the key SYSTEM until "
         "RegCloseKey closed it"},
        {"library used after free",
         [](SimulatedPc& pc) { pc.freeLibrary(pc.loadLibrary(kRas)), pc.findExport(0x100, "x"); },
         "GetProcAddress given library handle 0x100" + freed},
        {"export of a freed library",
         [](SimulatedPc& pc) {
             pc.findExport(pc.loadLibrary(kRas), "RasEnumDevicesA"), pc.freeLibrary(0x100),
                 callThrough(pc, 0x10000000);
         },
         "RasEnumDevicesA called through 0x10000000, its entry point in library handle 0x100" +
             freed},
        {"handle never opened", [](SimulatedPc& pc) { pc.closeKey(0x4242); },
         "RegCloseKey given key handle 0x4242, which was never issued"},
        {"key left open", [](SimulatedPc& pc) { openedKey(pc); },
         "key handle 0x100 (SYSTEM)" + leftOpen +
             "RegOpenKeyExA opened it, no RegCloseKey closed it"},
        {"file left open", [](SimulatedPc& pc) { pc.createReportFile("X"); },
         "file handle 0x100 (C:\\Reports\\X)" + leftOpen +
             "CreateFileA created it, no CloseHandle closed it"},
        // The program keeps its libraries loaded until it ends.
        {"library left loaded", [](SimulatedPc& pc) { pc.loadLibrary(kRas); }, ""},
        {"file in a missing folder",
         [](SimulatedPc& pc) { pc.writeFile(pc.createReportFile("C:\\Out\\X"), "", 0); },
         "WriteFile given file handle 0x0, which was never issued", 3}, // ERROR_PATH_NOT_FOUND
    };
    for (const auto& c : cases) {
        SimulatedPc pc = SimulatedPc::windowsNt4();
        std::string reports;
        const auto previous =
            SimulatedPc::reportMisuseWith([&](const std::string& message) { reports += message; });
        {
            ScopedPlatform use(pc);
            c.misuse(pc);
        }
        SimulatedPc::reportMisuseWith(previous);
        EXPECT_EQ(reports, c.report.empty() ? "" : "simulated PC: " + c.report) << c.name;
        EXPECT_EQ(pc.lastError, c.lastError) << c.name;
    }
}

} // namespace
} // namespace prereq
