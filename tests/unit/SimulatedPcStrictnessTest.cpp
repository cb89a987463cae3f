// The simulated PC's strictness: each kind of misuse, made on purpose, and what it must produce.
#include "platform/SimulatedPc.h"

#include <gtest/gtest.h>

namespace prereq {
namespace {

const char kLeftOpen[] = " is still open as the ScopedPlatform ends: ";

KeyHandle closedKey(SimulatedPc& pc) {
    KeyHandle key = 0;
    pc.openKey("SOFTWARE\\Classes", key);
    pc.closeKey(key);
    return key;
}

LibraryHandle freedLibrary(SimulatedPc& pc, const char* exportName, ExportAddress& entry) {
    const LibraryHandle library = pc.loadLibrary("rasapi32.dll");
    entry = pc.findExport(library, exportName);
    pc.freeLibrary(library);
    return library;
}

std::string enumerate(SimulatedPc& pc, ExportAddress entry) {
    std::uint32_t bytes = 0, count = 0;
    return std::to_string(pc.rasEnumDevices(entry, nullptr, bytes, count));
}

TEST(SimulatedPcStrictness, EachMisuseFailsWithTheCallAndTheHandleNamed) {
    const std::string closed = "was the key SOFTWARE\\Classes until RegCloseKey closed it";
    const std::string unloaded = "was the library rasapi32.dll until FreeLibrary unloaded it";
    const struct {
        const char* name;
        std::string (*misuse)(SimulatedPc&); // what the last call answered
        std::string answer;
        std::string report; // after "simulated PC: "; empty for none
    } cases[] = {
        {"key read after close",
         [](SimulatedPc& pc) {
             std::uint32_t type = 0, size = 0;
             return std::to_string(pc.queryValue(closedKey(pc), "Model", type, nullptr, size));
         },
         "6", "RegQueryValueExA given key handle 0x100, which " + closed},
        {"key listed after close",
         [](SimulatedPc& pc) {
             char name[64];
             return std::to_string(pc.enumerateSubkey(closedKey(pc), 0, name, sizeof name));
         },
         "6", "RegEnumKeyA given key handle 0x100, which " + closed},
        {"key closed twice",
         [](SimulatedPc& pc) { return pc.closeKey(closedKey(pc)), std::string(); }, "",
         "RegCloseKey given key handle 0x100, which " + closed},
        {"library used after free",
         [](SimulatedPc& pc) {
             ExportAddress entry = 0;
             return std::to_string(pc.findExport(freedLibrary(pc, "RasDialA", entry), "RasDialA"));
         },
         "0", "GetProcAddress given library handle 0x100, which " + unloaded},
        {"export of a freed library",
         [](SimulatedPc& pc) {
             ExportAddress entry = 0;
             freedLibrary(pc, "RasEnumDevicesA", entry);
             return enumerate(pc, entry);
         },
         "6",
         "RasEnumDevicesA called through 0x10000000, its entry point in library handle 0x100, "
         "which " +
             unloaded},
        {"another export called as RasEnumDevicesA",
         [](SimulatedPc& pc) {
             return enumerate(pc, pc.findExport(pc.loadLibrary("rasapi32.dll"), "RasDialA"));
         },
         "6", "RasEnumDevicesA called through 0x10000000, the entry point of RasDialA"},
        {"key handle never opened",
         [](SimulatedPc& pc) { return pc.closeKey(0x4242), std::string(); }, "",
         "RegCloseKey given key handle 0x4242, which was never issued"},
        {"library handle taken for a key",
         [](SimulatedPc& pc) { return pc.closeKey(pc.loadLibrary("rasapi32.dll")), std::string(); },
         "", "RegCloseKey given key handle 0x100, which is the loaded library rasapi32.dll"},
        {"file written after close",
         [](SimulatedPc& pc) {
             const FileHandle file = pc.createReportFile("X.htm");
             pc.closeFile(file);
             return std::to_string(pc.writeFile(file, "x", 1));
         },
         "0",
         "WriteFile given file handle 0x100, which was the file C:\\Reports\\X.htm until "
         "CloseHandle closed it"},
        {"key left open",
         [](SimulatedPc& pc) {
             KeyHandle key = 0;
             return std::to_string(pc.openKey("SOFTWARE\\Classes", key));
         },
         "0",
         "key handle 0x100 (SOFTWARE\\Classes)" + std::string(kLeftOpen) +
             "RegOpenKeyExA opened it, no RegCloseKey closed it"},
        {"file left open", [](SimulatedPc& pc) { return std::to_string(pc.createReportFile("X")); },
         "256",
         "file handle 0x100 (C:\\Reports\\X)" + std::string(kLeftOpen) +
             "CreateFileA created it, no CloseHandle closed it"},
        // The program keeps its libraries loaded until it ends.
        {"library left loaded",
         [](SimulatedPc& pc) { return std::to_string(pc.loadLibrary("rasapi32.dll")); }, "256", ""},
        {"file in a missing folder",
         [](SimulatedPc& pc) {
             const FileHandle file = pc.createReportFile("C:\\Out\\X");
             return std::to_string(file) + " error " + std::to_string(pc.lastError);
         },
         "0 error 3", ""},
    };
    for (const auto& c : cases) {
        SimulatedPc pc = SimulatedPc::windowsNt4();
        pc.addKey("SOFTWARE\\Classes");
        std::vector<std::string> reports;
        const auto previous = SimulatedPc::reportMisuseWith(
            [&](const std::string& message) { reports.push_back(message); });
        std::string answer;
        std::size_t atCall = 0;
        {
            ScopedPlatform use(pc);
            answer = c.misuse(pc);
            atCall = reports.size();
        }
        SimulatedPc::reportMisuseWith(previous);
        EXPECT_EQ(answer, c.answer) << c.name;
        EXPECT_EQ(reports, c.report.empty() ? std::vector<std::string>()
                                            : std::vector<std::string>{"simulated PC: " + c.report})
            << c.name;
        // The fuzz target checks the count of the misuses made by calls.
        EXPECT_EQ(pc.invalidHandleUses, static_cast<int>(atCall)) << c.name;
    }
}

} // namespace
} // namespace prereq
