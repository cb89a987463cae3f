// Each answered Windows call: its arguments read from the program's stack, the SimulatedPc
// asked, the results written back in the layout Windows writes them. Sources: the Win32
// Programmer's Reference for each call's arguments and failures, unless said otherwise.
#include "Win32Calls.h"

#include <algorithm>
#include <functional>
#include <vector>

namespace prereq {

namespace {

constexpr std::uint32_t kKernel32 = 0xBFF70000; // where Windows 95 maps kernel32.dll
constexpr std::uint32_t kHkeyLocalMachine = 0x80000002;
constexpr std::uint32_t kInvalidHandle = 0xFFFFFFFF;
constexpr std::uint32_t kErrorInsufficientBuffer = 122;
constexpr std::uint32_t kErrorEnvVarNotFound = 203;
constexpr std::uint32_t kErrorInvalidParameter = 87;
constexpr std::uint32_t kErrorInvalidHandle = 6;

} // namespace

struct Win32Calls::Arguments {
    GuestMemory& memory;
    std::uint32_t first;
    std::uint32_t operator[](int i) const { return memory.read32(first + 4 * i); }
    std::string text(int i) const { return memory.readString((*this)[i]); }
};

Win32Calls::Win32Calls(SimulatedPc& pc, GuestMemory& memory, std::uint32_t imageBase,
                       std::uint32_t exportStubs)
    : pc_(pc), memory_(memory), imageBase_(imageBase), exportStubs_(exportStubs) {}

// Copies text and its NUL into a buffer of size bytes when it fits: the length without the NUL.
// Else nothing is copied and the answer is the size needed, NUL included, as
// GetFullPathNameA and GetEnvironmentVariableA answer.
std::uint32_t Win32Calls::string(std::uint32_t address, const std::string& text,
                                 std::uint32_t size) {
    const auto length = static_cast<std::uint32_t>(text.size());
    if (length >= size)
        return length + 1;
    memory_.writeString(address, text);
    return length;
}

std::optional<Win32Calls::Answer> Win32Calls::call(const std::string& function,
                                                   std::uint32_t arguments) {
    using Handler = std::function<std::uint32_t(Win32Calls&, const Arguments&)>;
    struct Call {
        std::uint32_t argumentCount;
        Handler handler;
    };
    static const std::map<std::string, Call> calls = {
        // ---- kernel32: system information.
        {"GetVersionExA",
         {1,
          [](Win32Calls& w, const Arguments& a) -> std::uint32_t {
              const std::uint32_t record = a[0];
              const std::uint32_t size = w.memory_.read32(record);
              // The 95 family knows only the 148-byte OSVERSIONINFOA; NT 4.0 SP6 also the
              // 156-byte OSVERSIONINFOEXA.
              if (size != 148 && !(w.pc_.isNtFamily() && size == 156)) {
                  w.lastError = kErrorInsufficientBuffer;
                  return 0;
              }
              VersionInfo info;
              if (!w.pc_.getVersion(info))
                  return 0;
              // The 95 family puts the major and minor version in dwBuildNumber's high word.
              const std::uint32_t build = w.pc_.isNtFamily()
                                              ? info.buildNumber
                                              : (info.majorVersion << 24 | info.minorVersion << 16 |
                                                 (info.buildNumber & 0xFFFF));
              const std::uint32_t fields[] = {info.majorVersion, info.minorVersion, build,
                                              info.platformId};
              w.memory_.write(record + 4, fields, sizeof fields);
              char csd[128] = {};
              info.csdVersion.copy(csd, 127);
              w.memory_.write(record + 20, csd, sizeof csd);
              return 1;
          }}},
        {"GlobalMemoryStatus",
         {1,
          [](Win32Calls& w, const Arguments& a) -> std::uint32_t {
              // MEMORYSTATUS: dwLength, dwMemoryLoad, then total and available physical memory,
              // page file and virtual address space. A 2 GB user address space.
              const std::uint32_t total = w.pc_.totalPhysicalMemory();
              const std::uint32_t status[] = {32,        50,    total,       total / 2,
                                              total * 2, total, 0x7FFE0000u, 0x7F000000u};
              w.memory_.write(a[0], status, sizeof status);
              return 0;
          }}},
        {"GetSystemInfo",
         {1,
          [](Win32Calls& w, const Arguments& a) -> std::uint32_t {
              // SYSTEM_INFO: an Intel processor, 4 KB pages, the usual application range, one
              // processor, its type, 64 KB allocation granularity; wProcessorLevel and
              // wProcessorRevision on NT only (reserved on the 95 family).
              const std::uint32_t type = w.pc_.processorType();
              const std::uint32_t level = w.pc_.isNtFamily() ? type / 100 : 0;
              const std::uint32_t info[] = {0, 4096, 0x10000, 0x7FFEFFFF, 1,
                                            1, type, 0x10000, level};
              w.memory_.write(a[0], info, sizeof info);
              return 0;
          }}},
        {"QueryPerformanceFrequency",
         {1,
          [](Win32Calls& w, const Arguments& a) -> std::uint32_t {
              std::int64_t ticks = 0;
              const bool ok = w.pc_.performanceFrequency(ticks);
              w.memory_.write(a[0], &ticks, 8);
              return ok;
          }}},
        {"QueryPerformanceCounter",
         {1,
          [](Win32Calls& w, const Arguments& a) -> std::uint32_t {
              std::int64_t ticks = 0;
              const bool ok = w.pc_.performanceCounter(ticks);
              w.memory_.write(a[0], &ticks, 8);
              return ok;
          }}},
        {"Sleep",
         {1,
          [](Win32Calls& w, const Arguments& a) -> std::uint32_t {
              w.pc_.sleep(a[0]);
              return 0;
          }}},
        {"GetDriveTypeA",
         {1,
          [](Win32Calls& w, const Arguments& a) -> std::uint32_t {
              return w.pc_.driveType(a.text(0));
          }}},
        {"GetDiskFreeSpaceA",
         {5,
          [](Win32Calls& w, const Arguments& a) -> std::uint32_t {
              DiskFreeSpace space;
              const bool ok = w.pc_.diskFreeSpace(a.text(0), space);
              const std::uint32_t values[] = {space.sectorsPerCluster, space.bytesPerSector,
                                              space.freeClusters, space.totalClusters};
              for (int i = 0; ok && i < 4; ++i)
                  if (a[1 + i])
                      w.memory_.write32(a[1 + i], values[i]);
              return ok;
          }}},
        {"GetSystemMetrics",
         {1,
          [](Win32Calls& w, const Arguments& a) -> std::uint32_t {
              return static_cast<std::uint32_t>(w.pc_.systemMetric(static_cast<int>(a[0])));
          }}},
        // ---- advapi32 and kernel32: the registry and libraries.
        {"RegOpenKeyExA",
         {5,
          [](Win32Calls& w, const Arguments& a) -> std::uint32_t {
              if (a[0] != kHkeyLocalMachine)
                  return kErrorInvalidHandle;
              KeyHandle key = 0;
              const std::int32_t result = w.pc_.openKey(a.text(1), key);
              w.memory_.write32(a[4], static_cast<std::uint32_t>(key));
              return static_cast<std::uint32_t>(result);
          }}},
        {"RegEnumKeyA",
         {4,
          [](Win32Calls& w, const Arguments& a) -> std::uint32_t {
              std::vector<char> name(a[3] + 1);
              const std::int32_t result = w.pc_.enumerateSubkey(a[0], a[1], name.data(), a[3]);
              if (result == kErrorSuccess)
                  w.memory_.write(a[2], name.data(), a[3]);
              return static_cast<std::uint32_t>(result);
          }}},
        {"RegQueryValueExA",
         {6,
          [](Win32Calls& w, const Arguments& a) -> std::uint32_t {
              std::uint32_t type = 0;
              std::uint32_t size = a[5] ? w.memory_.read32(a[5]) : 0;
              std::vector<unsigned char> data(size);
              const std::int32_t result =
                  w.pc_.queryValue(a[0], a.text(1), type, a[4] ? data.data() : nullptr, size);
              if (a[3])
                  w.memory_.write32(a[3], type);
              if (a[4] && result == kErrorSuccess)
                  w.memory_.write(a[4], data.data(), size);
              if (a[5])
                  w.memory_.write32(a[5], size);
              return static_cast<std::uint32_t>(result);
          }}},
        {"RegCloseKey",
         {1,
          [](Win32Calls& w, const Arguments& a) -> std::uint32_t {
              w.pc_.closeKey(a[0]);
              return 0;
          }}},
        {"LoadLibraryA",
         {1,
          [](Win32Calls& w, const Arguments& a) -> std::uint32_t {
              return static_cast<std::uint32_t>(w.pc_.loadLibrary(a.text(0)));
          }}},
        {"FreeLibrary",
         {1,
          [](Win32Calls& w, const Arguments& a) -> std::uint32_t {
              w.pc_.freeLibrary(a[0]);
              return 1;
          }}},
        {"GetModuleHandleA",
         {1,
          [](Win32Calls& w, const Arguments& a) -> std::uint32_t {
              if (a[0] == 0)
                  return w.imageBase_;
              std::string name = a.text(0);
              std::transform(name.begin(), name.end(), name.begin(), ::tolower);
              return name == "kernel32.dll" || name == "kernel32" ? kKernel32 : 0;
          }}},
        {"GetProcAddress",
         {2,
          [](Win32Calls& w, const Arguments& a) -> std::uint32_t {
              // kernel32 of 95 and NT 4.0 has no vectored exception handlers (Windows XP on),
              // the one thing the program asks of it; no export is looked up by ordinal.
              if (a[0] == kKernel32 || a[1] < 0x10000)
                  return 0;
              const ExportAddress entry = w.pc_.findExport(a[0], a.text(1));
              if (entry == 0)
                  return 0;
              const auto address =
                  w.exportStubs_ + 16 * static_cast<std::uint32_t>(w.exports_.size());
              w.exports_[address] = entry;
              return address;
          }}},
        // ---- kernel32 and shell32: files, the shell, the console.
        {"GetFileAttributesA",
         {1,
          [](Win32Calls& w, const Arguments& a) -> std::uint32_t {
              const std::string path = a.text(0);
              return w.pc_.isFolder(path)     ? 0x10u // FILE_ATTRIBUTE_DIRECTORY
                     : w.pc_.pathExists(path) ? 0x80u // FILE_ATTRIBUTE_NORMAL
                                              : kInvalidHandle;
          }}},
        {"GetFullPathNameA",
         {4,
          [](Win32Calls& w, const Arguments& a) -> std::uint32_t {
              const std::string full = w.pc_.fullPath(a.text(0));
              if (full.empty())
                  return 0;
              const std::uint32_t length = w.string(a[2], full, a[1]);
              if (length < a[1] && a[3])
                  w.memory_.write32(a[3],
                                    a[2] + static_cast<std::uint32_t>(full.find_last_of('\\') + 1));
              return length;
          }}},
        {"GetEnvironmentVariableA",
         {3,
          [](Win32Calls& w, const Arguments& a) -> std::uint32_t {
              std::string value;
              if (!w.pc_.environmentVariable(a.text(0), value)) {
                  w.lastError = kErrorEnvVarNotFound;
                  return 0;
              }
              return w.string(a[1], value, a[2]);
          }}},
        {"FindExecutableA",
         {3,
          [](Win32Calls& w, const Arguments& a) -> std::uint32_t {
              std::string executable;
              const auto result = w.pc_.findExecutable(a.text(0), executable);
              w.memory_.writeString(a[2], executable.substr(0, 259));
              return static_cast<std::uint32_t>(result);
          }}},
        {"ShellExecuteA",
         {6,
          [](Win32Calls& w, const Arguments& a) -> std::uint32_t {
              return static_cast<std::uint32_t>(w.pc_.shellExecute(a[0], a[1] ? a.text(1) : "",
                                                                   a.text(2), a[3] ? a.text(3) : "",
                                                                   static_cast<int>(a[5])));
          }}},
        {"CreateFileA",
         {7,
          [](Win32Calls& w, const Arguments& a) -> std::uint32_t {
              const FileHandle file = w.pc_.createReportFile(a.text(0));
              if (file == 0)
                  w.lastError = w.pc_.lastError;
              return file ? static_cast<std::uint32_t>(file) : kInvalidHandle;
          }}},
        {"WriteFile",
         {5,
          [](Win32Calls& w, const Arguments& a) -> std::uint32_t {
              std::string bytes(a[2], '\0');
              w.memory_.read(a[1], bytes.data(), a[2]);
              const bool ok = w.pc_.writeFile(a[0], bytes.data(), a[2]);
              if (a[3])
                  w.memory_.write32(a[3], ok ? a[2] : 0);
              return ok;
          }}},
        {"CloseHandle",
         {1,
          [](Win32Calls& w, const Arguments& a) -> std::uint32_t {
              w.pc_.closeFile(a[0]);
              return 1;
          }}},
        {"DeleteFileA",
         {1,
          [](Win32Calls& w, const Arguments& a) -> std::uint32_t {
              return w.pc_.deleteFile(a.text(0));
          }}},
        {"MoveFileA",
         {2,
          [](Win32Calls& w, const Arguments& a) -> std::uint32_t {
              return w.pc_.moveFile(a.text(0), a.text(1));
          }}},
        {"GetComputerNameA",
         {2,
          [](Win32Calls& w, const Arguments& a) -> std::uint32_t {
              const std::string name = w.pc_.computerName();
              const std::uint32_t size = w.memory_.read32(a[1]);
              if (name.empty() || name.size() >= size)
                  return 0;
              w.memory_.writeString(a[0], name);
              w.memory_.write32(a[1], static_cast<std::uint32_t>(name.size()));
              return 1;
          }}},
        {"GetStdHandle",
         {1,
          [](Win32Calls& w, const Arguments& a) -> std::uint32_t {
              return static_cast<std::uint32_t>(w.pc_.standardHandle(a[0]));
          }}},
        {"GetConsoleMode",
         {2,
          [](Win32Calls& w, const Arguments& a) -> std::uint32_t {
              if (!w.pc_.isConsole(a[0]))
                  return 0;
              w.memory_.write32(a[1], 3); // ENABLE_PROCESSED_INPUT | ENABLE_LINE_INPUT
              return 1;
          }}},
        {"CharToOemBuffA",
         {3,
          [](Win32Calls& w, const Arguments& a) -> std::uint32_t {
              std::string text(a[2], '\0');
              w.memory_.read(a[0], text.data(), a[2]);
              const std::string oem = w.pc_.ansiToOem(text);
              w.memory_.write(a[1], oem.data(), a[2]);
              return 1;
          }}},
        {"GetModuleFileNameA",
         {3,
          [](Win32Calls& w, const Arguments& a) -> std::uint32_t {
              const std::string path = w.pc_.moduleFileName();
              if (a[0] != 0 && a[0] != w.imageBase_) {
                  w.lastError = kErrorInvalidParameter;
                  return 0;
              }
              const std::uint32_t length = std::min<std::uint32_t>(
                  static_cast<std::uint32_t>(path.size()), a[2] ? a[2] - 1 : 0);
              w.memory_.writeString(a[1], path.substr(0, length));
              return length;
          }}},
        // ---- user32: the string table and message boxes.
        {"LoadStringA",
         {4,
          [](Win32Calls& w, const Arguments& a) -> std::uint32_t {
              const std::string text = w.pc_.loadString(a[1]);
              if (a[3] == 0)
                  return 0;
              const std::string fitted = text.substr(0, a[3] - 1);
              w.memory_.writeString(a[2], fitted);
              return static_cast<std::uint32_t>(fitted.size());
          }}},
        {"MessageBoxA",
         {4,
          [](Win32Calls& w,
             const Arguments& a) -> std::
                                     uint32_t {
                                         return static_cast<std::uint32_t>(w.pc_.messageBox(
                                             a[0], a.text(1), a[2] ? a.text(2) : "Error", a[3]));
                                     }}},
    };
    const auto it = calls.find(function);
    if (it == calls.end())
        return std::nullopt;
    const Arguments a{memory_, arguments};
    return Answer{it->second.handler(*this, a), 4 * it->second.argumentCount};
}

std::optional<Win32Calls::Answer> Win32Calls::callExport(std::uint32_t address,
                                                         std::uint32_t arguments) {
    const auto it = exports_.find(address);
    if (it == exports_.end())
        return std::nullopt;
    // RasEnumDevicesA(lpRasDevInfo, lpcb, lpcDevices), the one entry point the PC describes.
    const Arguments a{memory_, arguments};
    std::uint32_t bytes = memory_.read32(a[1]);
    std::uint32_t count = memory_.read32(a[2]);
    std::vector<RasDeviceRecord> records(bytes / sizeof(RasDeviceRecord) + 1);
    if (a[0])
        memory_.read(a[0], records.data(), bytes);
    const std::uint32_t result =
        pc_.rasEnumDevices(it->second, a[0] ? records.data() : nullptr, bytes, count);
    if (a[0])
        memory_.write(a[0], records.data(), std::min<std::uint32_t>(bytes, memory_.read32(a[1])));
    memory_.write32(a[1], bytes);
    memory_.write32(a[2], count);
    return Answer{result, 12};
}

} // namespace prereq
