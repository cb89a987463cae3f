// The simulated PC's answers to the fleet summary's calls: a folder's listing with each file's
// time and short name, a result read whole, and the local time.
#include "platform/simulated/SimulatedPc.h"

#include "fleet/CheckTime.h"
#include "platform/simulated/SimulatedPcHelpers.h"

#include <cctype>

namespace prereq {

using namespace simulated;

namespace {

// FindFirstFileA's wildcards: '*' any run of characters, '?' any one, ASCII case ignored.
bool matchesPattern(const char* name, const char* pattern) {
    for (; *pattern; ++pattern, ++name) {
        if (*pattern == '*') {
            for (const char* rest = name;; ++rest) {
                if (matchesPattern(rest, pattern + 1))
                    return true;
                if (!*rest)
                    return false;
            }
        }
        if (!*name || (*pattern != '?' && std::tolower(static_cast<unsigned char>(*pattern)) !=
                                              std::tolower(static_cast<unsigned char>(*name))))
            return false;
    }
    return !*name;
}

} // namespace

std::uint32_t SimulatedPc::findFiles(const std::string& pattern, std::vector<FoundFile>& found) {
    const std::string full = absolute(pattern);
    const std::string folder = folderName(parentFolder(full));
    const std::string wildcard = full.substr(full.find_last_of('\\') + 1);
    found.clear();
    if (!folderExists(folder))
        return folder.compare(0, 2, "\\\\") == 0 ? kWin32BadNetPath : kErrorPathNotFound;
    if (dropBoxes.count(folder))
        return kErrorAccessDenied; // a folder its users may write but not list
    const auto add = [&](const std::string& path, std::uint64_t size, bool isFolder) {
        const std::string name = path.substr(path.find_last_of('\\') + 1);
        if (folderName(parentFolder(path)) != folder ||
            !matchesPattern(name.c_str(), wildcard.c_str()))
            return;
        const auto shortName = shortNames.find(path);
        const auto written = fileTimes.find(path);
        found.push_back(FoundFile{name, size, isFolder,
                                  written != fileTimes.end() ? written->second : fileTimeOf(clock),
                                  shortName != shortNames.end() ? shortName->second : ""});
    };
    // Every folder but a drive's root lists itself and its parent first.
    if (folder.size() > 3)
        for (const char* name : {".", ".."})
            if (matchesPattern(name, wildcard.c_str()))
                found.push_back(FoundFile{name, 0, true, fileTimeOf(clock), ""});
    for (const std::string& path : folders)
        if (path.size() > 3)
            add(path, 0, true);
    for (const auto& file : files)
        add(file.first, file.second.size(), false);
    for (const std::string& path : existingPaths)
        if (!files.count(path))
            add(path, 0, false);
    // A share that drops part-way: FindNextFileA fails after that many entries.
    const auto drop = listingDrops.find(folder);
    if (drop != listingDrops.end() && found.size() > drop->second.first) {
        found.resize(drop->second.first);
        return drop->second.second;
    }
    return 0; // an empty one is FindFirstFileA's ERROR_FILE_NOT_FOUND: a complete listing
}

bool SimulatedPc::readFile(const std::string& name, std::uint32_t maxBytes, std::string& content) {
    content.clear();
    std::string full = fullPath(name);
    if (full.find_first_of("?*") != std::string::npos)
        return failWith(123); // ERROR_INVALID_NAME
    // A file's short name opens it as its own name does.
    for (const auto& shortName : shortNames)
        if (equalsIgnoringCase(parentFolder(shortName.first), parentFolder(full)) &&
            equalsIgnoringCase(shortName.second, full.substr(full.find_last_of('\\') + 1)))
            full = shortName.first;
    // CreateFileA's failures as its reference gives them: a name that cannot be made full, a
    // file that cannot be opened (ERROR_ACCESS_DENIED), one open without sharing, here or in a
    // reader (ERROR_SHARING_VIOLATION), one that is not there (ERROR_FILE_NOT_FOUND).
    if (full.empty())
        return false; // fullPath said why
    if (lockedFiles.count(full))
        return failWith(kErrorAccessDenied);
    if (isOpenFile(full) || isHeld(full))
        return failWith(kErrorSharingViolation);
    const auto it = files.find(full);
    if (it != files.end())
        content = it->second.substr(0, maxBytes);
    return it != files.end() || existingPaths.count(full) ||
           failWith(static_cast<std::uint32_t>(kErrorFileNotFound));
}

} // namespace prereq
