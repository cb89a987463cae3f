// Building a simulated PC from fuzzer input. Names the program looks for (registry paths,
// library and export names, report and help-page names) are offered from small dictionaries
// beside arbitrary bytes, so that the fuzzer reaches the paths where the names match.
#include "fuzz/FuzzedPc.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <string>

namespace prereq {

namespace {

const char* const kKeyPaths[] = {
    "SOFTWARE\\Classes\\CLSID\\{992CFFA0-F557-101A-88EC-00DD010CCC48}\\InprocServer32",
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\MSDUN",
    "SYSTEM\\CurrentControlSet\\Services\\Class\\Modem",
    "SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E96D-E325-11CE-BFC1-08002BE10318}",
};

const char* const kValueNames[] = {"AttachedTo", "Model", ""};

const char* const kLibraryNames[] = {"rasapi32.dll", "rasadmin.dll", "rnaph.dll"};

const char* const kExportNames[] = {
    "RasSetEntryPropertiesA",
    "RasSetEntryProperties",
    "RasDialA",
    "RasEnumDevicesA",
    "RasHangUpA",
    "RasGetEntryPropertiesA",
    "RasEnumEntriesA",
    "RasEnumConnectionsA",
    "RasGetErrorStringA",
    "RasValidateEntryNameA",
    "RasEditPhonebookEntryA",
    "RasGetEntryDialParamsA",
};

const char* const kDocumentNames[] = {"PlinthSetupStatus.htm", "WardlineStatus.htm",
                                      "WardlineLANStatus.htm", "plintherror.html"};

const char kConsoleModem[] = "Torvane Wardline Connection";

// Builds the PC step by step from the input. Integers come from the input's end and texts from
// its start, so a short input still describes a whole PC.
class PcBuilder {
public:
    PcBuilder(const std::uint8_t* data, std::size_t size) : input_(data, size) {}

    SimulatedPc build() {
        SimulatedPc pc = preset(input_.ConsumeIntegralInRange<int>(0, 4));
        // Each step is small; a bound keeps a long input from building a huge PC.
        for (int step = 0; step < 64 && input_.remaining_bytes() > 0; ++step)
            change(pc);
        return pc;
    }

private:
    template <std::size_t N> std::string pick(const char* const (&names)[N]) {
        // One value in four is arbitrary text instead of a known name.
        if (input_.ConsumeIntegralInRange<int>(0, 3) == 0)
            return text(80);
        return names[input_.ConsumeIntegralInRange<std::size_t>(0, N - 1)];
    }

    std::string text(std::size_t maxLength) { return input_.ConsumeRandomLengthString(maxLength); }

    // Text that can stand in a C string: what Windows hands back for names stops at a NUL.
    std::string cText(std::size_t maxLength) {
        std::string value = text(maxLength);
        return value.substr(0, value.find('\0'));
    }

    std::string keyPath() {
        std::string path = pick(kKeyPaths);
        // A subkey of a modem class, named "0000" and so on, or anything at all.
        switch (input_.ConsumeIntegralInRange<int>(0, 2)) {
        case 0:
            path += "\\000" + std::to_string(input_.ConsumeIntegralInRange<int>(0, 9));
            break;
        case 1:
            path += "\\" + cText(80);
            break;
        default:
            break;
        }
        return path;
    }

    // A document path: in the current directory, in a directory that PATH may name, or anything.
    std::string documentPath(const SimulatedPc& pc) {
        const std::string name = pick(kDocumentNames);
        switch (input_.ConsumeIntegralInRange<int>(0, 3)) {
        case 0:
            return pc.currentDirectory + "\\" + name;
        case 1:
            return "C:\\Help\\" + name;
        case 2:
            return cText(40) + "\\" + name;
        default:
            return cText(300);
        }
    }

    // Mostly a letter the probes scan, A and B among them; sometimes any character.
    char driveLetter() {
        if (input_.ConsumeIntegralInRange<int>(0, 7) == 0)
            return input_.ConsumeIntegral<char>();
        return static_cast<char>('A' + input_.ConsumeIntegralInRange<int>(0, 25));
    }

    // A PATH value made of directories, quotes and runs of separators.
    std::string pathVariable() {
        std::string value;
        const int parts = input_.ConsumeIntegralInRange<int>(0, 8);
        for (int i = 0; i < parts; ++i) {
            switch (input_.ConsumeIntegralInRange<int>(0, 5)) {
            case 0:
                value += ";";
                break;
            case 1:
                value += "\"";
                break;
            case 2:
                value += "C:\\Help";
                break;
            case 3:
                value += "C:";
                break;
            case 4:
                value += std::string(input_.ConsumeIntegralInRange<std::size_t>(0, 300), 'd');
                break;
            default:
                value += cText(40);
                break;
            }
        }
        return value;
    }

    static SimulatedPc preset(int choice) {
        switch (choice) {
        case 0:
            return SimulatedPc::windowsNt4();
        case 1:
            return SimulatedPc::windows2000();
        case 2:
            return SimulatedPc::windows98();
        case 3:
            return SimulatedPc::windows95();
        default:
            return SimulatedPc();
        }
    }

