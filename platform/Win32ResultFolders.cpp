// Win32ResultFolders, the fleet summary's calls: listing and reading a folder of results, the local
// time with its offset from UTC, and text into the ANSI code page. Each is the call and its
// conversion.
#include "platform/Win32ResultFolders.h"

#include <windows.h>

#include <cstring>
#include <new>
#include <utility>

namespace prereq {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wide characters are UTF-16 units");

std::uint32_t Win32ResultFolders::findFiles(const std::string& pattern,
                                            std::vector<FoundFile>& found) {
    found.clear();
    found.reserve(64); // a folder of a few dozen results is listed without moving the list
    WIN32_FIND_DATAA entry;
    const HANDLE search = FindFirstFileA(pattern.c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        // A folder without a matching entry; any other answer (ERROR_ACCESS_DENIED of a folder
        // that can be seen but not listed, a share gone) is a listing that did not happen.
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES ? 0 : error;
    }
    DWORD error = 0;
    for (;;) {
        FoundFile file;
        file.name.assign(entry.cFileName, strnlen(entry.cFileName, sizeof entry.cFileName));
        file.size = (static_cast<std::uint64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
        file.folder = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        file.lastWritten =
            (static_cast<std::uint64_t>(entry.ftLastWriteTime.dwHighDateTime) << 32) |
            entry.ftLastWriteTime.dwLowDateTime;
        file.shortName.assign(entry.cAlternateFileName,
                              strnlen(entry.cAlternateFileName, sizeof entry.cAlternateFileName));
        found.push_back(std::move(file));
        if (!FindNextFileA(search, &entry)) {
            error = GetLastError();
            break;
        }
    }
    FindClose(search);
    // Only ERROR_NO_MORE_FILES ends a listing; a network error part-way leaves it partial.
    return error == ERROR_NO_MORE_FILES ? 0 : (error ? error : ERROR_GEN_FAILURE);
}

bool Win32ResultFolders::readFile(const std::string& name, std::uint32_t maxBytes,
                                  std::string& content) {
    content.clear();
    const HANDLE file = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    // A console, a serial port or a pipe behind the name: its reads may wait for ever.
    bool ok = GetFileType(file) == FILE_TYPE_DISK;
    // Into a buffer kept from file to file, then the string (which the caller keeps too): a
    // result read costs neither an allocation nor the zeroing of a fresh string. A disk file
    // gives all that is asked of it up to its end, so one call reads a whole result; a shorter
    // answer is the end.
    if (ok && bufferSize_ < maxBytes) {
        buffer_.reset(new (std::nothrow) char[maxBytes]);
        bufferSize_ = buffer_ ? maxBytes : 0;
        ok = buffer_ != nullptr;
    }
    for (std::uint32_t had = 0; ok && had < maxBytes;) {
        DWORD read = 0;
        ok = ReadFile(file, buffer_.get() + had, maxBytes - had, &read, nullptr) != 0;
        if (ok)
            content.append(buffer_.get() + had, read);
        if (!ok || read < maxBytes - had)
            break;
        had += read;
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
