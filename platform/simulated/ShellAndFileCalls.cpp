// The Windows calls of files, the shell and the console answered by the simulated PC.
#include "platform/simulated/WindowsCallTable.h"

#include <algorithm>
#include <string>
#include <vector>

namespace prereq {

void addShellAndFileCalls(CallTable& calls) {
    calls.insert({
        {"GetFileAttributesA",
         {1,
          [](WindowsCalls& w, const CallArguments& a) -> std::uint32_t {
              const std::string path = a.text(0);
              return w.pc().isFolder(path)     ? 0x10u // FILE_ATTRIBUTE_DIRECTORY
                     : w.pc().pathExists(path) ? 0x80u // FILE_ATTRIBUTE_NORMAL
                                               : kInvalidHandleValue;
          }}},
        {"GetFullPathNameA",
         {4,
          [](WindowsCalls& w, const CallArguments& a) -> std::uint32_t {
              const std::string full = w.pc().fullPath(a.text(0));
              if (full.empty())
                  return 0;
              const std::uint32_t length = w.copyString(a[2], full, a[1]);
              if (length < a[1] && a[3])
                  w.memory().write32(
                      a[3], a[2] + static_cast<std::uint32_t>(full.find_last_of('\\') + 1));
              return length;
          }}},
        {"GetEnvironmentVariableA",
         {3,
          [](WindowsCalls& w, const CallArguments& a) -> std::uint32_t {
              std::string value;
              if (!w.pc().environmentVariable(a.text(0), value)) {
                  w.lastError = kErrorEnvVarNotFound;
                  return 0;
              }
              return w.copyString(a[1], value, a[2]);
          }}},
        {"FindExecutableA",
         {3,
          [](WindowsCalls& w, const CallArguments& a) -> std::uint32_t {
              std::string executable;
              const auto result = w.pc().findExecutable(a.text(0), executable);
              w.memory().writeString(a[2], executable.substr(0, 259));
              return static_cast<std::uint32_t>(result);
          }}},
        {"ShellExecuteA",
         {6,
          [](WindowsCalls& w, const CallArguments& a) -> std::uint32_t {
              return static_cast<std::uint32_t>(
                  w.pc().shellExecute(a[0], a[1] ? a.text(1) : "", a.text(2), a[3] ? a.text(3) : "",
                                      static_cast<int>(a[5])));
          }}},
        {"CreateFileA",
         {7,
          [](WindowsCalls& w, const CallArguments& a) -> std::uint32_t {
              const FileHandle file = w.pc().createReportFile(a.text(0));
              if (file == 0)
                  w.lastError = w.pc().lastError;
              return file ? static_cast<std::uint32_t>(file) : kInvalidHandleValue;
          }}},
        {"WriteFile",
         {5,
          [](WindowsCalls& w, const CallArguments& a) -> std::uint32_t {
              std::string bytes(a[2], '\0');
              w.memory().read(a[1], bytes.data(), a[2]);
              const bool ok = w.pc().writeFile(a[0], bytes.data(), a[2]);
              if (a[3])
                  w.memory().write32(a[3], ok ? a[2] : 0);
              return ok;
          }}},
        {"CloseHandle",
         {1,
          [](WindowsCalls& w, const CallArguments& a) -> std::uint32_t {
              w.pc().closeFile(a[0]);
              return 1;
          }}},
        {"DeleteFileA",
         {1,
          [](WindowsCalls& w, const CallArguments& a) -> std::uint32_t {
              return w.pc().deleteFile(a.text(0));
          }}},
        {"MoveFileA",
         {2,
          [](WindowsCalls& w, const CallArguments& a) -> std::uint32_t {
              return w.pc().moveFile(a.text(0), a.text(1));
          }}},
        {"GetComputerNameA",
         {2,
          [](WindowsCalls& w, const CallArguments& a) -> std::uint32_t {
              const std::string name = w.pc().computerName();
              const std::uint32_t size = w.memory().read32(a[1]);
              if (name.empty() || name.size() >= size)
                  return 0;
              w.memory().writeString(a[0], name);
              w.memory().write32(a[1], static_cast<std::uint32_t>(name.size()));
              return 1;
          }}},
        {"GetStdHandle",
         {1,
          [](WindowsCalls& w, const CallArguments& a) -> std::uint32_t {
              return static_cast<std::uint32_t>(w.pc().standardHandle(a[0]));
          }}},
        {"GetConsoleMode",
         {2,
          [](WindowsCalls& w, const CallArguments& a) -> std::uint32_t {
              if (!w.pc().isConsole(a[0]))
                  return 0;
              w.memory().write32(a[1], 3); // ENABLE_PROCESSED_INPUT | ENABLE_LINE_INPUT
              return 1;
          }}},
        {"CharToOemBuffA",
         {3,
          [](WindowsCalls& w, const CallArguments& a) -> std::uint32_t {
              std::string text(a[2], '\0');
              w.memory().read(a[0], text.data(), a[2]);
              const std::string oem = w.pc().ansiToOem(text);
              w.memory().write(a[1], oem.data(), a[2]);
              return 1;
          }}},
        {"GetModuleFileNameA",
         {3,
          [](WindowsCalls& w, const CallArguments& a) -> std::uint32_t {
              const std::string path = w.pc().moduleFileName();
              if (a[0] != 0 && a[0] != w.imageBase()) {
                  w.lastError = kErrorInvalidParameter;
                  return 0;
              }
              const std::uint32_t length = std::min<std::uint32_t>(
                  static_cast<std::uint32_t>(path.size()), a[2] ? a[2] - 1 : 0);
              w.memory().writeString(a[1], path.substr(0, length));
              return length;
          }}},
    });
}

} // namespace prereq
