// Win32Services: each operation is one Windows call and the conversion of its results.
#include "platform/Win32Services.h"

#include "platform/TimeStampCounter.h"

#include <windows.h>

#include <shellapi.h>

#include <cstring>
#include <vector>

namespace prereq {

namespace {

HKEY toKey(KeyHandle key) {
    return reinterpret_cast<HKEY>(key);
}
HMODULE toModule(LibraryHandle library) {
    return reinterpret_cast<HMODULE>(library);
}
HANDLE toHandle(FileHandle file) {
    return reinterpret_cast<HANDLE>(file);
}
HWND toWindow(WindowHandle window) {
    return reinterpret_cast<HWND>(window);
}

using RasEnumDevicesFunction = DWORD(WINAPI*)(void*, DWORD*, DWORD*);
using MoveFileExFunction = BOOL(WINAPI*)(LPCSTR, LPCSTR, DWORD);

FileHandle createFile(const std::string& name, DWORD disposition) {
    const HANDLE file = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, disposition,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    return file == INVALID_HANDLE_VALUE ? 0 : reinterpret_cast<FileHandle>(file);
}

} // namespace

// ---- System information.

bool Win32Services::getVersion(VersionInfo& info) {
    OSVERSIONINFOA version;
    std::memset(&version, 0, sizeof version);
    static_assert(sizeof version == 148, "OSVERSIONINFOA is 148 bytes");
    version.dwOSVersionInfoSize = sizeof version;
    const bool ok = GetVersionExA(&version) != 0;
    info.majorVersion = version.dwMajorVersion;
    info.minorVersion = version.dwMinorVersion;
    info.buildNumber = version.dwBuildNumber;
    info.platformId = version.dwPlatformId;
    info.csdVersion.assign(version.szCSDVersion,
                           strnlen(version.szCSDVersion, sizeof version.szCSDVersion));
    return ok;
}

std::uint32_t Win32Services::totalPhysicalMemory() {
    MEMORYSTATUS status;
    std::memset(&status, 0, sizeof status);
    status.dwLength = sizeof status;
    GlobalMemoryStatus(&status);
    // The record's field is a SIZE_T on 64-bit Windows; the 32-bit value is what the probe
    // measures, and GlobalMemoryStatus itself caps it at 4 GB - 1 on 32-bit systems.
    return status.dwTotalPhys > 0xFFFFFFFFu ? 0xFFFFFFFFu
                                            : static_cast<std::uint32_t>(status.dwTotalPhys);
}

std::uint32_t Win32Services::processorType() {
    SYSTEM_INFO info;
    std::memset(&info, 0, sizeof info);
    GetSystemInfo(&info);
    return info.dwProcessorType;
}

bool Win32Services::performanceFrequency(std::int64_t& ticksPerSecond) {
    LARGE_INTEGER value;
    value.QuadPart = 0;
    const bool ok = QueryPerformanceFrequency(&value) != 0;
    ticksPerSecond = value.QuadPart;
    return ok;
}

bool Win32Services::performanceCounter(std::int64_t& ticks) {
    LARGE_INTEGER value;
    value.QuadPart = 0;
    const bool ok = QueryPerformanceCounter(&value) != 0;
    ticks = value.QuadPart;
    return ok;
}

void Win32Services::sleep(std::uint32_t milliseconds) {
    Sleep(milliseconds);
}

bool Win32Services::readTimeStampCounter(std::uint64_t& cycles) {
    return readTimeStampCounterGuarded(cycles);
}

std::uint32_t Win32Services::logicalDrives() {
    return GetLogicalDrives();
}

std::uint32_t Win32Services::driveType(const std::string& rootPath) {
    return GetDriveTypeA(rootPath.c_str());
}

bool Win32Services::diskFreeSpace(const std::string& rootPath, DiskFreeSpace& space) {
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
    // A drive without a medium fails quietly: the programs turn the boxes off at start-up.
    const bool ok = GetDiskFreeSpaceA(rootPath.c_str(), &sectorsPerCluster, &bytesPerSector,
                                      &freeClusters, &totalClusters) != 0;
    space = DiskFreeSpace{sectorsPerCluster, bytesPerSector, freeClusters, totalClusters};
    return ok;
}

int Win32Services::systemMetric(int index) {
    return GetSystemMetrics(index);
}

std::uint32_t Win32Services::setErrorMode(std::uint32_t mode) {
    return SetErrorMode(mode);
}

std::uint32_t Win32Services::processId() {
    return GetCurrentProcessId();
}

std::uint32_t Win32Services::tickCount() {
    return GetTickCount();
}

// ---- Registry and libraries.

std::int32_t Win32Services::openKey(const std::string& path, KeyHandle& key) {
    HKEY handle = nullptr;
    const LONG result = RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &handle);
    key = result == ERROR_SUCCESS ? reinterpret_cast<KeyHandle>(handle) : 0;
    return result;
}

