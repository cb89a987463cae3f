// WindowsServices: the one interface through which PrereqCheck learns about the PC and acts on
// it. Four narrow roles (system information, registry and libraries, shell and files, user
// interface) are gathered behind one façade. Win32Services answers with the real Windows API;
// SimulatedPc answers from plain data so every decision can be tested without Windows.
//
// Signatures use plain C++ types of the Windows widths, so this header never needs
// <windows.h>. Each operation names the Windows call it stands for.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace prereq {

// Opaque handles: 0 always means "none".
using KeyHandle = std::uintptr_t;     // HKEY
using LibraryHandle = std::uintptr_t; // HMODULE
using ExportAddress = std::uintptr_t; // FARPROC
using FileHandle = std::uintptr_t;    // HANDLE of an open report file
using WindowHandle = std::uintptr_t;  // HWND

// GetStdHandle's two output streams.
constexpr std::uint32_t kStdOutputHandle = static_cast<std::uint32_t>(-11); // STD_OUTPUT_HANDLE
constexpr std::uint32_t kStdErrorHandle = static_cast<std::uint32_t>(-12);  // STD_ERROR_HANDLE

// The fields of OSVERSIONINFOA that the version tests and the service-pack check read.
struct VersionInfo {
    std::uint32_t majorVersion = 0;
    std::uint32_t minorVersion = 0;
    std::uint32_t buildNumber = 0;
    std::uint32_t platformId = 0;
    std::string csdVersion; // szCSDVersion, at most 127 characters
};

constexpr std::uint32_t kPlatformWin32Windows = 1; // VER_PLATFORM_WIN32_WINDOWS
constexpr std::uint32_t kPlatformWin32Nt = 2;      // VER_PLATFORM_WIN32_NT

// GetDiskFreeSpaceA's four outputs.
struct DiskFreeSpace {
    std::uint32_t sectorsPerCluster = 0;
    std::uint32_t bytesPerSector = 0;
    std::uint32_t freeClusters = 0;
    std::uint32_t totalClusters = 0;
};

constexpr std::uint32_t kDriveCdRom = 5;         // DRIVE_CDROM
constexpr int kSmMousePresent = 19;              // SM_MOUSEPRESENT
constexpr std::uint32_t kProcessorPentium = 586; // PROCESSOR_INTEL_PENTIUM

// RASDEVINFOA as RasEnumDevicesA exchanges it: 152 bytes with the compiler's padding.
struct RasDeviceRecord {
    std::uint32_t size;   // dwSize
    char deviceType[17];  // szDeviceType[RAS_MaxDeviceType + 1]
    char deviceName[129]; // szDeviceName[RAS_MaxDeviceName + 1]
};
static_assert(sizeof(RasDeviceRecord) == 152, "RASDEVINFOA is 152 bytes");
constexpr std::uint32_t kRasErrorBufferTooSmall = 603; // ERROR_BUFFER_TOO_SMALL of raserror.h

// Registry value types of RegQueryValueExA.
constexpr std::uint32_t kRegSz = 1;     // REG_SZ
constexpr std::uint32_t kRegBinary = 3; // REG_BINARY
constexpr std::uint32_t kRegDword = 4;  // REG_DWORD
constexpr std::int32_t kErrorSuccess = 0;
constexpr std::int32_t kErrorFileNotFound = 2;
constexpr std::int32_t kErrorMoreData = 234;
constexpr std::int32_t kErrorNoMoreItems = 259;

// SetErrorMode's flags: no critical-error box ("insert a disk") and no box for a file or library
// that cannot be found; the system fails the call instead, as an unattended run needs.
constexpr std::uint32_t kSemFailCriticalErrors = 0x0001; // SEM_FAILCRITICALERRORS
constexpr std::uint32_t kSemNoOpenFileErrorBox = 0x8000; // SEM_NOOPENFILEERRORBOX
constexpr std::uint32_t kQuietErrorMode = kSemFailCriticalErrors | kSemNoOpenFileErrorBox;

// GetLastError codes the program tells apart.
constexpr std::uint32_t kWin32PathNotFound = 3;         // ERROR_PATH_NOT_FOUND
constexpr std::uint32_t kWin32AccessDenied = 5;         // ERROR_ACCESS_DENIED
constexpr std::uint32_t kWin32NoMoreFiles = 18;         // ERROR_NO_MORE_FILES
constexpr std::uint32_t kWin32SharingViolation = 32;    // ERROR_SHARING_VIOLATION
constexpr std::uint32_t kWin32LockViolation = 33;       // ERROR_LOCK_VIOLATION
constexpr std::uint32_t kWin32BadNetPath = 53;          // ERROR_BAD_NETPATH
constexpr std::uint32_t kWin32BadNetName = 67;          // ERROR_BAD_NET_NAME
constexpr std::uint32_t kWin32FileExists = 80;          // ERROR_FILE_EXISTS
constexpr std::uint32_t kWin32DiskFull = 112;           // ERROR_DISK_FULL
constexpr std::uint32_t kWin32CallNotImplemented = 120; // ERROR_CALL_NOT_IMPLEMENTED
constexpr std::uint32_t kWin32InvalidName = 123;        // ERROR_INVALID_NAME
constexpr std::uint32_t kWin32AlreadyExists = 183;      // ERROR_ALREADY_EXISTS
constexpr std::uint32_t kWin32FilenameExcedRange = 206; // ERROR_FILENAME_EXCED_RANGE

