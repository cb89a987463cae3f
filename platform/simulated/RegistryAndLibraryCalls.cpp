// The Windows calls of the registry and of libraries answered by the simulated PC.
#include "platform/simulated/WindowsCallTable.h"

#include <algorithm>
#include <string>
#include <vector>

namespace prereq {

void addRegistryAndLibraryCalls(CallTable& calls) {
    calls.insert({
        {"RegOpenKeyExA",
         {5,
          [](WindowsCalls& w, const CallArguments& a) -> std::uint32_t {
              if (a[0] != kHkeyLocalMachine)
                  return kErrorInvalidHandleCode;
              KeyHandle key = 0;
              const std::int32_t result = w.pc().openKey(a.text(1), key);
              w.memory().write32(a[4], static_cast<std::uint32_t>(key));
              return static_cast<std::uint32_t>(result);
          }}},
        {"RegEnumKeyA",
         {4,
          [](WindowsCalls& w, const CallArguments& a) -> std::uint32_t {
              std::vector<char> name(a[3] + 1);
              const std::int32_t result = w.pc().enumerateSubkey(a[0], a[1], name.data(), a[3]);
              if (result == kErrorSuccess) // the name and its NUL, nothing after them
                  w.memory().writeString(a[2], name.data());
              return static_cast<std::uint32_t>(result);
          }}},
        {"RegQueryValueExA",
         {6,
          [](WindowsCalls& w, const CallArguments& a) -> std::uint32_t {
              std::uint32_t type = 0;
              std::uint32_t size = a[5] ? w.memory().read32(a[5]) : 0;
              std::vector<unsigned char> data(size);
              const std::int32_t result =
                  w.pc().queryValue(a[0], a.text(1), type, a[4] ? data.data() : nullptr, size);
              if (a[3])
                  w.memory().write32(a[3], type);
              if (a[4] && result == kErrorSuccess)
                  w.memory().write(a[4], data.data(), size);
              if (a[5])
                  w.memory().write32(a[5], size);
              return static_cast<std::uint32_t>(result);
          }}},
        {"RegCloseKey",
         {1,
          [](WindowsCalls& w, const CallArguments& a) -> std::uint32_t {
              w.pc().closeKey(a[0]);
              return 0;
          }}},
        {"LoadLibraryA",
         {1,
          [](WindowsCalls& w, const CallArguments& a) -> std::uint32_t {
              return static_cast<std::uint32_t>(w.pc().loadLibrary(a.text(0)));
          }}},
        {"FreeLibrary",
         {1,
          [](WindowsCalls& w, const CallArguments& a) -> std::uint32_t {
              w.pc().freeLibrary(a[0]);
              return 1;
          }}},
        {"GetModuleHandleA",
         {1,
          [](WindowsCalls& w, const CallArguments& a) -> std::uint32_t {
              if (a[0] == 0)
                  return w.imageBase();
              std::string name = a.text(0);
              std::transform(name.begin(), name.end(), name.begin(), ::tolower);
              return name == "kernel32.dll" || name == "kernel32" ? kKernel32 : 0;
          }}},
        {"GetProcAddress",
         {2,
          [](WindowsCalls& w, const CallArguments& a) -> std::uint32_t {
              // kernel32 of 95 and NT 4.0 has no vectored exception handlers (Windows XP on);
              // both export MoveFileExA, 95 as a stub that fails with
              // ERROR_CALL_NOT_IMPLEMENTED, as the PC's replaceFile does there. No export is
              // looked up by ordinal.
              if (a[1] < 0x10000)
                  return 0;
              if (a[0] == kKernel32)
                  return a.text(1) == "MoveFileExA" ? w.kernelExportStub("MoveFileExA") : 0;
              const ExportAddress entry = w.pc().findExport(a[0], a.text(1));
              return entry ? w.exportStub(entry) : 0;
          }}},
    });
}

} // namespace prereq