std::int32_t Win32Services::enumerateSubkey(KeyHandle key, std::uint32_t index, char* name,
                                            std::uint32_t nameSize) {
    return RegEnumKeyA(toKey(key), index, name, nameSize);
}

std::int32_t Win32Services::queryValue(KeyHandle key, const std::string& valueName,
                                       std::uint32_t& type, unsigned char* data,
                                       std::uint32_t& dataSize) {
    DWORD valueType = 0;
    DWORD size = dataSize;
    const LONG result =
        RegQueryValueExA(toKey(key), valueName.c_str(), nullptr, &valueType, data, &size);
    type = valueType;
    dataSize = size;
    return result;
}

void Win32Services::closeKey(KeyHandle key) {
    RegCloseKey(toKey(key));
}

LibraryHandle Win32Services::loadLibrary(const std::string& fileName) {
    return reinterpret_cast<LibraryHandle>(LoadLibraryA(fileName.c_str()));
}

ExportAddress Win32Services::findExport(LibraryHandle library, const std::string& exportName) {
    return reinterpret_cast<ExportAddress>(GetProcAddress(toModule(library), exportName.c_str()));
}

void Win32Services::freeLibrary(LibraryHandle library) {
    FreeLibrary(toModule(library));
}

std::uint32_t Win32Services::rasEnumDevices(ExportAddress entry, RasDeviceRecord* buffer,
                                            std::uint32_t& byteCount, std::uint32_t& deviceCount) {
    const auto function = reinterpret_cast<RasEnumDevicesFunction>(entry);
    DWORD bytes = byteCount;
    DWORD devices = deviceCount;
    const DWORD result = function(buffer, &bytes, &devices);
    byteCount = bytes;
    deviceCount = devices;
    return result;
}

// ---- Shell and files.

bool Win32Services::pathExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Win32Services::isFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::string Win32Services::fullPath(const std::string& path) {
    char buffer[MAX_PATH];
    char* filePart = nullptr;
    const DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, buffer, &filePart);
    if (length == 0 || length >= MAX_PATH)
        return {};
    return std::string(buffer, length);
}

bool Win32Services::environmentVariable(const std::string& name, std::string& value) {
    const DWORD needed = GetEnvironmentVariableA(name.c_str(), nullptr, 0);
    if (needed == 0)
        return false; // not set: a set variable needs at least its terminating NUL
    std::vector<char> buffer(needed);
    const DWORD length = GetEnvironmentVariableA(name.c_str(), buffer.data(), needed);
    if (length >= needed)
        return false;
    value.assign(buffer.data(), length);
    return true;
}

std::intptr_t Win32Services::findExecutable(const std::string& file, std::string& executable) {
    char buffer[MAX_PATH] = {};
    const HINSTANCE result = FindExecutableA(file.c_str(), nullptr, buffer);
    executable.assign(buffer, strnlen(buffer, sizeof buffer));
    return reinterpret_cast<std::intptr_t>(result);
}

std::intptr_t Win32Services::shellExecute(WindowHandle owner, const std::string& operation,
                                          const std::string& file, const std::string& parameters,
                                          int showCommand) {
    return reinterpret_cast<std::intptr_t>(ShellExecuteA(toWindow(owner), operation.c_str(),
                                                         file.c_str(), parameters.c_str(), nullptr,
                                                         showCommand));
}

// As the C run-time's standard output in text mode wrote it: line ends as CR LF, and nothing
// when the program was started without that stream.
void Win32Services::writeStandardOutput(const std::string& text) {
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    if (output == nullptr || output == INVALID_HANDLE_VALUE)
        return;
    std::string windowsText;
    for (const char c : text)
        windowsText += c == '\n' ? std::string("\r\n") : std::string(1, c);
    DWORD written = 0;
    WriteFile(output, windowsText.data(), static_cast<DWORD>(windowsText.size()), &written,
              nullptr);
}

FileHandle Win32Services::createReportFile(const std::string& name) {
    return createFile(name, CREATE_ALWAYS);
}

