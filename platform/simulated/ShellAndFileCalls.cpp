// The Windows calls of files, folders, the shell, the console and the code page answered by the
// simulated PC.
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
              if (!w.pc().pathExists(path))
                  return w.fail(w.pc().lastError, kInvalidHandleValue);
              return w.pc().isFolder(path) ? 0x10u  // FILE_ATTRIBUTE_DIRECTORY
                                           : 0x80u; // FILE_ATTRIBUTE_NORMAL
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
              if (a[1] & kGenericRead) // a result, opened to be read (OPEN_EXISTING)
                  return openForReading(w, a.text(0));
              // dwCreationDisposition: CREATE_NEW (1) for a temporary file, else CREATE_ALWAYS.
              const FileHandle file =
                  a[4] == 1 ? w.pc().createNewFile(a.text(0)) : w.pc().createReportFile(a.text(0));
              return file ? static_cast<std::uint32_t>(file)
                          : w.fail(w.pc().lastError, kInvalidHandleValue);
          }}},
        {"WriteFile",
         {5,
          [](WindowsCalls& w, const CallArguments& a) -> std::uint32_t {
              std::string bytes(a[2], '\0');
              w.memory().read(a[1], bytes.data(), a[2]);
              const bool ok = w.pc().writeFile(a[0], bytes.data(), a[2]);
              if (a[3])
                  w.memory().write32(a[3], ok ? a[2] : 0);
              return ok || w.fail(w.pc().lastError, 0);
          }}},
        {"CloseHandle",
         {1,
          [](WindowsCalls& w, const CallArguments& a) -> std::uint32_t {
              if (w.readFiles.erase(a[0]))
                  return 1;
              return w.pc().closeFile(a[0]) || w.fail(w.pc().lastError, 0);
          }}},
        {"FlushFileBuffers",
         {1,
          [](WindowsCalls& w, const CallArguments& a) -> std::uint32_t {
              return w.pc().flushFile(a[0]) || w.fail(w.pc().lastError, 0);
          }}},
        {"GetFileSize",
         {2,
          [](WindowsCalls& w, const CallArguments& a) -> std::uint32_t {
              std::uint32_t size = 0;
              if (!w.pc().fileSize(a[0], size))
                  return w.fail(w.pc().lastError, 0xFFFFFFFFu); // INVALID_FILE_SIZE
              if (a[1])
                  w.memory().write32(a[1], 0); // the high half: results are far below 4 GB
              w.lastError = 0;
              return size;
          }}},
        {"DeleteFileA",
         {1,
          [](WindowsCalls& w, const CallArguments& a) -> std::uint32_t {
              return w.pc().deleteFile(a.text(0)) || w.fail(w.pc().lastError, 0);
          }}},
        {"MoveFileA",
         {2,
          [](WindowsCalls& w, const CallArguments& a) -> std::uint32_t {
              return w.pc().moveFile(a.text(0), a.text(1)) || w.fail(w.pc().lastError, 0);
          }}},
        // Reached through GetProcAddress only: the program does not import it.
        {"MoveFileExA",
         {3,
          [](WindowsCalls& w, const CallArguments& a) -> std::uint32_t {
              const bool replace = (a[2] & 1) != 0; // MOVEFILE_REPLACE_EXISTING
              const bool ok = replace ? w.pc().replaceFile(a.text(0), a.text(1))
                                      : w.pc().moveFile(a.text(0), a.text(1));
              return ok || w.fail(w.pc().lastError, 0);
          }}},
        {"FindFirstFileA",
         {2,
          [](WindowsCalls& w, const CallArguments& a) -> std::uint32_t {
              const std::uint32_t error = w.pc().findFirstFile(a.text(0));
              if (error != 0)
                  return w.fail(error, kInvalidHandleValue);
              beginSearch(w, a.text(0), a[1]);
              return kFindHandle;
          }}},
        {"FindClose",
         {1,
          [](WindowsCalls& w, const CallArguments& a) -> std::uint32_t {
              return a[0] == kFindHandle || w.fail(kErrorInvalidHandleCode, 0);
          }}},
        {"FormatMessageA",
         {7,
          [](WindowsCalls& w, const CallArguments& a) -> std::uint32_t {
              // Only FORMAT_MESSAGE_FROM_SYSTEM into the program's buffer of nSize bytes.
              const std::string text = w.pc().errorMessage(a[2]);
              if (text.empty())
                  return w.fail(kErrorMessageNotFound, 0);
              if (text.size() >= a[5])
                  return w.fail(kErrorInsufficientBuffer, 0);
              w.memory().writeString(a[4], text);
              return static_cast<std::uint32_t>(text.size());
          }}},
        {"MultiByteToWideChar",
         {6,
          [](WindowsCalls& w, const CallArguments& a) -> std::uint32_t {
              // CP_ACP only; a length of -1 takes the text and its NUL.
              const bool withNul = a[3] == kInvalidHandleValue;
              std::string text = withNul ? a.text(2) : std::string(a[3], '\0');
              if (!withNul)
                  w.memory().read(a[2], text.data(), a[3]);
              std::u16string wide;
              if (a[0] != 0 || !w.pc().ansiToUtf16(text, wide))
                  return w.fail(kErrorInvalidParameter, 0);
              if (withNul)
                  wide += u'\0';
              const auto length = static_cast<std::uint32_t>(wide.size());
              if (a[5] == 0)
                  return length;
              if (length > a[5])
                  return w.fail(kErrorInsufficientBuffer, 0);
              w.memory().write(a[4], wide.data(), 2 * length);
              return length;
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
