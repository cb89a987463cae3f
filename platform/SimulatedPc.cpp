// SimulatedPc: answers each WindowsServices call from its data, with the results and error
// codes the real calls give, keeps a record of the calls made, and reports every misuse.
#include "platform/SimulatedPc.h"

#include "report/Windows1252.h"
#include "resources/StringIds.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>

namespace prereq {

namespace {

// Windows NT compares names in upper case: '_' sorts after the letters.
char upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool equalsIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return upper(x) == upper(y); });
}

bool startsWithIgnoringCase(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() &&
           equalsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

// A network share's root or a bare server: "\\server\share" and "\\server", trailing '\'
// or not. Windows answers GetFileAttributesA on neither.
bool isShareRootOrAbove(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    if (path.size() < 3 || path.compare(0, 2, "\\\\") != 0)
        return false;
    while (path.size() > 2 && path.back() == '\\')
        path.pop_back();
    return std::count(path.begin() + 2, path.end(), '\\') <= 1;
}

bool isAbsolute(const std::string& path) {
    return (path.size() >= 2 && path[1] == ':') || (!path.empty() && path[0] == '\\');
}

std::string extensionOf(const std::string& path) {
    const auto dot = path.find_last_of('.');
    const auto slash = path.find_last_of("\\/:");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    return path.substr(dot);
}

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

constexpr std::int32_t kErrorInvalidHandle = 6;
constexpr std::uint32_t kErrorPathNotFound = 3;
constexpr std::uint32_t kErrorAccessDenied = 5;
constexpr std::uint32_t kErrorSharingViolation = 32;
constexpr std::uint32_t kErrorDiskFull = 112;

// FormatMessageA's English texts for the errors the simulated calls give.
const std::map<std::uint32_t, const char*> kErrorTexts = {
    {2, "The system cannot find the file specified.\r\n"},
    {3, "The system cannot find the path specified.\r\n"},
    {5, "Access is denied.\r\n"},
    {32, "The process cannot access the file because it is being used by another process.\r\n"},
    {53, "The network path was not found.\r\n"},
    {80, "The file exists.\r\n"},
    {112, "There is not enough space on the disk.\r\n"},
    {120, "This function is not supported on this system.\r\n"},
    {183, "Cannot create a file when that file already exists.\r\n"},
};

// Code page 1251 for the bytes 0x80 to 0xBF; 0xC0 to 0xFF are U+0410 to U+044F in order. The
// one byte the code page leaves undefined, 0x98, gives the code point of the same number.
const std::uint16_t kCyrillicRow80[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409,
    0x2039, 0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0,
    0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB,
    0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6,
    0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};

char16_t cyrillicCodePoint(unsigned char byte) {
    if (byte < 0x80)
        return byte;
    return byte < 0xC0 ? kCyrillicRow80[byte - 0x80] : static_cast<char16_t>(0x0410 + byte - 0xC0);
}
constexpr std::size_t kMaxPath = 260;
constexpr ExportAddress kFirstExportAddress = 0x10000000;
// Below the first issued handle, so no key, library or file is ever given one of these.
constexpr FileHandle kOutputHandle = 0x10;
constexpr FileHandle kErrorHandle = 0x14;

// Code page 437 for the Windows-1252 bytes 0x80 to 0xFF, as CharToOemBuffA maps them.
const char kOem437[] = "\x3f\x3f\x27\x9f\x22\x2e\x3f\x3f\x5e\x25\x53\x3c\x4f\x3f\x5a\x3f"
                       "\x3f\x27\x27\x22\x22\x07\x2d\x2d\x7e\x54\x73\x3e\x6f\x3f\x7a\x59"
                       "\xff\xad\x9b\x9c\x3f\x9d\x3f\x3f\x20\x3f\xa6\xae\xaa\x3f\x3f\x20"
                       "\xf8\xf1\xfd\x33\x20\xe6\x3f\xfa\x20\x31\xa7\xaf\xac\xab\x33\xa8"
                       "\x41\x41\x41\x41\x8e\x8f\x92\x80\x45\x90\x45\x45\x49\x49\x49\x49"
                       "\x3f\xa5\x4f\x4f\x4f\x4f\x99\x3f\x3f\x55\x55\x55\x9a\x59\x3f\xe1"
                       "\x85\xa0\x83\x61\x84\x86\x91\x87\x8a\x82\x88\x89\x8d\xa1\x8c\x8b"
                       "\x3f\xa4\x95\xa2\x93\x6f\x94\xf6\x3f\x97\xa3\x96\x81\x79\x3f\x98";
static_assert(sizeof kOem437 == 129, "one byte for each of 0x80 to 0xFF");

std::string hex(std::uintptr_t value) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(value));
    return text;
}

