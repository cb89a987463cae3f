// What the simulated PC's parts share: names compared as Windows compares them, paths taken
// apart, the error codes and the fixed handles it answers with.
#pragma once

#include "platform/WindowsServices.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace prereq {
namespace simulated {

// Windows NT compares names in upper case: '_' sorts after the letters.
inline char upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

inline bool equalsIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return upper(x) == upper(y); });
}

inline bool startsWithIgnoringCase(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() &&
           equalsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

// A network share's root or a bare server: "\\server\share" and "\\server", trailing '\'
// or not. Windows answers GetFileAttributesA on neither.
inline bool isShareRootOrAbove(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    if (path.size() < 3 || path.compare(0, 2, "\\\\") != 0)
        return false;
    while (path.size() > 2 && path.back() == '\\')
        path.pop_back();
    return std::count(path.begin() + 2, path.end(), '\\') <= 1;
}

inline bool isAbsolute(const std::string& path) {
    return (path.size() >= 2 && path[1] == ':') || (!path.empty() && path[0] == '\\');
}

inline std::string extensionOf(const std::string& path) {
    const auto dot = path.find_last_of('.');
    const auto slash = path.find_last_of("\\/:");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    return path.substr(dot);
}

inline constexpr std::int32_t kErrorInvalidHandle = 6;
inline constexpr std::uint32_t kErrorPathNotFound = 3;
inline constexpr std::uint32_t kErrorAccessDenied = 5;
inline constexpr std::uint32_t kErrorSharingViolation = 32;
inline constexpr std::uint32_t kErrorDiskFull = 112;
inline constexpr std::size_t kMaxPath = 260;
inline constexpr ExportAddress kFirstExportAddress = 0x10000000;
// Below the first issued handle, so no key, library or file is ever given one of these.
inline constexpr FileHandle kOutputHandle = 0x10;
inline constexpr FileHandle kErrorHandle = 0x14;

inline std::string hex(std::uintptr_t value) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(value));
    return text;
}

// A folder's path as folders holds it: '\' for '/', no trailing separator but a drive root's.
inline std::string folderName(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    while (!path.empty() && path.back() == '\\')
        path.pop_back();
    if (path.size() == 2 && path[1] == ':')
        path += '\\';
    return path;
}

// The folder that holds a file or folder; empty for a drive's root and a bare name.
inline std::string parentFolder(const std::string& path) {
    const auto slash = path.find_last_of("\\/");
    if (slash == std::string::npos)
        return {};
    const std::string parent = folderName(path.substr(0, slash));
    return parent == folderName(path) ? std::string() : parent;
}

} // namespace simulated
} // namespace prereq
