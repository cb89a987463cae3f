// SimulatedPc: a PC described by plain data, answering every WindowsServices call (and the fleet
// summary's ResultFolders calls) from it and recording what the program asked of it (keys
// opened, libraries loaded and freed, files written, boxes shown, programs launched, clock
// calls). Its clock is virtual: sleep() advances it and the time-stamp and performance counters
// follow, so a 100 ms measurement costs nothing.
//
// A test double kinder than Windows hides the faults the tests are there to catch, so where the
// program's correctness depends on it the simulated PC answers as Windows does:
// - Registry paths, value names, library names, file paths and environment variable names are
//   matched ignoring ASCII case; export names are matched exactly.
// - A key, library or file handle is valid only from the call that issued it until it is closed
//   or freed; a handle is never issued twice. A call given any other handle fails as Windows
//   fails it (ERROR_INVALID_HANDLE, no export, no write) and is a misuse: the PC reports it,
//   naming the call and the handle, counts it in invalidHandleUses and carries on.
// - A key or file still open when a ScopedPlatform that put the PC in place ends is a misuse
//   too. A library is not: the program keeps its libraries loaded until it ends.
// - A misuse goes to the report set with reportMisuseWith: by default a message on standard
//   error and abort(); the unit tests turn it into a failure of the running test.
// - A library is loaded once however often LoadLibraryA asks for it, and unloaded when its load
//   count drops to zero: its handle is dead from then on, a later LoadLibraryA is a fresh load
//   under a new handle. RasEnumDevicesA called through any address but its entry point in a
//   library still loaded is a misuse, where on Windows the call would crash.
// - RegEnumKeyA lists each subkey once, whatever deeper keys exist: on the NT family sorted
//   ignoring case, as NT keeps them; on the Windows 95 family in the order the keys were created
//   (a name by the first key created under it). A key exists also when it only holds subkeys.
// - RegEnumKeyA and RegQueryValueExA answer ERROR_MORE_DATA when the buffer is too small, and
//   then leave the part that fit in the buffer, unterminated, as the contents that Windows
//   calls undefined; RegQueryValueExA hands back the value's size either way.
// - A folder exists only when it is in folders (a PC starts with its current directory and the
//   program's folder); CreateFileA in any other fails with ERROR_PATH_NOT_FOUND.
// - GetFullPathNameA fails for a full path of MAX_PATH (260) characters or more, as the wrapper
//   around it does; CreateFileA without sharing fails while the file is open, and so does
//   DeleteFileA. MoveFileA fails when the new name exists, as it does on every Windows.
// - A network share's root (\\server\share, with or without a trailing '\') fails
//   GetFileAttributesA with ERROR_BAD_NETPATH, as Windows documents it ("specify a path to a
//   subfolder on that share"); FindFirstFileA on "root\*" and every subfolder answer as a
//   folder's. A file in heldFiles is open in a reader that shares nothing (from the moment it
//   exists, should it not yet): CreateFileA, DeleteFileA and MoveFileA fail with
//   ERROR_SHARING_VIOLATION, and MoveFileExA replacing it with ERROR_ACCESS_DENIED, until the
//   virtual clock reaches the moment the reader lets go.
// - MoveFileExA on the Windows 95 family is the stub its kernel32 exports: it fails with
//   ERROR_CALL_NOT_IMPLEMENTED. Each failing file call sets the error GetLastError answers, and
//   FormatMessageA words it as English Windows does.
// - SetErrorMode starts at 0, as for a process started without a mode to inherit: every drive
//   and library probe (GetDriveTypeA, GetDiskFreeSpaceA, GetFileAttributesA, FindFirstFileA,
//   LoadLibraryA) made while it has not turned off both system boxes is recorded in
//   probesWithBoxesOn.
// - CreateFileA fails for a name holding a wildcard ('?' or '*'), as the listing gives a name
//   with a character the ANSI code page cannot hold; the file's short name opens it.
// - MultiByteToWideChar and WideCharToMultiByte (CP_ACP) convert with the PC's ANSI code page,
//   1252 or 1251; a character the page lacks becomes '?'.
// - Every clock call is recorded in clockCalls in the order it was made.
// - FindFirstFileA lists "." and ".." first in any folder but a drive's root, and matches '*'
//   and '?' ignoring case; a file open for writing cannot be opened for reading (the report files
//   are written without sharing).
//
// What it still answers more kindly than Windows, so a fault that relies on it goes unseen:
// - Nothing changes under the program: keys, values, files and the remote-access devices stay
//   as the test described them from one call to the next, so RegEnumKeyA's indices stay put and
//   the device list does not grow between the sizing and the filling RasEnumDevicesA.
// - Nothing is denied that the test did not deny: every key opens unless it is not openable,
//   every folder is writable, a file is locked only in lockedFiles or heldFiles, the disk is
//   full only with diskBytesLeft (or writeBehind), no call fails for lack of memory, and closing
//   or freeing an open handle succeeds unless writeBehind has writes to report.
// - A share answers as a local folder does in all else: no other computer writes into it, no
//   file appears or goes unless the program or the test makes it, a rename is as atomic as on a
//   local disk, and no share or server drops out between two calls.
// - A misuse fails the call and the run goes on, where on Windows a call through a freed
//   library's entry point crashes and a stale handle may name another object opened since.
// - LoadLibraryA has no search order and no DllMain: no other copy of a library is found first,
//   and a described library loads unless it is marked not to.
// - The clock is exact: no counter drifts, no call takes time except Sleep, Sleep takes exactly
//   what it was asked for, and there is one time-stamp counter, not one per processor.
// - Every message box is answered with OK at once, and launched programs are only recorded.
// - A library left loaded at the end goes unreported: the program keeps its libraries on purpose.
//
// Where it deliberately simplifies:
// - Paths are not normalised: "." and ".." stay as given, '/' is not turned into '\' (but in a
//   folder's name, which also loses its trailing separators), and a relative path is taken
//   against currentDirectory whatever its drive. A folder needs no drive; path lengths are
//   limited only by GetFullPathNameA.
// - LoadLibraryA asks the described libraries on every call: a library removed from them no
//   longer loads, even while an earlier load of it is still in use. GetProcAddress answers from
//   the library's description, never from the program's own module, and never by ordinal.
// - Only what the program uses exists: read-only keys under HKEY_LOCAL_MACHINE, report files
//   that are created, written and closed, one callable entry point (RasEnumDevicesA).
// - FindFirstFileA lists in name order, as NTFS does (FAT lists in the order files were made);
//   a file has a short name only where shortNames gives it one, and was last written when
//   fileTimes says, else at the clock's time.
// - A console's OEM code page is 437: CharToOemBuffA maps each Windows-1252 byte to its 437
//   byte, or to a look-alike or '?' where 437 has none.
// - Of the ANSI code pages only 1252 and 1251 are known: MultiByteToWideChar fails with any
//   other, where Windows would decode it.
#pragma once