// A folder's path as folders holds it: '\' for '/', no trailing separator but a drive root's.
std::string folderName(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    while (!path.empty() && path.back() == '\\')
        path.pop_back();
    if (path.size() == 2 && path[1] == ':')
        path += '\\';
    return path;
}

// The folder that holds a file or folder; empty for a drive's root and a bare name.
std::string parentFolder(const std::string& path) {
    const auto slash = path.find_last_of("\\/");
    if (slash == std::string::npos)
        return {};
    const std::string parent = folderName(path.substr(0, slash));
    return parent == folderName(path) ? std::string() : parent;
}

SimulatedPc::MisuseReport& misuseReport() {
    static SimulatedPc::MisuseReport report = [](const std::string& message) {
        std::fprintf(stderr, "%s\n", message.c_str());
        std::abort();
    };
    return report;
}

std::uint64_t keysCreated = 0;

} // namespace

SimulatedPc::MisuseReport SimulatedPc::reportMisuseWith(MisuseReport report) {
    std::swap(misuseReport(), report);
    return report;
}

std::uint64_t SimulatedPc::nextKeyCreation() {
    return ++keysCreated;
}

bool CaseInsensitiveLess::operator()(const std::string& a, const std::string& b) const {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(upper(x)) < static_cast<unsigned char>(upper(y));
    });
}

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

int SimulatedPc::loadedLibraryReferences(const std::string& name) const {
    for (const auto& loaded : loadedLibraries_)
        if (equalsIgnoringCase(loaded.second.name, name))
            return loaded.second.references;
    return 0;
}

// ---- System information.

bool SimulatedPc::getVersion(VersionInfo& info) {
    if (versionQueryFails)
        return false;
    info = version;
    return true;
}

std::uint64_t SimulatedPc::counterAt(long double perSecond) const {
    return static_cast<std::uint64_t>(perSecond * static_cast<long double>(clockNanoseconds) /
                                      1e9L);
}

bool SimulatedPc::performanceFrequency(std::int64_t& ticksPerSecond) {
    ticksPerSecond = performanceTicksPerSecond;
    return performanceTicksPerSecond != 0;
}

bool SimulatedPc::performanceCounter(std::int64_t& ticks) {
    clockCalls.push_back("counter");
    ticks = performanceCounterFrozen ? 0
                                     : static_cast<std::int64_t>(counterAt(
                                           static_cast<long double>(performanceTicksPerSecond)));
    if (performanceCounterRunsBackwards)
        ticks = -ticks;
    return performanceTicksPerSecond != 0;
}

void SimulatedPc::sleep(std::uint32_t milliseconds) {
    clockCalls.push_back("sleep");
    sleptMilliseconds += milliseconds;
    clockNanoseconds += std::uint64_t{milliseconds} * 1000000u;
}

bool SimulatedPc::readTimeStampCounter(std::uint64_t& cycles) {
    clockCalls.push_back("tsc");
    if (!hasTimeStampCounter)
        return false;
    cycles = timeStampCounterStart;
    if (!timeStampCounterFrozen)
        cycles += counterAt(processorHz) + timeStampReads;
    ++timeStampReads;
    return true;
}

std::uint32_t SimulatedPc::setErrorMode(std::uint32_t mode) {
    std::swap(errorMode, mode);
    return mode;
}

