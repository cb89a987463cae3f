// The fleet summary's Windows calls answered for a program run elsewhere: a folder listed entry by
// entry into WIN32_FIND_DATAA, results opened and read, text into the ANSI code page. Sources:
// the Win32 Programmer's Reference for each call.
#include "platform/simulated/WindowsCallTable.h"

#include <algorithm>

namespace prereq {

namespace {

constexpr std::uint32_t kErrorNoMoreFiles = 18;
constexpr std::uint32_t kFileTypeDisk = 1;       // FILE_TYPE_DISK
constexpr std::uint32_t kFileTypeUnknown = 0;    // FILE_TYPE_UNKNOWN
constexpr std::uint32_t kFindDataSize = 320;     // WIN32_FIND_DATAA with its padding
constexpr std::uint32_t kAttributeFolder = 0x10; // FILE_ATTRIBUTE_DIRECTORY

// WIN32_FIND_DATAA: dwFileAttributes at 0, ftLastWriteTime at 20, nFileSizeHigh at 28,
// nFileSizeLow at 32, cFileName (MAX_PATH bytes) at 44, cAlternateFileName (14 bytes) at 304.
void writeFindData(WindowsCalls& w, std::uint32_t data, const FoundFile& file) {
    std::vector<char> bytes(kFindDataSize);
    const auto put32 = [&](std::size_t at, std::uint32_t value) {
        for (int i = 0; i < 4; ++i)
            bytes[at + i] = static_cast<char>(value >> (8 * i));
    };
    put32(0, file.folder ? kAttributeFolder : 0);
    put32(20, static_cast<std::uint32_t>(file.lastWritten));
    put32(24, static_cast<std::uint32_t>(file.lastWritten >> 32));
    put32(28, static_cast<std::uint32_t>(file.size >> 32));
    put32(32, static_cast<std::uint32_t>(file.size));
    std::copy_n(file.name.begin(), std::min<std::size_t>(file.name.size(), 259), &bytes[44]);
    std::copy_n(file.shortName.begin(), std::min<std::size_t>(file.shortName.size(), 13),
                &bytes[304]);
    w.memory().write(data, bytes.data(), kFindDataSize);
}

} // namespace

std::uint32_t beginSearch(WindowsCalls& w, const std::string& pattern, std::uint32_t data) {
    WindowsCalls::Search& search = w.search;
    search = WindowsCalls::Search();
    const std::uint32_t error = w.pc().findFiles(pattern, search.entries);
    search.endError = error ? error : kErrorNoMoreFiles;
    if (search.entries.empty())
        return w.fail(error ? error : static_cast<std::uint32_t>(kErrorFileNotFound), 0);
    writeFindData(w, data, search.entries[0]);
    search.next = 1;
    return 1;
}

std::uint32_t openForReading(WindowsCalls& w, const std::string& name) {
    WindowsCalls::ReadFile file;
    if (!w.pc().readFile(name, 0xFFFFFFFFu, file.content))
        return w.fail(w.pc().lastError, kInvalidHandleValue);
    const std::uint32_t handle = w.nextReadHandle++;
    w.readFiles[handle] = file;
    return handle;
}

void addResultFolderCalls(CallTable& calls) {
    calls.insert({
        {"FindNextFileA",
         {2,
          [](WindowsCalls& w, const CallArguments& a) -> std::uint32_t {
              WindowsCalls::Search& search = w.search;
              if (a[0] != kFindHandle)
                  return w.fail(kErrorInvalidHandleCode, 0);
              if (search.next >= search.entries.size())
                  return w.fail(search.endError, 0);
              writeFindData(w, a[1], search.entries[search.next++]);
              return 1;
          }}},
        {"GetFileType",
         {1,
          [](WindowsCalls& w, const CallArguments& a) -> std::uint32_t {
              return w.readFiles.count(a[0]) ? kFileTypeDisk
                                             : w.fail(kErrorInvalidHandleCode, kFileTypeUnknown);
          }}},
        {"ReadFile",
         {5,
          [](WindowsCalls& w, const CallArguments& a) -> std::uint32_t {
              const auto file = w.readFiles.find(a[0]);
              if (file == w.readFiles.end())
                  return w.fail(kErrorInvalidHandleCode, 0);
              WindowsCalls::ReadFile& f = file->second;
              const std::size_t count = std::min<std::size_t>(a[2], f.content.size() - f.position);
              w.memory().write(a[1], f.content.data() + f.position,
                               static_cast<std::uint32_t>(count));
              f.position += count;
              if (a[3])
                  w.memory().write32(a[3], static_cast<std::uint32_t>(count));
              return 1;
          }}},
        {"WideCharToMultiByte",
         {8,
          [](WindowsCalls& w, const CallArguments& a) -> std::uint32_t {
              // CP_ACP (0) only, as the PC holds no other code page; a count of -1 reads up to
              // the terminating null, which the answer then includes, as the reference has it.
              if (a[0] != 0)
                  return w.fail(kErrorInvalidParameter, 0);
              const bool toNull = a[3] == kInvalidHandleValue;
              std::u16string wide;
              for (std::uint32_t i = 0; toNull || i < a[3]; ++i) {
                  std::uint8_t unit[2];
                  w.memory().read(a[2] + 2 * i, unit, 2);
                  wide += static_cast<char16_t>(unit[0] | unit[1] << 8);
                  if (toNull && wide.back() == u'\0')
                      break;
              }
              const std::string ansi = w.pc().unicodeToAnsi(wide);
              if (a[5] == 0)
                  return static_cast<std::uint32_t>(ansi.size());
              if (a[5] < ansi.size())
                  return w.fail(kErrorInsufficientBuffer, 0);
              w.memory().write(a[4], ansi.data(), static_cast<std::uint32_t>(ansi.size()));
              return static_cast<std::uint32_t>(ansi.size());
          }}},
    });
}

} // namespace prereq
