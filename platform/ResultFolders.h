// ResultFolders: the Windows calls that only the console program's fleet summary makes (reading a
// folder of results, the time of a check, the spreadsheet's ANSI text). Kept apart from
// WindowsServices, so that the dialog program, which never summarises, links and imports none of
// them. Win32ResultFolders answers with the real API; the SimulatedPc a ScopedPlatform put in
// place answers in the tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace prereq {

// One entry of a folder's listing (WIN32_FIND_DATAA): its name and size, whether it is a
// folder itself ("." and ".." included, as Windows lists them), when it was last written, and
// its short name.
struct FoundFile {
    std::string name; // cFileName: '?' for each character the ANSI code page cannot hold
    std::uint64_t size = 0;
    bool folder = false;           // FILE_ATTRIBUTE_DIRECTORY
    std::uint64_t lastWritten = 0; // ftLastWriteTime: 100-ns intervals since 1601, UTC
    std::string shortName;         // cAlternateFileName: the 8.3 name; empty where name is one
};

// GetLocalTime, with the offset from UTC that GetTimeZoneInformation gives for it.
struct LocalTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    bool offsetKnown = false; // false when GetTimeZoneInformation fails
    int utcOffsetMinutes = 0; // local time minus UTC: -(Bias + StandardBias or DaylightBias)
};

class ResultFolders {
public:
    virtual ~ResultFolders() = default;
    // FindFirstFileA, FindNextFileA until ERROR_NO_MORE_FILES, FindClose: every entry of a
    // pattern such as "D:\\Results\\*", in the order Windows lists them. 0 when the listing is
    // complete (ERROR_FILE_NOT_FOUND from FindFirstFileA is an empty folder), else the error that
    // stopped it (a folder that can be seen but not listed, a share gone part-way), with found
    // holding what came before.
    virtual std::uint32_t findFiles(const std::string& pattern, std::vector<FoundFile>& found) = 0;
    // CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING), GetFileType, one ReadFile
    // of at most maxBytes, CloseHandle. False when the file cannot be opened or read, or is not a
    // disk file (a console, a serial port or a pipe, whose reads may wait for ever).
    virtual bool readFile(const std::string& name, std::uint32_t maxBytes,
                          std::string& content) = 0;
    // GetLocalTime and GetTimeZoneInformation.
    virtual LocalTime localTime() = 0;
    // WideCharToMultiByte(CP_ACP, 0, ...): UTF-16 text in the PC's ANSI code page, with the
    // code page's default character for whatever it cannot hold.
    virtual std::string unicodeToAnsi(const std::u16string& text) = 0;
    // GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SLIST): the list separator the user's
    // spreadsheets split a CSV line by (',' in English, ';' in German and French Windows), as
    // ANSI bytes; empty when the call fails.
    virtual std::string listSeparator() = 0;
};

// The process-wide instance: the real API in the Windows build, the PC of the ScopedPlatform in
// place where there is one.
ResultFolders& resultFolders();

// UTF-8 text in the PC's ANSI code page through unicodeToAnsi; ASCII, which every ANSI code page
// keeps as it is, without a call.
std::string ansiFromUtf8(const std::string& utf8);

} // namespace prereq