std::uint32_t SimulatedPc::tickCount() {
    return static_cast<std::uint32_t>(tickCountStart + clockNanoseconds / 1000000u);
}

void SimulatedPc::probed(const char* call, const std::string& argument) {
    if ((errorMode & kQuietErrorMode) != kQuietErrorMode)
        probesWithBoxesOn.push_back(std::string(call) + " " + argument);
}

std::uint32_t SimulatedPc::driveType(const std::string& rootPath) {
    driveTypeQueries.push_back(rootPath);
    probed("GetDriveTypeA", rootPath);
    if (rootPath.size() != 3 || rootPath.substr(1) != ":\\")
        return 1; // DRIVE_NO_ROOT_DIR
    const auto it = drives.find(rootPath[0]);
    return it == drives.end() ? 1 : it->second.type;
}

bool SimulatedPc::diskFreeSpace(const std::string& rootPath, DiskFreeSpace& space) {
    freeSpaceQueries.push_back(rootPath);
    probed("GetDiskFreeSpaceA", rootPath);
    if (rootPath.size() != 3 || rootPath.substr(1) != ":\\")
        return false;
    const auto it = drives.find(rootPath[0]);
    if (it == drives.end() || !it->second.readable)
        return false;
    space = it->second.space;
    return true;
}

int SimulatedPc::systemMetric(int index) {
    return index == kSmMousePresent && mousePresent;
}

// ---- Registry and libraries.

bool SimulatedPc::keyExists(const std::string& path) const {
    if (registry.count(path))
        return true;
    // A key exists also when it only holds subkeys.
    const std::string prefix = path + "\\";
    const auto it = registry.lower_bound(prefix);
    return it != registry.end() && startsWithIgnoringCase(it->first, prefix);
}

std::int32_t SimulatedPc::openKey(const std::string& path, KeyHandle& key) {
    key = 0;
    if (!keyExists(path))
        return kErrorFileNotFound;
    const auto it = registry.find(path);
    if (it != registry.end() && !it->second.openable)
        return 5; // ERROR_ACCESS_DENIED
    key = nextHandle_++;
    openKeys_[key] = path;
    openedKeys.push_back(path);
    ++openKeyCount;
    return kErrorSuccess;
}

const std::string* SimulatedPc::openKeyPath(KeyHandle key, const char* call) {
    const auto open = openKeys_.find(key);
    if (open != openKeys_.end())
        return &open->second;
    misuse(call, "key", key);
    return nullptr;
}

std::string SimulatedPc::whatHandleIs(std::uintptr_t handle) const {
    const auto ended = endedHandles_.find(handle);
    if (ended != endedHandles_.end())
        return ended->second;
    if (openKeys_.count(handle))
        return "is the open key " + openKeys_.at(handle);
    if (loadedLibraries_.count(handle))
        return "is the loaded library " + loadedLibraries_.at(handle).name;
    if (openFiles_.count(handle))
        return "is the open file " + openFiles_.at(handle);
    return "was never issued";
}

void SimulatedPc::misuse(const char* call, const char* kind, std::uintptr_t handle) {
    misuse(std::string(call) + " given " + kind + " handle " + hex(handle) + ", which " +
           whatHandleIs(handle));
}

void SimulatedPc::misuse(const std::string& message) {
    ++invalidHandleUses;
    misuseReport()("simulated PC: " + message);
}

void SimulatedPc::scopeEnded() {
    for (const auto& key : openKeys_)
        misuseReport()("simulated PC: key handle " + hex(key.first) + " (" + key.second +
                       ") is still open as the ScopedPlatform ends: RegOpenKeyExA opened it, no "
                       "RegCloseKey closed it");
    for (const auto& file : openFiles_)
        misuseReport()("simulated PC: file handle " + hex(file.first) + " (" + file.second +
                       ") is still open as the ScopedPlatform ends: CreateFileA created it, no "
                       "CloseHandle closed it");
}