FileHandle Win32Services::createNewFile(const std::string& name) {
    return createFile(name, CREATE_NEW);
}

bool Win32Services::writeFile(FileHandle file, const char* data, std::uint32_t size) {
    DWORD written = 0;
    if (!WriteFile(toHandle(file), data, size, &written, nullptr))
        return false;
    if (written == size)
        return true;
    // A success with fewer bytes leaves GetLastError as it was: the rest found no room.
    SetLastError(ERROR_DISK_FULL);
    return false;
}

bool Win32Services::closeFile(FileHandle file) {
    return CloseHandle(toHandle(file)) != 0;
}

bool Win32Services::flushFile(FileHandle file) {
    return FlushFileBuffers(toHandle(file)) != 0;
}

bool Win32Services::fileSize(FileHandle file, std::uint32_t& size) {
    SetLastError(NO_ERROR);
    size = GetFileSize(toHandle(file), nullptr);
    // INVALID_FILE_SIZE is also a size; only GetLastError tells them apart.
    return size != INVALID_FILE_SIZE || GetLastError() == NO_ERROR;
}

bool Win32Services::deleteFile(const std::string& name) {
    return DeleteFileA(name.c_str()) != 0;
}

bool Win32Services::moveFile(const std::string& existingName, const std::string& newName) {
    return MoveFileA(existingName.c_str(), newName.c_str()) != 0;
}

// Looked up at run time rather than imported: the references of Windows 95 list MoveFileExA as
// unsupported there (its kernel32 exports a stub that fails with ERROR_CALL_NOT_IMPLEMENTED),
// so a system without the export answers as that stub does.
bool Win32Services::replaceFile(const std::string& existingName, const std::string& newName) {
    const auto moveFileEx = reinterpret_cast<MoveFileExFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "MoveFileExA")));
    if (!moveFileEx) {
        SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
        return false;
    }
    return moveFileEx(existingName.c_str(), newName.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

std::uint32_t Win32Services::findFirstFile(const std::string& pattern) {
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return GetLastError();
    FindClose(search);
    return ERROR_SUCCESS;
}

std::uint32_t Win32Services::lastErrorCode() {
    return GetLastError();
}

std::string Win32Services::errorMessage(std::uint32_t code) {
    char buffer[512];
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, buffer, sizeof buffer, nullptr);
    return std::string(buffer, length < sizeof buffer ? length : 0);
}

std::string Win32Services::computerName() {
    char buffer[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = sizeof buffer;
    if (!GetComputerNameA(buffer, &size))
        return {};
    return std::string(buffer, strnlen(buffer, sizeof buffer));
}

FileHandle Win32Services::standardHandle(std::uint32_t which) {
    const HANDLE handle = GetStdHandle(which);
    return handle == INVALID_HANDLE_VALUE ? 0 : reinterpret_cast<FileHandle>(handle);
}

bool Win32Services::isConsole(FileHandle handle) {
    DWORD mode = 0;
    return GetConsoleMode(toHandle(handle), &mode) != 0;
}

std::string Win32Services::ansiToOem(const std::string& text) {
    std::vector<char> buffer(text.begin(), text.end());
    if (!buffer.empty())
        CharToOemBuffA(buffer.data(), buffer.data(), static_cast<DWORD>(buffer.size()));
    return std::string(buffer.begin(), buffer.end());
}

bool Win32Services::ansiToUtf16(const std::string& text, std::u16string& wide) {
    wide.clear();
    if (text.empty())
        return true;
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    if (length <= 0)
        return false;
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length));
    if (MultiByteToWideChar(CP_ACP, 0, text.data(), size, buffer.data(), length) != length)
        return false;
    wide.assign(buffer.begin(), buffer.end());
    return true;
}

// ---- User interface.

std::string Win32Services::loadString(std::uint32_t id) {
    char buffer[512];
    static const HINSTANCE program = GetModuleHandleA(nullptr);
    const int length = LoadStringA(program, id, buffer, sizeof buffer);
    return length > 0 ? std::string(buffer, static_cast<std::size_t>(length)) : std::string();
}

int Win32Services::messageBox(WindowHandle owner, const std::string& text,
                              const std::string& caption, std::uint32_t flags) {
    return MessageBoxA(toWindow(owner), text.c_str(), caption.c_str(), flags);
}

std::string Win32Services::moduleFileName() {
    char buffer[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(buffer, length) : std::string();
}

} // namespace prereq