// Message box flags and results (MB_*, ID*), and the show commands of ShellExecuteA.
constexpr std::uint32_t kMbOk = 0x0;
constexpr std::uint32_t kMbIconExclamation = 0x30;
constexpr int kIdOk = 1;
constexpr int kSwShowNormal = 1;

// kernel32 and user32: what the hardware probes and the version tests measure.
class SystemInformation {
public:
    virtual ~SystemInformation() = default;
    // GetVersionExA with dwOSVersionInfoSize 148. False when the call fails; the record then
    // keeps whatever it held (the callers pass a zeroed one).
    virtual bool getVersion(VersionInfo& info) = 0;
    // GlobalMemoryStatus: dwTotalPhys, installed physical memory in bytes.
    virtual std::uint32_t totalPhysicalMemory() = 0;
    // GetSystemInfo: dwProcessorType.
    virtual std::uint32_t processorType() = 0;
    // QueryPerformanceFrequency and QueryPerformanceCounter; false when the call fails.
    virtual bool performanceFrequency(std::int64_t& ticksPerSecond) = 0;
    virtual bool performanceCounter(std::int64_t& ticks) = 0;
    // Sleep.
    virtual void sleep(std::uint32_t milliseconds) = 0;
    // The processor's time-stamp counter (RDTSC), read under a fault guard: false when the
    // processor has no counter or the read faulted; the fault never goes further.
    virtual bool readTimeStampCounter(std::uint64_t& cycles) = 0;
    // GetLogicalDrives: bit 0 for A: up to bit 25 for Z:; 0 when the call fails.
    virtual std::uint32_t logicalDrives() = 0;
    // GetDriveTypeA on a root path such as "E:\".
    virtual std::uint32_t driveType(const std::string& rootPath) = 0;
    // GetDiskFreeSpaceA on a root path; false when the call fails.
    virtual bool diskFreeSpace(const std::string& rootPath, DiskFreeSpace& space) = 0;
    // GetSystemMetrics.
    virtual int systemMetric(int index) = 0;
    // SetErrorMode for the whole process; returns the mode before.
    virtual std::uint32_t setErrorMode(std::uint32_t mode) = 0;
    // GetCurrentProcessId and GetTickCount (milliseconds since the system started).
    virtual std::uint32_t processId() = 0;
    virtual std::uint32_t tickCount() = 0;
};

// advapi32 (read-only registry under HKEY_LOCAL_MACHINE) and run-time library loading.
class RegistryAndLibraries {
public:
    virtual ~RegistryAndLibraries() = default;
    // RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ); returns the Win32 error code.
    virtual std::int32_t openKey(const std::string& path, KeyHandle& key) = 0;
    // RegEnumKeyA into a caller's buffer of nameSize bytes; returns the Win32 error code.
    virtual std::int32_t enumerateSubkey(KeyHandle key, std::uint32_t index, char* name,
                                         std::uint32_t nameSize) = 0;
    // RegQueryValueExA into a caller's buffer; dataSize is the buffer size on entry and the
    // value's size on return. Returns the Win32 error code.
    virtual std::int32_t queryValue(KeyHandle key, const std::string& valueName,
                                    std::uint32_t& type, unsigned char* data,
                                    std::uint32_t& dataSize) = 0;
    // RegCloseKey.
    virtual void closeKey(KeyHandle key) = 0;
    // LoadLibraryA, GetProcAddress, FreeLibrary.
    virtual LibraryHandle loadLibrary(const std::string& fileName) = 0;
    virtual ExportAddress findExport(LibraryHandle library, const std::string& exportName) = 0;
    virtual void freeLibrary(LibraryHandle library) = 0;
    // RasEnumDevicesA called through an entry point found by findExport. buffer may be null.
    virtual std::uint32_t rasEnumDevices(ExportAddress entry, RasDeviceRecord* buffer,
                                         std::uint32_t& byteCount, std::uint32_t& deviceCount) = 0;
};

