// Win32ResultFolders, the fleet summary's calls: listing and reading a folder of results, the local
// time with its offset from UTC, and text into the ANSI code page. Each is the call and its
// conversion.
#include "platform/Win32ResultFolders.h"

#include <windows.h>

#include <cstring>

namespace prereq {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wide characters are UTF-16 units");

std::vector<FoundFile> Win32ResultFolders::findFiles(const std::string& pattern) {
    std::vector<FoundFile> found;
    WIN32_FIND_DATAA entry;
    const HANDLE search = FindFirstFileA(pattern.c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return found;
    do {
        FoundFile file;
        file.name.assign(entry.cFileName, strnlen(entry.cFileName, sizeof entry.cFileName));
        file.size = (static_cast<std::uint64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
        file.folder = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        found.push_back(file);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return found;
}

bool Win32ResultFolders::readFile(const std::string& name, std::uint32_t maxBytes,
                                  std::string& content) {
    content.clear();
    const HANDLE file = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool ok = true;
    // Straight into the string, a few kilobytes a call: a buffer on the stack of a page or more
    // would need a stack probe, which the programs' run-time does not have.
    while (content.size() < maxBytes) {
        const std::size_t had = content.size();
        const DWORD wanted = static_cast<DWORD>(maxBytes - had < 4096 ? maxBytes - had : 4096);
        content.resize(had + wanted);
        DWORD read = 0;
        ok = ReadFile(file, &content[had], wanted, &read, nullptr) != 0;
        content.resize(had + (ok ? read : 0));
        if (!ok || read == 0)
            break; // a failure, or the end of the file
    }
    CloseHandle(file);
    return ok;
}

// The bias of GetTimeZoneInformation is UTC minus local time, in minutes; the standard or
// daylight bias is added to it in the period it names, and neither where the zone has no
// daylight saving time (TIME_ZONE_ID_UNKNOWN). TIME_ZONE_ID_INVALID says nothing.
LocalTime Win32ResultFolders::localTime() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    TIME_ZONE_INFORMATION zone;
    const DWORD period = GetTimeZoneInformation(&zone);
    LocalTime time;
    time.year = now.wYear;
    time.month = now.wMonth;
    time.day = now.wDay;
    time.hour = now.wHour;
    time.minute = now.wMinute;
    time.second = now.wSecond;
    long bias = zone.Bias;
    if (period == TIME_ZONE_ID_STANDARD)
        bias += zone.StandardBias;
    else if (period == TIME_ZONE_ID_DAYLIGHT)
        bias += zone.DaylightBias;
    time.offsetKnown = period != TIME_ZONE_ID_INVALID;
    time.utcOffsetMinutes = time.offsetKnown ? static_cast<int>(-bias) : 0;
    return time;
}

std::string Win32ResultFolders::unicodeToAnsi(const std::u16string& text) {
    if (text.empty())
        return {};
    const wchar_t* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int units = static_cast<int>(text.size());
    const int size = WideCharToMultiByte(CP_ACP, 0, wide, units, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return std::string(text.size(), '?');
    std::string ansi(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, units, &ansi[0], size, nullptr, nullptr);
    return ansi;
}

// LOCALE_SLIST holds at most four characters with the terminating null.
std::string Win32ResultFolders::listSeparator() {
    char separator[8] = {};
    const int length = GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SLIST, separator,
                                      static_cast<int>(sizeof separator));
    return length > 1 ? std::string(separator, static_cast<std::size_t>(length - 1))
                      : std::string();
}

} // namespace prereq