std::int32_t SimulatedPc::enumerateSubkey(KeyHandle key, std::uint32_t index, char* name,
                                          std::uint32_t nameSize) {
    const std::string* path = openKeyPath(key, "RegEnumKeyA");
    if (!path)
        return kErrorInvalidHandle;
    const std::string prefix = *path + "\\";
    // The first components of the paths below the key, each dated by the first key created
    // under it. Deeper keys sort among the children ("0000\\Init" between "0000-1" and "0001"),
    // so each name is kept once, whatever follows it.
    std::map<std::string, std::uint64_t, CaseInsensitiveLess> created;
    for (auto it = registry.lower_bound(prefix);
         it != registry.end() && startsWithIgnoringCase(it->first, prefix); ++it) {
        const std::string rest = it->first.substr(prefix.size());
        const auto child = created.emplace(rest.substr(0, rest.find('\\')), it->second.created);
        child.first->second = std::min(child.first->second, it->second.created);
    }
    if (index >= created.size())
        return kErrorNoMoreItems;
    std::vector<std::pair<std::string, std::uint64_t>> children(created.begin(), created.end());
    if (!isNtFamily())
        std::stable_sort(children.begin(), children.end(),
                         [](const auto& a, const auto& b) { return a.second < b.second; });
    const std::string& child = children[index].first;
    if (child.size() + 1 > nameSize) {
        std::memcpy(name, child.data(), nameSize); // what fit, without its NUL
        return kErrorMoreData;
    }
    std::memcpy(name, child.c_str(), child.size() + 1);
    return kErrorSuccess;
}

std::int32_t SimulatedPc::queryValue(KeyHandle key, const std::string& valueName,
                                     std::uint32_t& type, unsigned char* data,
                                     std::uint32_t& dataSize) {
    const std::string* path = openKeyPath(key, "RegQueryValueExA");
    if (!path)
        return kErrorInvalidHandle;
    const auto k = registry.find(*path);
    if (k == registry.end())
        return kErrorFileNotFound;
    const auto v = k->second.values.find(valueName);
    if (v == k->second.values.end())
        return kErrorFileNotFound;
    const auto size = static_cast<std::uint32_t>(v->second.data.size());
    type = v->second.type;
    if (data && size > dataSize) {
        std::memcpy(data, v->second.data.data(), dataSize); // what fit, without its NUL
        dataSize = size;
        return kErrorMoreData;
    }
    if (data)
        std::memcpy(data, v->second.data.data(), size);
    dataSize = size;
    return kErrorSuccess;
}

void SimulatedPc::closeKey(KeyHandle key) {
    const auto open = openKeys_.find(key);
    if (open == openKeys_.end()) {
        misuse("RegCloseKey", "key", key);
        return;
    }
    endedHandles_[key] = "was the key " + open->second + " until RegCloseKey closed it";
    openKeys_.erase(open);
    --openKeyCount;
}

LibraryHandle SimulatedPc::loadLibrary(const std::string& fileName) {
    probed("LoadLibraryA", fileName);
    const auto it = libraries.find(fileName);
    if (it == libraries.end() || !it->second.loads)
        return 0;
    loadedLibraries.push_back(fileName);
    // A library that is loaded already keeps its handle and counts one load more.
    for (auto& loaded : loadedLibraries_)
        if (equalsIgnoringCase(loaded.second.name, fileName)) {
            ++loaded.second.references;
            return loaded.first;
        }
    const LibraryHandle library = nextHandle_++;
    loadedLibraries_[library] = LoadedLibrary{fileName, 1};
    return library;
}

ExportAddress SimulatedPc::findExport(LibraryHandle library, const std::string& exportName) {
    exportLookups.push_back(exportName);
    const auto loaded = loadedLibraries_.find(library);
    if (loaded == loadedLibraries_.end()) {
        misuse("GetProcAddress", "library", library);
        return 0;
    }
    const auto it = libraries.find(loaded->second.name);
    if (it == libraries.end() || !it->second.exports.count(exportName))
        return 0;
    exportAddresses_.emplace_back(library, exportName);
    return kFirstExportAddress + exportAddresses_.size() - 1;
}

