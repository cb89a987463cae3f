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

// One entry of a folder's listing (WIN32_FIND_DATAA): its name and size, and whether it is a
// folder itself ("." and ".." included, as Windows lists them).
struct FoundFile {
    std::string name; // cFileName
    std::uint64_t size = 0;
    bool folder = false; // FILE_ATTRIBUTE_DIRECTORY
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
    // pattern such as "D:\\Results\\*", in the order Windows lists them; empty when
    // FindFirstFileA fails.
    virtual std::vector<FoundFile> findFiles(const std::string& pattern) = 0;
    // CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING), ReadFile until the end or
    // until maxBytes are read, CloseHandle. False when the file cannot be opened or read.
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

} // namespace prereq
