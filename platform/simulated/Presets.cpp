// The simulated PC's presets, a PC of each system that satisfies every product, and the ways a
// test describes its own: drives, keys, libraries, the system's dial-up software, files.
#include "platform/simulated/SimulatedPc.h"

#include "platform/simulated/SimulatedPcHelpers.h"

namespace prereq {

using namespace simulated;

namespace {

const char* const kRemoteAccessExports[] = {"RasDialA",
                                            "RasHangUpA",
                                            "RasSetEntryPropertiesA",
                                            "RasGetEntryPropertiesA",
                                            "RasEditPhonebookEntryA",
                                            "RasValidateEntryNameA",
                                            "RasRenameEntryA",
                                            "RasDeleteEntryA",
                                            "RasEnumDevicesA",
                                            "RasEnumEntriesA",
                                            "RasEnumConnectionsA",
                                            "RasGetErrorStringA",
                                            "RasGetConnectStatusA",
                                            "RasGetProjectionInfoA",
                                            "RasGetEntryDialParamsA"};

const char kDialUpClsidKey[] =
    "SOFTWARE\\Classes\\CLSID\\{992CFFA0-F557-101A-88EC-00DD010CCC48}\\InprocServer32";
const char kDialUpUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\MSDUN";

} // namespace

// ---- Presets.

SimulatedPc SimulatedPc::windowsNt4(const std::string& servicePack) {
    SimulatedPc pc;
    pc.version = {4, 0, 1381, kPlatformWin32Nt, servicePack};
    pc.setMemoryBytes(128u << 20);
    pc.addFixedDrive('C', 2048);
    pc.addCdRomDrive('D');
    pc.installRemoteAccess();
    pc.installConsoleModem();
    return pc;
}

SimulatedPc SimulatedPc::windows2000() {
    SimulatedPc pc;
    pc.version = {5, 0, 2195, kPlatformWin32Nt, "Service Pack 4"};
    pc.setMemoryBytes(256u << 20);
    pc.addFixedDrive('C', 4096);
    pc.addCdRomDrive('E');
    pc.installRemoteAccess();
    pc.installConsoleModem();
    return pc;
}

SimulatedPc SimulatedPc::windows98() {
    SimulatedPc pc;
    pc.version = {4, 10, 1998, kPlatformWin32Windows, " A "};
    pc.setMemoryBytes(96u << 20);
    pc.addFixedDrive('C', 1024);
    pc.addCdRomDrive('D');
    pc.installRemoteAccess();
    pc.installConsoleModem();
    return pc;
}

SimulatedPc SimulatedPc::windows95() {
    SimulatedPc pc = windows98();
    pc.version = {4, 0, 950, kPlatformWin32Windows, ""};
    return pc;
}

// ---- Describing the PC.

void SimulatedPc::addFixedDrive(char letter, std::uint64_t freeMb) {
    Drive drive;
    drive.space.sectorsPerCluster = 8;
    drive.space.bytesPerSector = 512;
    drive.space.freeClusters = static_cast<std::uint32_t>(freeMb * 256);
    drive.space.totalClusters = drive.space.freeClusters + 1024;
    drives[letter] = drive;
}

void SimulatedPc::addCdRomDrive(char letter) {
    Drive drive;
    drive.type = kDriveCdRom;
    drive.readable = false;
    drives[letter] = drive;
}

void SimulatedPc::addKey(const std::string& path) {
    registry[path];
}

void SimulatedPc::setValue(const std::string& keyPath, const std::string& name, std::uint32_t type,
                           const std::string& bytes) {
    registry[keyPath].values[name] = Value{type, bytes};
}

void SimulatedPc::setStringValue(const std::string& keyPath, const std::string& name,
                                 const std::string& text) {
    setValue(keyPath, name, kRegSz, std::string(text.c_str(), text.size() + 1));
}

void SimulatedPc::addLibrary(const std::string& name, std::set<std::string> exports) {
    libraries[name] = Library{std::move(exports), true};
}

void SimulatedPc::installRemoteAccess() {
    std::set<std::string> exports(std::begin(kRemoteAccessExports), std::end(kRemoteAccessExports));
    if (isNtFamily()) {
        addLibrary("rasadmin.dll", {"RasAdminServerGetInfo"});
    } else {
        // Dial-Up Networking 1.2 also exports the entry-property call without its A suffix.
        exports.insert("RasSetEntryProperties");
        addKey(kDialUpClsidKey);
        addKey(kDialUpUninstallKey);
    }
    addLibrary("rasapi32.dll", std::move(exports));
}

void SimulatedPc::removeRemoteAccess() {
    libraries.erase("rasadmin.dll");
    libraries.erase("rasapi32.dll");
    libraries.erase("rnaph.dll");
    registry.erase(kDialUpClsidKey);
    registry.erase(kDialUpUninstallKey);
}

std::string SimulatedPc::modemClassKey(bool ntFamily) {
    return ntFamily ? "SYSTEM\\CurrentControlSet\\Control\\Class\\"
                      "{4D36E96D-E325-11CE-BFC1-08002BE10318}"
                    : "SYSTEM\\CurrentControlSet\\Services\\Class\\Modem";
}

void SimulatedPc::installConsoleModem() {
    rasDevices.push_back("Torvane Wardline Connection");
    const std::string key = modemClassKey(isNtFamily()) + "\\0000";
    setStringValue(key, "AttachedTo", "COM1");
    setStringValue(key, "Model", "Torvane Wardline Connection");
}

void SimulatedPc::addExistingPath(const std::string& path) {
    const std::string full = fullPath(path);
    existingPaths.insert(full);
    addFolder(parentFolder(full));
}

void SimulatedPc::addFolder(const std::string& path) {
    if (path.empty())
        return;
    for (std::string folder = folderName(absolute(path)); !folder.empty();
         folder = parentFolder(folder))
        folders.insert(folder);
}

bool SimulatedPc::folderExists(const std::string& path) const {
    return !path.empty() && folders.count(folderName(absolute(path)));
}

void SimulatedPc::setAssociation(const std::string& extension, const std::string& program) {
    associations[extension] = program;
}

} // namespace prereq