void SimulatedPc::freeLibrary(LibraryHandle library) {
    const auto loaded = loadedLibraries_.find(library);
    if (loaded == loadedLibraries_.end()) {
        misuse("FreeLibrary", "library", library);
        return;
    }
    freedLibraries.push_back(loaded->second.name);
    if (--loaded->second.references > 0)
        return;
    endedHandles_[library] =
        "was the library " + loaded->second.name + " until FreeLibrary unloaded it";
    loadedLibraries_.erase(loaded);
}

std::uint32_t SimulatedPc::rasEnumDevices(ExportAddress entry, RasDeviceRecord* buffer,
                                          std::uint32_t& byteCount, std::uint32_t& deviceCount) {
    rasEnumByteCounts.push_back(byteCount);
    // On Windows either call would run code that is not RasEnumDevicesA, or no code at all.
    const auto calledThrough = [&](const std::string& what) {
        misuse("RasEnumDevicesA called through " + hex(entry) + ", " + what);
        return kErrorInvalidHandle;
    };
    if (entry < kFirstExportAddress || entry - kFirstExportAddress >= exportAddresses_.size())
        return calledThrough("which GetProcAddress never returned");
    const auto& address = exportAddresses_[entry - kFirstExportAddress];
    if (address.second != "RasEnumDevicesA")
        return calledThrough("the entry point of " + address.second);
    if (!loadedLibraries_.count(address.first))
        return calledThrough("its entry point in library handle " + hex(address.first) +
                             ", which " + whatHandleIs(address.first));
    const auto count = static_cast<std::uint32_t>(rasDevices.size());
    const std::uint32_t needed = rasReportedBytes.value_or(count * sizeof(RasDeviceRecord));
    if (buffer == nullptr || byteCount < needed) {
        byteCount = needed;
        deviceCount = count;
        return kRasErrorBufferTooSmall;
    }
    if (buffer->size != sizeof(RasDeviceRecord))
        return 632; // ERROR_INVALID_SIZE
    const std::uint32_t fits = std::min<std::uint32_t>(count, byteCount / sizeof(RasDeviceRecord));
    for (std::uint32_t i = 0; i < fits; ++i) {
        RasDeviceRecord& record = buffer[i];
        record.size = sizeof(RasDeviceRecord);
        std::strncpy(record.deviceType, "modem", sizeof record.deviceType);
        // A name of 129 characters or more fills the field with no terminating NUL.
        std::memset(record.deviceName, 0, sizeof record.deviceName);
        std::memcpy(record.deviceName, rasDevices[i].data(),
                    std::min(rasDevices[i].size(), sizeof record.deviceName));
    }
    deviceCount = rasReportedCount.value_or(fits);
    return rasFillResult;
}

// ---- Shell and files.

std::string SimulatedPc::fullPath(const std::string& path) {
    if (fullPathFails || path.empty())
        return {};
    std::string full = absolute(path);
    // The full path and its NUL must fit into MAX_PATH characters.
    return full.size() < kMaxPath ? full : std::string();
}

std::string SimulatedPc::absolute(const std::string& path) const {
    return isAbsolute(path) ? path : currentDirectory + "\\" + path;
}

bool SimulatedPc::pathExists(const std::string& path) {
    probed("GetFileAttributesA", path);
    if (path.empty() || isShareRootOrAbove(path))
        return failWith(kWin32BadNetPath);
    const std::string full = absolute(path);
    return existingPaths.count(full) || files.count(full) || folderExists(full) ||
           failWith(kErrorFileNotFound);
}

bool SimulatedPc::isFolder(const std::string& path) {
    return pathExists(path) && folderExists(path);
}