#include "platform/Platform.h"
#include "platform/WindowsServices.h"

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace prereq {

// Orders names as Windows compares registry paths, library and file names: ignoring ASCII case.
struct CaseInsensitiveLess {
    bool operator()(const std::string& a, const std::string& b) const;
};

class SimulatedPc : public ScopeCheckedServices, public ResultFolders {
public:
    // Where each misuse goes (see above); returns the report it replaces.
    using MisuseReport = std::function<void(const std::string& message)>;
    static MisuseReport reportMisuseWith(MisuseReport report);
    // Numbers keys in the order they are created, across every PC: a copied key keeps its own.
    static std::uint64_t nextKeyCreation();

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
        std::uint64_t created = nextKeyCreation(); // the 95 family lists subkeys in this order
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
    // Standard output or standard error: present unless the program was started without it, a
    // console or else a file or pipe, and every byte the program wrote to it.
    struct StandardStream {
        bool present = true;
        bool console = false;
        std::string written;
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
    void addExistingPath(const std::string& path); // a file that exists, and its folders
    void addFolder(const std::string& path);       // a folder that exists, and its parents
    bool folderExists(const std::string& path) const;
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
    bool logicalDrivesFail = false; // GetLogicalDrives answers 0
    bool mousePresent = true;
    std::map<std::string, Key, CaseInsensitiveLess> registry; // paths under HKEY_LOCAL_MACHINE
    std::map<std::string, Library, CaseInsensitiveLess> libraries;
    std::vector<std::string> rasDevices;
    std::optional<std::uint32_t> rasReportedBytes; // what the sizing call claims is needed
    std::optional<std::uint32_t> rasReportedCount; // device count the filling call hands back
    std::uint32_t rasFillResult = 0;               // the filling call's return value
    std::string currentDirectory = "C:\\Reports";
    std::set<std::string, CaseInsensitiveLess> existingPaths; // full paths
    // Full paths, without a trailing '\' but for a drive's root.
    std::set<std::string, CaseInsensitiveLess> folders = {
        "C:\\", "C:\\Program Files", "C:\\Program Files\\PrereqCheck", "C:\\Reports"};
    std::string computerNameText = "PC-1"; // empty: GetComputerNameA fails
    bool fullPathFails = false;
    std::map<std::string, std::string, CaseInsensitiveLess> environment;
    std::map<std::string, std::string, CaseInsensitiveLess> associations; // ".htm" -> program
    std::intptr_t launchResult = 42;
    std::set<std::string, CaseInsensitiveLess> lockedFiles; // full paths that cannot be created
    // Full paths a reader holds open, each until the virtual clock reaches the millisecond given.
    std::map<std::string, std::uint64_t, CaseInsensitiveLess> heldFiles;
    std::uint32_t ansiCodePage = 1252;   // GetACP: 1252 Western, 1251 Cyrillic
    std::string listSeparatorText = ","; // GetLocaleInfoA(LOCALE_SLIST): ";" in Germany
    std::uint32_t processIdValue = 0x5C;
    std::uint32_t tickCountStart = 3600000;     // GetTickCount when the virtual clock stood at 0
    std::optional<std::uint64_t> diskBytesLeft; // writes fail beyond this
    // Servers that answer as older or stricter ones do (full folder names, as in folders):
    // a drop box lists nothing (FindFirstFileA in it fails with ERROR_ACCESS_DENIED) but takes
    // new files and renames; a server without a replacing rename fails MoveFileExA with
    // MOVEFILE_REPLACE_EXISTING onto an existing file with ERROR_ACCESS_DENIED.
    std::set<std::string, CaseInsensitiveLess> dropBoxes;
    std::set<std::string, CaseInsensitiveLess> noReplacingRename;
    // A share that drops while a folder is listed: FindNextFileA fails with the error after
    // that many entries (full folder name -> entries, error).
    std::map<std::string, std::pair<std::size_t, std::uint32_t>, CaseInsensitiveLess> listingDrops;
    // Full paths of files -> their 8.3 names (cAlternateFileName), which CreateFileA also opens,
    // and their last-write times (FILETIME; files not named here were written at clock's time).
    std::map<std::string, std::string, CaseInsensitiveLess> shortNames;
    std::map<std::string, std::uint64_t, CaseInsensitiveLess> fileTimes;
    // A redirector that carries out MoveFileExA's replace as a delete and then a rename: should
    // the rename fail, the file it replaced is gone all the same.
    std::set<std::string, CaseInsensitiveLess> replaceDeletesFirst;
    // A server that takes 8.3 names only: CreateFileA of any other fails with ERROR_INVALID_NAME.
    std::set<std::string, CaseInsensitiveLess> shortNamesOnly;
    // A redirector that caches writes: WriteFile takes every byte, and only serverBytesLeft of
    // them reach the server. FlushFileBuffers reports the rest with ERROR_DISK_FULL (unless
    // flushIgnored: it then succeeds and sends nothing), and CloseHandle whatever no flush sent.
    struct WriteBehind {
        std::uint64_t serverBytesLeft = 0;
        bool flushIgnored = false;
    };
    std::optional<WriteBehind> writeBehind;
    std::string programPath = "C:\\Program Files\\PrereqCheck\\PrereqCheck.exe";
    // What GetLocalTime and GetTimeZoneInformation answer.
    LocalTime clock = {2026, 12, 9, 14, 5, 30, true, 60};

    // ---- What the program did.
    std::map<std::string, std::string, CaseInsensitiveLess> files; // full path -> content
    std::vector<std::string> openedKeys;       // every successful open, in order
    std::vector<std::string> loadedLibraries;  // every successful load, in order
    std::vector<std::string> freedLibraries;   // every free, in order
    std::vector<std::string> driveTypeQueries; // root paths, in order
    std::vector<std::string> freeSpaceQueries; // root paths, in order
    // GetVersionExA, GetDriveTypeA, GetDiskFreeSpaceA, LoadStringA and LoadLibraryA (failed
    // ones too), each counted by its name: the facts a run should ask Windows for only once.
    std::map<std::string, unsigned> callCounts;
    // Every GetProcAddress name, and the byte count passed to each RasEnumDevicesA call, in order.
    std::vector<std::string> exportLookups;
    std::vector<std::uint32_t> rasEnumByteCounts;
    std::vector<MessageBoxCall> messageBoxes;
    std::vector<Launch> launches;
    std::string standardOutput;
    StandardStream outputStream; // GetStdHandle(STD_OUTPUT_HANDLE)
    StandardStream errorStream;  // GetStdHandle(STD_ERROR_HANDLE)
    std::uint64_t clockNanoseconds = 0;
    std::uint64_t sleptMilliseconds = 0;
    // Successful time-stamp counter reads. Each read lands one cycle after the one before, as
    // on a real processor, even while the virtual clock stands still.
    std::uint64_t timeStampReads = 0;
    // Every time-stamp counter read ("tsc"), performance counter read ("counter") and sleep
    // ("sleep"), in order, whether it succeeded or not.
    std::vector<std::string> clockCalls;
    int openKeyCount = 0;  // keys open now
    int openFileCount = 0; // report files open now
    // Calls given a key, library or file handle that is not open: never issued, closed or freed.
    // Each is a misuse, reported as well; the fuzz target checks the count.
    int invalidHandleUses = 0;
    // The bytes each writeFile call was given, in order.
    std::vector<std::string> fileWrites;
    // GetLastError after the last file call that failed: ERROR_PATH_NOT_FOUND (3) for a
    // missing folder, ERROR_ACCESS_DENIED (5) for a locked file, ERROR_SHARING_VIOLATION (32).
    std::uint32_t lastError = 0;
    std::uint32_t errorMode = 0; // what SetErrorMode set last
    // Each drive or library probe made with a system box still on: the call and what it was given.
    std::vector<std::string> probesWithBoxesOn;
    // How many loads of the library are not yet freed; 0 once it is unloaded.
    int loadedLibraryReferences(const std::string& name) const;

    // ---- WindowsServices.
    bool getVersion(VersionInfo& info) override;
    std::uint32_t totalPhysicalMemory() override { return totalPhysicalBytes; }
    std::uint32_t processorType() override { return processorCode; }
    bool performanceFrequency(std::int64_t& ticksPerSecond) override;
    bool performanceCounter(std::int64_t& ticks) override;
    void sleep(std::uint32_t milliseconds) override;
    bool readTimeStampCounter(std::uint64_t& cycles) override;
    std::uint32_t logicalDrives() override;
    std::uint32_t driveType(const std::string& rootPath) override;
    bool diskFreeSpace(const std::string& rootPath, DiskFreeSpace& space) override;
    int systemMetric(int index) override;
    std::uint32_t setErrorMode(std::uint32_t mode) override;
    std::uint32_t processId() override { return processIdValue; }
    std::uint32_t tickCount() override;

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
    bool isFolder(const std::string& path) override;
    std::string fullPath(const std::string& path) override;
    bool environmentVariable(const std::string& name, std::string& value) override;
    std::intptr_t findExecutable(const std::string& file, std::string& executable) override;
    std::intptr_t shellExecute(WindowHandle owner, const std::string& operation,
                               const std::string& file, const std::string& parameters,
                               int showCommand) override;
    void writeStandardOutput(const std::string& text) override { standardOutput += text; }
    FileHandle createReportFile(const std::string& name) override;
    bool writeFile(FileHandle file, const char* data, std::uint32_t size) override;
    bool closeFile(FileHandle file) override;
    bool flushFile(FileHandle file) override;
    bool fileSize(FileHandle file, std::uint32_t& size) override;
    bool deleteFile(const std::string& name) override;
    bool moveFile(const std::string& existingName, const std::string& newName) override;
    bool replaceFile(const std::string& existingName, const std::string& newName) override;
    FileHandle createNewFile(const std::string& name) override;
    std::uint32_t findFirstFile(const std::string& pattern) override;
    std::uint32_t lastErrorCode() override { return lastError; }
    std::string errorMessage(std::uint32_t code) override;
    std::string computerName() override { return computerNameText; }
    FileHandle standardHandle(std::uint32_t which) override;
    bool isConsole(FileHandle handle) override;
    std::string ansiToOem(const std::string& text) override;
    bool ansiToUtf16(const std::string& text, std::u16string& wide) override;

    std::string loadString(std::uint32_t id) override;
    int messageBox(WindowHandle owner, const std::string& text, const std::string& caption,
                   std::uint32_t flags) override;
    std::string moduleFileName() override { return programPath; }

    // ---- ResultFolders.
    std::uint32_t findFiles(const std::string& pattern, std::vector<FoundFile>& found) override;
    bool readFile(const std::string& name, std::uint32_t maxBytes, std::string& content) override;
    LocalTime localTime() override { return clock; }
    std::string unicodeToAnsi(const std::u16string& text) override;
    std::string listSeparator() override { return listSeparatorText; }

    // ---- ScopeCheckedServices: every key and file still open is a misuse.
    void scopeEnded() override;
    ResultFolders& resultFolders() override { return *this; }

private:
    char16_t ansiCodePoint(unsigned char byte) const; // by the ANSI code page
    struct LoadedLibrary {
        std::string name;
        int references = 0;
    };

    bool keyExists(const std::string& path) const;
    // The path of an open key; null, and a misuse of the call, for any other handle.
    const std::string* openKeyPath(KeyHandle key, const char* call);
    // The call was given a handle that is not an open one of the kind it takes: reported, counted.
    void misuse(const char* call, const char* kind, std::uintptr_t handle);
    void misuse(const std::string& message);
    std::string whatHandleIs(std::uintptr_t handle) const; // "was never issued", and so on
    std::string absolute(const std::string& path) const;
    bool isOpenFile(const std::string& full) const;
    bool isHeld(const std::string& full) const; // open in a reader, by heldFiles
    bool failWith(std::uint32_t error);         // sets lastError; false
    void probed(const char* call, const std::string& argument);
    StandardStream* standardStream(FileHandle handle); // null for any other handle
    std::uint64_t counterAt(long double perSecond) const;

    std::map<KeyHandle, std::string> openKeys_;
    std::map<LibraryHandle, LoadedLibrary> loadedLibraries_; // loaded now
    // Entry point n (from kFirstExportAddress on) is exportAddresses_[n]: its library and name.
    std::vector<std::pair<LibraryHandle, std::string>> exportAddresses_;
    std::map<FileHandle, std::string> openFiles_;
    std::map<FileHandle, std::string> cachedWrites_; // by writeBehind, not yet on the server
    bool sendCachedWrites(FileHandle file);          // false: ERROR_DISK_FULL for the rest
    // Handles no longer open: what each was, and which call ended it.
    std::map<std::uintptr_t, std::string> endedHandles_;
    std::uintptr_t nextHandle_ = 0x100; // keys, libraries and files alike
};

} // namespace prereq
