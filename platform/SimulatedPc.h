// SimulatedPc: a PC described by plain data, answering every WindowsServices call the way
// Windows would, and recording what the program asked of it (keys opened, libraries loaded and
// freed, files written, boxes shown, programs launched). Its clock is virtual: sleep() advances
// it and the time-stamp and performance counters follow, so a 100 ms measurement costs nothing.
#pragma once

#include "platform/WindowsServices.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace prereq {

// Orders names as Windows compares registry paths, library and file names: ignoring ASCII case.
struct CaseInsensitiveLess {
    bool operator()(const std::string& a, const std::string& b) const;
};

class SimulatedPc : public WindowsServices {
public:
    struct Drive {
        std::uint32_t type = 3; // DRIVE_FIXED
        bool readable = true;   // GetDiskFreeSpaceA succeeds
        DiskFreeSpace space;
    };
    struct Value {
        std::uint32_t type = kRegSz;
        std::string data; // the raw bytes, including any terminating NUL
    };
    struct Key {
        std::map<std::string, Value, CaseInsensitiveLess> values;
        bool openable = true;
    };
    struct Library {
        std::set<std::string> exports; // case-sensitive, as GetProcAddress matches them
        bool loads = true;
    };
    struct MessageBoxCall {
        WindowHandle owner;
        std::string text;
        std::string caption;
        std::uint32_t flags;
    };
    struct Launch {
        WindowHandle owner;
        std::string operation;
        std::string file;
        std::string parameters;
        int showCommand;
    };

    // ---- Presets: a PC of each system that satisfies every product, to be varied by a test.
    static SimulatedPc windowsNt4(const std::string& servicePack = "Service Pack 6");
    static SimulatedPc windows2000();
    static SimulatedPc windows98();
    static SimulatedPc windows95();

    // ---- Describing the PC.
    bool isNtFamily() const { return version.platformId == kPlatformWin32Nt; }
    void setMemoryBytes(std::uint32_t bytes) { totalPhysicalBytes = bytes; }
    // Free space in whole MB, as 512-byte sectors in 8-sector clusters.
    void addFixedDrive(char letter, std::uint64_t freeMb);
    void addCdRomDrive(char letter); // GetDiskFreeSpaceA fails: no medium
    void addKey(const std::string& path);
    void setValue(const std::string& keyPath, const std::string& name, std::uint32_t type,
                  const std::string& bytes);
    void setStringValue(const std::string& keyPath, const std::string& name,
                        const std::string& text); // REG_SZ with its NUL
    void addLibrary(const std::string& name, std::set<std::string> exports);
    // The system's own dial-up software, as the real system installs it: the Remote Access
    // Service on NT, Dial-Up Networking 1.2 on the Windows 95 family.
    void installRemoteAccess();
    void removeRemoteAccess();
    // The console's modem driver: a remote-access device and a modem-class registry entry.
    void installConsoleModem();
    static std::string modemClassKey(bool ntFamily);
    void addExistingPath(const std::string& path); // a file or directory that exists
    void setAssociation(const std::string& extension, const std::string& program);

    VersionInfo version;
    bool versionQueryFails = false;
    std::uint32_t totalPhysicalBytes = 64u << 20;
    std::uint32_t processorCode = kProcessorPentium;
    long double processorHz = 300e6L;
    bool hasTimeStampCounter = true;
    std::uint64_t timeStampCounterStart = 0; // the counter's value when the clock stood at 0
    bool timeStampCounterFrozen = false;     // every read answers timeStampCounterStart
    // QueryPerformanceCounter counts down (the negated ticks).
    bool performanceCounterRunsBackwards = false;
    std::int64_t performanceTicksPerSecond = 3579545;
    bool performanceCounterFrozen = false;
    std::map<char, Drive> drives;
    bool mousePresent = true;
    std::map<std::string, Key, CaseInsensitiveLess> registry; // paths under HKEY_LOCAL_MACHINE
    std::map<std::string, Library, CaseInsensitiveLess> libraries;
    std::vector<std::string> rasDevices;
    std::optional<std::uint32_t> rasReportedBytes; // what the sizing call claims is needed
    std::optional<std::uint32_t> rasReportedCount; // device count the filling call hands back
    std::uint32_t rasFillResult = 0;               // the filling call's return value
    std::string currentDirectory = "C:\\Reports";
    std::set<std::string, CaseInsensitiveLess> existingPaths; // full paths
    bool fullPathFails = false;
    std::map<std::string, std::string, CaseInsensitiveLess> environment;
    std::map<std::string, std::string, CaseInsensitiveLess> associations; // ".htm" -> program
    std::intptr_t launchResult = 42;
    std::set<std::string, CaseInsensitiveLess> lockedFiles; // full paths that cannot be created
    std::optional<std::uint64_t> diskBytesLeft;             // writes fail beyond this
    std::string programPath = "C:\\Program Files\\PrereqCheck\\PrereqCheck.exe";