std::uint32_t SimulatedPc::findFirstFile(const std::string& pattern) {
    probed("FindFirstFileA", pattern);
    // Only "FOLDER\*" is asked for: does the folder hold anything.
    const std::string folder = folderName(absolute(pattern.substr(0, pattern.size() - 1)));
    if (pattern.size() < 2 || pattern.compare(pattern.size() - 2, 2, "\\*") != 0 ||
        !folderExists(folder)) {
        failWith(folder.compare(0, 2, "\\\\") == 0 ? kWin32BadNetPath : kErrorPathNotFound);
        return lastError;
    }
    const auto inFolder = [&](const std::string& path) { return parentFolder(path) == folder; };
    const bool any = std::any_of(existingPaths.begin(), existingPaths.end(), inFolder) ||
                     std::any_of(folders.begin(), folders.end(), inFolder) ||
                     std::any_of(files.begin(), files.end(),
                                 [&](const auto& file) { return inFolder(file.first); });
    if (!any)
        failWith(kErrorFileNotFound);
    return any ? 0 : lastError;
}

bool SimulatedPc::environmentVariable(const std::string& name, std::string& value) {
    const auto it = environment.find(name);
    if (it == environment.end())
        return false;
    value = it->second;
    return true;
}

std::intptr_t SimulatedPc::findExecutable(const std::string& file, std::string& executable) {
    executable.clear();
    if (!pathExists(file))
        return 2; // SE_ERR_FNF
    const auto it = associations.find(extensionOf(file));
    if (it == associations.end())
        return 31; // SE_ERR_NOASSOC
    executable = it->second;
    return 42;
}

std::intptr_t SimulatedPc::shellExecute(WindowHandle owner, const std::string& operation,
                                        const std::string& file, const std::string& parameters,
                                        int showCommand) {
    launches.push_back(Launch{owner, operation, file, parameters, showCommand});
    return launchResult;
}

bool SimulatedPc::isOpenFile(const std::string& full) const {
    for (const auto& open : openFiles_)
        if (equalsIgnoringCase(open.second, full))
            return true;
    return false;
}

bool SimulatedPc::isHeld(const std::string& full) const {
    const auto it = heldFiles.find(full);
    return it != heldFiles.end() && clockNanoseconds / 1000000u < it->second;
}

bool SimulatedPc::failWith(std::uint32_t error) {
    lastError = error;
    return false;
}

FileHandle SimulatedPc::createNewFile(const std::string& name) {
    const std::string full = fullPath(name);
    if (!full.empty() && (files.count(full) || existingPaths.count(full) || folderExists(full)))
        return failWith(kWin32FileExists);
    return createReportFile(name);
}

FileHandle SimulatedPc::createReportFile(const std::string& name) {
    const std::string full = fullPath(name);
    if (full.empty() || !folderExists(parentFolder(full)))
        return failWith(kErrorPathNotFound);
    if (lockedFiles.count(full))
        return failWith(kErrorAccessDenied);
    // A reader can hold only a file that exists: one that opens it once it appears holds it then.
    if (isOpenFile(full) || (isHeld(full) && files.count(full)))
        return failWith(kErrorSharingViolation); // no sharing while open
    files[full].clear();
    const FileHandle file = nextHandle_++;
    openFiles_[file] = full;
    ++openFileCount;
    return file;
}

bool SimulatedPc::writeFile(FileHandle file, const char* data, std::uint32_t size) {
    if (StandardStream* stream = standardStream(file)) {
        stream->written.append(data, size);
        return true;
    }
    const auto it = openFiles_.find(file);
    if (it == openFiles_.end()) {
        misuse("WriteFile", "file", file);
        return false;
    }
    fileWrites.emplace_back(data, size);
    std::uint32_t written = size;
    if (diskBytesLeft) {
        written = static_cast<std::uint32_t>(std::min<std::uint64_t>(size, *diskBytesLeft));
        *diskBytesLeft -= written;
    }
    files[it->second].append(data, written);
    return written == size || failWith(kErrorDiskFull);
}

