// The Windows calls of system information answered by the simulated PC: the version, memory,
// the processor, the counters and the clock, the drives, the error mode and the system metrics.
#include "platform/simulated/WindowsCallTable.h"

#include <algorithm>
#include <string>
#include <vector>

namespace prereq {

void addSystemInformationCalls(CallTable& calls) {
    calls.insert({
        {"GetVersionExA",
         {1,
          [](WindowsCalls& w, const CallArguments& a) -> std::uint32_t {
              const std::uint32_t record = a[0];
              const std::uint32_t size = w.memory().read32(record);
              // The 148-byte OSVERSIONINFOA, the one record the 95 family and NT 4.0 before
              // Service Pack 6 know; the program passes no other.
              if (size != 148) {
                  w.lastError = kErrorInsufficientBuffer;
                  return 0;
              }
              VersionInfo info;
              if (!w.pc().getVersion(info))
                  return 0;
              // "Windows 95: Identifies the build number of the operating system in the
              // low-order word. The high-order word contains the major and minor version
              // numbers." (OSVERSIONINFO, the MSDN Library of 1998)
              const std::uint32_t build = w.pc().isNtFamily()
                                              ? info.buildNumber
                                              : (info.majorVersion << 24 | info.minorVersion << 16 |
                                                 (info.buildNumber & 0xFFFF));
              const std::uint32_t fields[] = {info.majorVersion, info.minorVersion, build,
                                              info.platformId};
              w.memory().write(record + 4, fields, sizeof fields);
              char csd[128] = {};
              info.csdVersion.copy(csd, 127);
              w.memory().write(record + 20, csd, sizeof csd);
              return 1;
          }}},
        {"GlobalMemoryStatus",
         {1,
          [](WindowsCalls& w, const CallArguments& a) -> std::uint32_t {
              // MEMORYSTATUS: dwLength, dwMemoryLoad, then total and available physical memory,
              // page file and virtual address space. A 2 GB user address space.
              const std::uint32_t total = w.pc().totalPhysicalMemory();
              const std::uint32_t status[] = {32,        50,    total,       total / 2,
                                              total * 2, total, 0x7FFE0000u, 0x7F000000u};
              w.memory().write(a[0], status, sizeof status);
              return 0;
          }}},
        {"GetSystemInfo",
         {1,
          [](WindowsCalls& w, const CallArguments& a) -> std::uint32_t {
              // SYSTEM_INFO: an Intel processor, 4 KB pages, the usual application range, one
              // processor, its type, 64 KB allocation granularity; wProcessorLevel and
              // wProcessorRevision on NT only (reserved on the 95 family).
              const std::uint32_t type = w.pc().processorType();
              const std::uint32_t level = w.pc().isNtFamily() ? type / 100 : 0;
              const std::uint32_t info[] = {0, 4096, 0x10000, 0x7FFEFFFF, 1,
                                            1, type, 0x10000, level};
              w.memory().write(a[0], info, sizeof info);
              return 0;
          }}},
        {"QueryPerformanceFrequency",
         {1,
          [](WindowsCalls& w, const CallArguments& a) -> std::uint32_t {
              std::int64_t ticks = 0;
              const bool ok = w.pc().performanceFrequency(ticks);
              w.memory().write(a[0], &ticks, 8);
              return ok;
          }}},
        {"QueryPerformanceCounter",
         {1,
          [](WindowsCalls& w, const CallArguments& a) -> std::uint32_t {
              std::int64_t ticks = 0;
              const bool ok = w.pc().performanceCounter(ticks);
              w.memory().write(a[0], &ticks, 8);
              return ok;
          }}},
        {"Sleep",
         {1,
          [](WindowsCalls& w, const CallArguments& a) -> std::uint32_t {
              w.pc().sleep(a[0]);
              return 0;
          }}},
        {"GetLogicalDrives",
         {0,
          [](WindowsCalls& w, const CallArguments&) -> std::uint32_t {
              return w.pc().logicalDrives();
          }}},
        {"GetDriveTypeA",
         {1,
          [](WindowsCalls& w, const CallArguments& a) -> std::uint32_t {
              return w.pc().driveType(a.text(0));
          }}},
        {"GetDiskFreeSpaceA",
         {5,
          [](WindowsCalls& w, const CallArguments& a) -> std::uint32_t {
              DiskFreeSpace space;
              const bool ok = w.pc().diskFreeSpace(a.text(0), space);
              const std::uint32_t values[] = {space.sectorsPerCluster, space.bytesPerSector,
                                              space.freeClusters, space.totalClusters};
              for (int i = 0; ok && i < 4; ++i)
                  if (a[1 + i])
                      w.memory().write32(a[1 + i], values[i]);
              return ok;
          }}},
        {"GetLocaleInfoA",
         {4,
          [](WindowsCalls& w, const CallArguments& a) -> std::uint32_t {
              // Locale, LCType, lpLCData, cchData: only LOCALE_SLIST (0x0C) is asked for. The
              // length with the terminating null; 0 where the buffer is too small.
              const std::string text = w.pc().listSeparator();
              if (a[1] != 0x0C || a[3] < text.size() + 1)
                  return 0;
              w.memory().write(a[2], text.c_str(), static_cast<std::uint32_t>(text.size() + 1));
              return static_cast<std::uint32_t>(text.size() + 1);
          }}},
        {"SetErrorMode",
         {1,
          [](WindowsCalls& w, const CallArguments& a) -> std::uint32_t {
              return w.pc().setErrorMode(a[0]);
          }}},
        {"GetTickCount",
         {0,
          [](WindowsCalls& w, const CallArguments&) -> std::uint32_t {
              return w.pc().tickCount();
          }}},
        {"GetCurrentProcessId",
         {0,
          [](WindowsCalls& w, const CallArguments&) -> std::uint32_t {
              return w.pc().processId();
          }}},
        {"GetLocalTime",
         {1,
          [](WindowsCalls& w, const CallArguments& a) -> std::uint32_t {
              // SYSTEMTIME: year, month, day of the week (0 Sunday; Sakamoto's method), day,
              // hour, minute, second, milliseconds.
              const LocalTime t = w.pc().localTime();
              static const int kMonthStarts[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
              const int y = t.year - (t.month < 3 ? 1 : 0);
              const int weekday =
                  (y + y / 4 - y / 100 + y / 400 + kMonthStarts[(t.month + 11) % 12] + t.day) % 7;
              const std::uint16_t fields[] = {
                  static_cast<std::uint16_t>(t.year),   static_cast<std::uint16_t>(t.month),
                  static_cast<std::uint16_t>(weekday),  static_cast<std::uint16_t>(t.day),
                  static_cast<std::uint16_t>(t.hour),   static_cast<std::uint16_t>(t.minute),
                  static_cast<std::uint16_t>(t.second), 0};
              w.memory().write(a[0], fields, sizeof fields);
              return 0;
          }}},
        {"GetTimeZoneInformation",
         {1,
          [](WindowsCalls& w, const CallArguments& a) -> std::uint32_t {
              // TIME_ZONE_INFORMATION (172 bytes): Bias first, StandardBias at 84, DaylightBias
              // at 168; a zone without daylight saving time answers TIME_ZONE_ID_STANDARD (1).
              const LocalTime t = w.pc().localTime();
              if (!t.offsetKnown)
                  return kInvalidHandleValue; // TIME_ZONE_ID_INVALID
              const std::vector<char> zone(172);
              w.memory().write(a[0], zone.data(), 172);
              w.memory().write32(a[0], static_cast<std::uint32_t>(-t.utcOffsetMinutes));
              return 1;
          }}},
        {"GetSystemMetrics",
         {1,
          [](WindowsCalls& w, const CallArguments& a) -> std::uint32_t {
              return static_cast<std::uint32_t>(w.pc().systemMetric(static_cast<int>(a[0])));
          }}},
    });
}

} // namespace prereq