    // ---- What the program did.
    std::map<std::string, std::string, CaseInsensitiveLess> files; // full path -> content
    std::vector<std::string> openedKeys;       // every successful open, in order
    std::vector<std::string> loadedLibraries;  // every successful load, in order
    std::vector<std::string> freedLibraries;   // every free, in order
    std::vector<std::string> driveTypeQueries; // root paths, in order
    std::vector<std::string> freeSpaceQueries; // root paths, in order
    // Every GetProcAddress name, and the byte count passed to each RasEnumDevicesA call, in order.
    std::vector<std::string> exportLookups;
    std::vector<std::uint32_t> rasEnumByteCounts;
    std::vector<MessageBoxCall> messageBoxes;
    std::vector<Launch> launches;
    std::string standardOutput;
    std::uint64_t clockNanoseconds = 0;
    std::uint64_t sleptMilliseconds = 0;
    // Successful time-stamp counter reads. Each read lands one cycle after the one before, as
    // on a real processor, even while the virtual clock stands still.
    std::uint64_t timeStampReads = 0;
    int openKeyCount = 0;  // keys open now
    int openFileCount = 0; // report files open now
    // The bytes each writeFile call was given, in order.
    std::vector<std::string> fileWrites;
    int loadedLibraryReferences(const std::string& name) const;

    // ---- WindowsServices.
    bool getVersion(VersionInfo& info) override;
    std::uint32_t totalPhysicalMemory() override { return totalPhysicalBytes; }
    std::uint32_t processorType() override { return processorCode; }
    bool performanceFrequency(std::int64_t& ticksPerSecond) override;
    bool performanceCounter(std::int64_t& ticks) override;
    void sleep(std::uint32_t milliseconds) override;
    bool readTimeStampCounter(std::uint64_t& cycles) override;
    std::uint32_t driveType(const std::string& rootPath) override;
    bool diskFreeSpace(const std::string& rootPath, DiskFreeSpace& space) override;
    int systemMetric(int index) override;

    std::int32_t openKey(const std::string& path, KeyHandle& key) override;
    std::int32_t enumerateSubkey(KeyHandle key, std::uint32_t index, char* name,
                                 std::uint32_t nameSize) override;
    std::int32_t queryValue(KeyHandle key, const std::string& valueName, std::uint32_t& type,
                            unsigned char* data, std::uint32_t& dataSize) override;
    void closeKey(KeyHandle key) override;
    LibraryHandle loadLibrary(const std::string& fileName) override;
    ExportAddress findExport(LibraryHandle library, const std::string& exportName) override;
    void freeLibrary(LibraryHandle library) override;
    std::uint32_t rasEnumDevices(ExportAddress entry, RasDeviceRecord* buffer,
                                 std::uint32_t& byteCount, std::uint32_t& deviceCount) override;

    bool pathExists(const std::string& path) override;
    std::string fullPath(const std::string& path) override;
    bool environmentVariable(const std::string& name, std::string& value) override;
    std::intptr_t findExecutable(const std::string& file, std::string& executable) override;
    std::intptr_t shellExecute(WindowHandle owner, const std::string& operation,
                               const std::string& file, const std::string& parameters,
                               int showCommand) override;
    void writeStandardOutput(const std::string& text) override { standardOutput += text; }
    FileHandle createReportFile(const std::string& name) override;
    bool writeFile(FileHandle file, const char* data, std::uint32_t size) override;
    void closeFile(FileHandle file) override;
    bool deleteFile(const std::string& name) override;

    std::string loadString(std::uint32_t id) override;
    int messageBox(WindowHandle owner, const std::string& text, const std::string& caption,
                   std::uint32_t flags) override;
    std::string moduleFileName() override { return programPath; }

private:
    bool keyExists(const std::string& path) const;
    std::uint64_t counterAt(long double perSecond) const;

    std::map<KeyHandle, std::string> openKeys_;
    std::vector<std::string> libraryHandles_; // handle n names libraryHandles_[n - 1]
    std::map<std::string, int, CaseInsensitiveLess> libraryReferences_;
    std::vector<std::pair<LibraryHandle, std::string>> exportAddresses_; // address n - 1
    std::map<FileHandle, std::string> openFiles_;
    std::uintptr_t nextHandle_ = 0x100;
};

} // namespace prereq