void SimulatedPc::closeFile(FileHandle file) {
    const auto open = openFiles_.find(file);
    if (open == openFiles_.end()) {
        misuse("CloseHandle", "file", file);
        return;
    }
    endedHandles_[file] = "was the file " + open->second + " until CloseHandle closed it";
    openFiles_.erase(open);
    --openFileCount;
}

bool SimulatedPc::deleteFile(const std::string& name) {
    const std::string full = fullPath(name);
    if (isOpenFile(full) || isHeld(full))
        return failWith(kErrorSharingViolation); // opened without sharing
    return files.erase(full) > 0 || failWith(kErrorFileNotFound);
}

bool SimulatedPc::moveFile(const std::string& existingName, const std::string& newName) {
    const std::string from = fullPath(existingName);
    const std::string to = fullPath(newName);
    const auto it = files.find(from);
    if (it == files.end())
        return failWith(kErrorFileNotFound);
    if (isOpenFile(from) || isHeld(from))
        return failWith(kErrorSharingViolation);
    if (to.empty() || !folderExists(parentFolder(to)))
        return failWith(kErrorPathNotFound);
    if (files.count(to) || existingPaths.count(to) || folderExists(to))
        return failWith(kWin32AlreadyExists);
    if (lockedFiles.count(to))
        return failWith(kErrorAccessDenied);
    std::string content = std::move(it->second);
    files.erase(it);
    files[to] = std::move(content);
    return true;
}

bool SimulatedPc::replaceFile(const std::string& existingName, const std::string& newName) {
    if (!isNtFamily())
        return failWith(kWin32CallNotImplemented);
    const std::string to = fullPath(newName);
    // The file it replaces must be neither open nor a folder; Windows then denies access.
    if (!to.empty() && files.count(to)) {
        if (isOpenFile(to) || isHeld(to) || lockedFiles.count(to))
            return failWith(kErrorAccessDenied);
        const std::string kept = std::move(files[to]);
        files.erase(to);
        if (moveFile(existingName, newName))
            return true;
        files[to] = kept; // the old file stays when the move fails
        return false;
    }
    return moveFile(existingName, newName);
}

SimulatedPc::StandardStream* SimulatedPc::standardStream(FileHandle handle) {
    if (handle == kOutputHandle && outputStream.present)
        return &outputStream;
    if (handle == kErrorHandle && errorStream.present)
        return &errorStream;
    return nullptr;
}

FileHandle SimulatedPc::standardHandle(std::uint32_t which) {
    const FileHandle handle = which == kStdOutputHandle  ? kOutputHandle
                              : which == kStdErrorHandle ? kErrorHandle
                                                         : 0;
    return standardStream(handle) ? handle : 0;
}

bool SimulatedPc::isConsole(FileHandle handle) {
    const StandardStream* stream = standardStream(handle);
    return stream && stream->console;
}

std::string SimulatedPc::ansiToOem(const std::string& text) {
    std::string oem = text;
    for (char& c : oem)
        if (static_cast<unsigned char>(c) >= 0x80)
            c = kOem437[static_cast<unsigned char>(c) - 0x80];
    return oem;
}

bool SimulatedPc::ansiToUtf16(const std::string& text, std::u16string& wide) {
    if (ansiCodePage != 1252 && ansiCodePage != 1251)
        return false;
    wide.clear();
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        wide += ansiCodePage == 1251 ? cyrillicCodePoint(byte)
                                     : static_cast<char16_t>(windows1252CodePoint(byte));
    }
    return true;
}

std::string SimulatedPc::errorMessage(std::uint32_t code) {
    const auto it = kErrorTexts.find(code);
    return it == kErrorTexts.end() ? std::string() : it->second;
}

// ---- User interface.

std::string SimulatedPc::loadString(std::uint32_t id) {
    const char* text = builtInString(id);
    return text ? text : "";
}

int SimulatedPc::messageBox(WindowHandle owner, const std::string& text, const std::string& caption,
                            std::uint32_t flags) {
    messageBoxes.push_back(MessageBoxCall{owner, text, caption, flags});
    return kIdOk;
}

} // namespace prereq
