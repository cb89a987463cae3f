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
        {"GetSystemMetrics",
         {1,
          [](WindowsCalls& w, const CallArguments& a) -> std::uint32_t {
              return static_cast<std::uint32_t>(w.pc().systemMetric(static_cast<int>(a[0])));
          }}},
    });
}

} // namespace prereq