// shell32 and kernel32: finding documents and starting their viewer; the report files.
class ShellAndFiles {
public:
    virtual ~ShellAndFiles() = default;
    // GetFileAttributesA succeeds: a file or a directory exists under path.
    virtual bool pathExists(const std::string& path) = 0;
    // GetFileAttributesA succeeds with FILE_ATTRIBUTE_DIRECTORY: a folder exists under path.
    virtual bool isFolder(const std::string& path) = 0;
    // GetFullPathNameA; empty when the full path cannot be formed.
    virtual std::string fullPath(const std::string& path) = 0;
    // GetEnvironmentVariableA; false when the variable is not set.
    virtual bool environmentVariable(const std::string& name, std::string& value) = 0;
    // FindExecutableA(file, no directory, 260-character buffer): the shell's result code.
    virtual std::intptr_t findExecutable(const std::string& file, std::string& executable) = 0;
    // ShellExecuteA: the shell's result code.
    virtual std::intptr_t shellExecute(WindowHandle owner, const std::string& operation,
                                       const std::string& file, const std::string& parameters,
                                       int showCommand) = 0;
    // A line on standard output (seen only when it is redirected).
    virtual void writeStandardOutput(const std::string& text) = 0;
    // CreateFileA(name, GENERIC_WRITE, share 0, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL);
    // 0 when the file cannot be created.
    virtual FileHandle createReportFile(const std::string& name) = 0;
    // WriteFile of exactly size bytes; false unless every byte was written. A write that
    // WriteFile calls a success with fewer bytes fails with ERROR_DISK_FULL.
    virtual bool writeFile(FileHandle file, const char* data, std::uint32_t size) = 0;
    // CloseHandle; false when it fails (a redirector that cached the writes may report only
    // here that they never reached the server). The handle is closed either way.
    virtual bool closeFile(FileHandle file) = 0;
    // FlushFileBuffers: the file's writes on its disk or server; false when they are not.
    virtual bool flushFile(FileHandle file) = 0;
    // GetFileSize of an open file, below 4 GB; false when the call fails.
    virtual bool fileSize(FileHandle file, std::uint32_t& size) = 0;
    // DeleteFileA.
    virtual bool deleteFile(const std::string& name) = 0;
    // MoveFileA, which fails when newName exists.
    virtual bool moveFile(const std::string& existingName, const std::string& newName) = 0;
    // MoveFileExA(existingName, newName, MOVEFILE_REPLACE_EXISTING): newName replaced in one
    // step. Windows 95 and 98 export it only as a stub that fails with
    // ERROR_CALL_NOT_IMPLEMENTED, and so does this call where the system has no such export.
    virtual bool replaceFile(const std::string& existingName, const std::string& newName) = 0;
    // CreateFileA(name, GENERIC_WRITE, share 0, CREATE_NEW, FILE_ATTRIBUTE_NORMAL): 0 when the
    // file exists already (ERROR_FILE_EXISTS) or cannot be created.
    virtual FileHandle createNewFile(const std::string& name) = 0;
    // FindFirstFileA(pattern), closed again at once with FindClose: 0 when an entry matches,
    // else GetLastError (ERROR_FILE_NOT_FOUND when the folder exists but nothing in it matches).
    virtual std::uint32_t findFirstFile(const std::string& pattern) = 0;
    // GetLastError: the reason the last call that failed gave.
    virtual std::uint32_t lastErrorCode() = 0;
    // FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS) for a Win32
    // error code, as Windows words it; empty when it has no text for the code.
    virtual std::string errorMessage(std::uint32_t code) = 0;
    // GetComputerNameA into a buffer of MAX_COMPUTERNAME_LENGTH + 1; empty when the call fails.
    virtual std::string computerName() = 0;
    // GetStdHandle(kStdOutputHandle or kStdErrorHandle); 0 when the program has no such stream
    // (NULL or INVALID_HANDLE_VALUE). writeFile writes to it; it is never closed.
    virtual FileHandle standardHandle(std::uint32_t which) = 0;
    // GetConsoleMode succeeds: the handle is a console, not a file or a pipe.
    virtual bool isConsole(FileHandle handle) = 0;
    // CharToOemBuffA: as many bytes, from the ANSI code page into the console's OEM one.
    virtual std::string ansiToOem(const std::string& text) = 0;
    // MultiByteToWideChar(CP_ACP, 0): text in the system's ANSI code page as UTF-16; false
    // when the call fails.
    virtual bool ansiToUtf16(const std::string& text, std::u16string& wide) = 0;
};

// user32: the string table and message boxes; the program's own file name.
class UserInterface {
public:
    virtual ~UserInterface() = default;
    // LoadStringA from the program's string table; empty for an unknown id.
    virtual std::string loadString(std::uint32_t id) = 0;
    // MessageBoxA; returns the button pressed.
    virtual int messageBox(WindowHandle owner, const std::string& text, const std::string& caption,
                           std::uint32_t flags) = 0;
    // GetModuleFileNameA(NULL): the full path of the running program.
    virtual std::string moduleFileName() = 0;
};

class WindowsServices : public SystemInformation,
                        public RegistryAndLibraries,
                        public ShellAndFiles,
                        public UserInterface {};

} // namespace prereq
