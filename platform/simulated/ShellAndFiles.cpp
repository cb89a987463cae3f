// The simulated PC's shell and files: paths, the environment, associations and launches, the
// report files and their errors as FormatMessageA words them, and the standard streams.
#include "platform/simulated/SimulatedPc.h"

#include "platform/simulated/SimulatedPcHelpers.h"

#include <cstring>

namespace prereq {

using namespace simulated;

namespace {

// FormatMessageA's English texts for the errors the simulated calls give.
const std::map<std::uint32_t, const char*> kErrorTexts = {
    {2, "The system cannot find the file specified.\r\n"},
    {3, "The system cannot find the path specified.\r\n"},
    {5, "Access is denied.\r\n"},
    {8, "Not enough storage is available to process this command.\r\n"},
    {32, "The process cannot access the file because it is being used by another process.\r\n"},
    {53, "The network path was not found.\r\n"},
    {80, "The file exists.\r\n"},
    {112, "There is not enough space on the disk.\r\n"},
    {120, "This function is not supported on this system.\r\n"},
    {123, "The filename, directory name, or volume label syntax is incorrect.\r\n"},
    {206, "The filename or extension is too long.\r\n"},
    {183, "Cannot create a file when that file already exists.\r\n"},
};

// An 8.3 name: up to eight characters, then at most one '.' and up to three more.
bool isShortName(const std::string& name) {
    const auto dot = name.find('.');
    if (dot == std::string::npos)
        return !name.empty() && name.size() <= 8;
    return dot > 0 && dot <= 8 && name.size() - dot - 1 <= 3 &&
           name.find('.', dot + 1) == std::string::npos;
}

} // namespace

std::string SimulatedPc::fullPath(const std::string& path) {
    if (fullPathFails || path.empty())
        return {};
    std::string full = absolute(path);
    // The full path and its NUL must fit into MAX_PATH characters.
    return full.size() < kMaxPath ? full : std::string();
}

std::string SimulatedPc::absolute(const std::string& path) const {
    return isAbsolute(path) ? path : currentDirectory + "\\" + path;
}

bool SimulatedPc::pathExists(const std::string& path) {
    probed("GetFileAttributesA", path);
    if (path.empty() || isShareRootOrAbove(path))
        return failWith(kWin32BadNetPath);
    const std::string full = absolute(path);
    return existingPaths.count(full) || files.count(full) || folderExists(full) ||
           failWith(kErrorFileNotFound);
}

bool SimulatedPc::isFolder(const std::string& path) {
    return pathExists(path) && folderExists(path);
}

std::uint32_t SimulatedPc::findFirstFile(const std::string& pattern) {
    probed("FindFirstFileA", pattern);
    // The first entry of the one listing the PC gives (findFiles); a missing folder on a share
    // answers as the share's path does, ERROR_BAD_NETPATH.
    std::vector<FoundFile> found;
    const std::uint32_t error = findFiles(pattern, found);
    if (error != 0 && found.empty())
        failWith(error);
    else if (found.empty())
        failWith(kErrorFileNotFound);
    else
        return 0;
    return lastError;
}

bool SimulatedPc::environmentVariable(const std::string& name, std::string& value) {
    const auto it = environment.find(name);
    if (it == environment.end())
        return false;
    value = it->second;
    return true;
}

std::intptr_t SimulatedPc::findExecutable(const std::string& file, std::string& executable) {
    executable.clear();
    if (!pathExists(file))
        return 2; // SE_ERR_FNF
    const auto it = associations.find(extensionOf(file));
    if (it == associations.end())
        return 31; // SE_ERR_NOASSOC
    executable = it->second;
    return 42;
}

std::intptr_t SimulatedPc::shellExecute(WindowHandle owner, const std::string& operation,
                                        const std::string& file, const std::string& parameters,
                                        int showCommand) {
    launches.push_back(Launch{owner, operation, file, parameters, showCommand});
    return launchResult;
}

bool SimulatedPc::isOpenFile(const std::string& full) const {
    for (const auto& open : openFiles_)
        if (equalsIgnoringCase(open.second, full))
            return true;
    return false;
}

bool SimulatedPc::isHeld(const std::string& full) const {
    const auto it = heldFiles.find(full);
    return it != heldFiles.end() && clockNanoseconds / 1000000u < it->second;
}

bool SimulatedPc::failWith(std::uint32_t error) {
    lastError = error;
    return false;
}

FileHandle SimulatedPc::createNewFile(const std::string& name) {
    const std::string full = fullPath(name);
    if (!full.empty() && (files.count(full) || existingPaths.count(full) || folderExists(full)))
        return failWith(kWin32FileExists);
    return createReportFile(name);
}

FileHandle SimulatedPc::createReportFile(const std::string& name) {
    const std::string full = fullPath(name);
    if (full.empty() || !folderExists(parentFolder(full)))
        return failWith(kErrorPathNotFound);
    if (shortNamesOnly.count(folderName(parentFolder(full))) &&
        !isShortName(full.substr(full.find_last_of('\\') + 1)))
        return failWith(123); // ERROR_INVALID_NAME
    if (lockedFiles.count(full))
        return failWith(kErrorAccessDenied);
    // A reader can hold only a file that exists: one that opens it once it appears holds it then.
    if (isOpenFile(full) || (isHeld(full) && files.count(full)))
        return failWith(kErrorSharingViolation); // no sharing while open
    files[full].clear();
    const FileHandle file = nextHandle_++;
    openFiles_[file] = full;
    ++openFileCount;
    return file;
}

bool SimulatedPc::writeFile(FileHandle file, const char* data, std::uint32_t size) {
    if (StandardStream* stream = standardStream(file)) {
        stream->written.append(data, size);
        return true;
    }
    const auto it = openFiles_.find(file);
    if (it == openFiles_.end()) {
        misuse("WriteFile", "file", file);
        return false;
    }
    fileWrites.emplace_back(data, size);
    if (writeBehind) {
        cachedWrites_[file].append(data, size);
        return true;
    }
    std::uint32_t written = size;
    if (diskBytesLeft) {
        written = static_cast<std::uint32_t>(std::min<std::uint64_t>(size, *diskBytesLeft));
        *diskBytesLeft -= written;
    }
    files[it->second].append(data, written);
    return written == size || failWith(kErrorDiskFull);
}

bool SimulatedPc::sendCachedWrites(FileHandle file) {
    const auto cached = cachedWrites_.find(file);
    if (cached == cachedWrites_.end())
        return true;
    const std::uint64_t sent =
        std::min<std::uint64_t>(cached->second.size(), writeBehind->serverBytesLeft);
    writeBehind->serverBytesLeft -= sent;
    files[openFiles_[file]].append(cached->second, 0, static_cast<std::size_t>(sent));
    const bool all = sent == cached->second.size();
    cachedWrites_.erase(cached);
    return all || failWith(kErrorDiskFull);
}

bool SimulatedPc::flushFile(FileHandle file) {
    if (!openFiles_.count(file)) {
        misuse("FlushFileBuffers", "file", file);
        return failWith(6); // ERROR_INVALID_HANDLE
    }
    return (writeBehind && writeBehind->flushIgnored) || sendCachedWrites(file);
}

bool SimulatedPc::fileSize(FileHandle file, std::uint32_t& size) {
    const auto open = openFiles_.find(file);
    if (open == openFiles_.end()) {
        misuse("GetFileSize", "file", file);
        return failWith(6); // ERROR_INVALID_HANDLE
    }
    // The redirector answers with what it holds, the cached writes included.
    const auto cached = cachedWrites_.find(file);
    size = static_cast<std::uint32_t>(files[open->second].size() +
                                      (cached == cachedWrites_.end() ? 0 : cached->second.size()));
    return true;
}

bool SimulatedPc::closeFile(FileHandle file) {
    const auto open = openFiles_.find(file);
    if (open == openFiles_.end()) {
        misuse("CloseHandle", "file", file);
        return failWith(6); // ERROR_INVALID_HANDLE
    }
    const bool sent = sendCachedWrites(file);
    endedHandles_[file] = "was the file " + open->second + " until CloseHandle closed it";
    openFiles_.erase(open);
    --openFileCount;
    return sent;
}

bool SimulatedPc::deleteFile(const std::string& name) {
    const std::string full = fullPath(name);
    if (isOpenFile(full) || isHeld(full))
        return failWith(kErrorSharingViolation); // opened without sharing
    return files.erase(full) > 0 || failWith(kErrorFileNotFound);
}

bool SimulatedPc::moveFile(const std::string& existingName, const std::string& newName) {
    const std::string from = fullPath(existingName);
    const std::string to = fullPath(newName);
    const auto it = files.find(from);
    if (it == files.end())
        return failWith(kErrorFileNotFound);
    if (isOpenFile(from) || isHeld(from))
        return failWith(kErrorSharingViolation);
    if (to.empty() || !folderExists(parentFolder(to)))
        return failWith(kErrorPathNotFound);
    if (files.count(to) || existingPaths.count(to) || folderExists(to))
        return failWith(kWin32AlreadyExists);
    if (lockedFiles.count(to))
        return failWith(kErrorAccessDenied);
    std::string content = std::move(it->second);
    files.erase(it);
    files[to] = std::move(content);
    return true;
}

bool SimulatedPc::replaceFile(const std::string& existingName, const std::string& newName) {
    if (!isNtFamily())
        return failWith(kWin32CallNotImplemented);
    const std::string to = fullPath(newName);
    // The file it replaces must be neither open nor a folder; Windows then denies access.
    if (!to.empty() && files.count(to)) {
        if (isOpenFile(to) || isHeld(to) || lockedFiles.count(to) ||
            noReplacingRename.count(folderName(parentFolder(to))))
            return failWith(kErrorAccessDenied);
        const std::string kept = std::move(files[to]);
        files.erase(to);
        if (moveFile(existingName, newName))
            return true;
        if (!replaceDeletesFirst.count(folderName(parentFolder(to))))
            files[to] = kept; // the old file stays when the move fails
        return false;
    }
    return moveFile(existingName, newName);
}

SimulatedPc::StandardStream* SimulatedPc::standardStream(FileHandle handle) {
    if (handle == kOutputHandle && outputStream.present)
        return &outputStream;
    if (handle == kErrorHandle && errorStream.present)
        return &errorStream;
    return nullptr;
}

FileHandle SimulatedPc::standardHandle(std::uint32_t which) {
    const FileHandle handle = which == kStdOutputHandle  ? kOutputHandle
                              : which == kStdErrorHandle ? kErrorHandle
                                                         : 0;
    return standardStream(handle) ? handle : 0;
}

bool SimulatedPc::isConsole(FileHandle handle) {
    const StandardStream* stream = standardStream(handle);
    return stream && stream->console;
}

std::string SimulatedPc::errorMessage(std::uint32_t code) {
    const auto it = kErrorTexts.find(code);
    return it == kErrorTexts.end() ? std::string() : it->second;
}

} // namespace prereq