    void change(SimulatedPc& pc) {
        switch (input_.ConsumeIntegralInRange<int>(0, 19)) {
        case 0:
            pc.version.platformId = input_.ConsumeIntegralInRange<std::uint32_t>(0, 3);
            pc.version.majorVersion = input_.ConsumeIntegralInRange<std::uint32_t>(3, 6);
            pc.version.minorVersion =
                input_.ConsumeBool() ? 0 : input_.ConsumeIntegral<std::uint32_t>();
            break;
        case 1:
            // szCSDVersion holds at most 128 bytes up to its NUL.
            pc.version.csdVersion = cText(128);
            break;
        case 2:
            pc.setMemoryBytes(input_.ConsumeIntegral<std::uint32_t>());
            break;
        case 3:
            pc.processorCode = input_.ConsumeIntegral<std::uint32_t>();
            // Rates up to 10^18 Hz, beyond any level the report can show; much beyond that the
            // simulated counters themselves would overflow.
            pc.processorHz =
                input_.ConsumeIntegralInRange<std::uint64_t>(0, 1000000000000000000ull);
            pc.hasTimeStampCounter = input_.ConsumeBool();
            // A counter that starts anywhere, also just short of wrapping, or stands still.
            pc.timeStampCounterStart = input_.ConsumeIntegral<std::uint64_t>();
            pc.timeStampCounterFrozen = input_.ConsumeBool();
            break;
        case 4:
            pc.performanceTicksPerSecond =
                input_.ConsumeIntegralInRange<std::int64_t>(0, 10000000000ll);
            pc.performanceCounterFrozen = input_.ConsumeBool();
            pc.performanceCounterRunsBackwards = input_.ConsumeBool();
            break;
        case 5: {
            SimulatedPc::Drive drive;
            drive.type = input_.ConsumeIntegral<std::uint32_t>();
            drive.readable = input_.ConsumeBool();
            drive.space.sectorsPerCluster = input_.ConsumeIntegral<std::uint32_t>();
            drive.space.bytesPerSector = input_.ConsumeIntegral<std::uint32_t>();
            drive.space.freeClusters = input_.ConsumeIntegral<std::uint32_t>();
            drive.space.totalClusters = input_.ConsumeIntegral<std::uint32_t>();
            pc.drives[driveLetter()] = drive;
            break;
        }
        case 6:
            pc.drives.erase(driveLetter());
            break;
        case 7:
            pc.mousePresent = input_.ConsumeBool();
            break;
        case 8: {
            const std::string path = keyPath();
            pc.addKey(path);
            pc.registry[path].openable = input_.ConsumeBool();
            break;
        }
        case 9: {
            const std::string path = keyPath();
            const std::string name = pick(kValueNames);
            const std::uint32_t type = input_.ConsumeBool()
                                           ? input_.ConsumeIntegralInRange<std::uint32_t>(0, 4)
                                           : input_.ConsumeIntegral<std::uint32_t>();
            // Values of any length, with or without the console modem's name and a NUL.
            std::string data = input_.ConsumeBool() ? kConsoleModem : "";
            data += text(600);
            pc.setValue(path, name, type, data);
            break;
        }
        case 10: {
            SimulatedPc::Library library;
            library.loads = input_.ConsumeBool();
            const int exports = input_.ConsumeIntegralInRange<int>(0, 6);
            for (int i = 0; i < exports; ++i)
                library.exports.insert(pick(kExportNames));
            pc.libraries[pick(kLibraryNames)] = library;
            break;
        }
        case 11: {
            // Device names of any length; the record's field holds 128 characters and its NUL.
            std::string name = text(40);
            if (input_.ConsumeBool())
                name += kConsoleModem;
            name += text(200);
            pc.rasDevices.push_back(name);
            break;
        }
        case 12:
            // What the enumeration claims. The byte count stays within 1 MiB so that each run
            // stays fast; a count that does not match the records is what matters here.
            if (input_.ConsumeBool())
                pc.rasReportedBytes = input_.ConsumeIntegralInRange<std::uint32_t>(0, 1u << 20);
            if (input_.ConsumeBool())
                pc.rasReportedCount = input_.ConsumeIntegral<std::uint32_t>();
            pc.rasFillResult = input_.ConsumeBool() ? 0 : input_.ConsumeIntegral<std::uint32_t>();
            break;
        case 13:
            pc.existingPaths.insert(documentPath(pc));
            break;
        case 14:
            if (input_.ConsumeBool())
                pc.environment["PATH"] = pathVariable();
            else
                pc.environment.erase("PATH");
            break;
        case 15:
            pc.setAssociation(input_.ConsumeBool() ? ".htm"
                                                   : (input_.ConsumeBool() ? ".html" : cText(8)),
                              cText(60));
            break;
        case 16:
            pc.launchResult = input_.ConsumeIntegralInRange<std::intptr_t>(-1, 64);
            pc.fullPathFails = input_.ConsumeBool();
            break;
        case 17:
            // The current directory is always a full path, of a folder that exists when the
            // program starts.
            pc.currentDirectory = "C:\\" + cText(120);
            pc.addFolder(pc.currentDirectory);
            break;
        case 18:
            switch (input_.ConsumeIntegralInRange<int>(0, 2)) {
            case 0:
                pc.lockedFiles.insert(pc.currentDirectory + "\\" + pick(kDocumentNames));
                break;
            case 1:
                pc.diskBytesLeft = input_.ConsumeIntegralInRange<std::uint64_t>(0, 4096);
                break;
            default:
                pc.folders.clear(); // the current directory deleted under the program
                break;
            }
            break;
        default:
            switch (input_.ConsumeIntegralInRange<int>(0, 4)) {
            case 0:
                pc.removeRemoteAccess();
                break;
            case 1:
                pc.installRemoteAccess();
                break;
            case 2:
                pc.installConsoleModem();
                break;
            case 3:
                pc.versionQueryFails = input_.ConsumeBool();
                break;
            default:
                pc.programPath = cText(100);
                break;
            }
            break;
        }
    }

    FuzzedDataProvider input_;
};

} // namespace

SimulatedPc fuzzedPc(const std::uint8_t* data, std::size_t size) {
    return PcBuilder(data, size).build();
}

} // namespace prereq
