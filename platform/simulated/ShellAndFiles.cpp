// The simulated PC's shell and files: paths, the environment, associations and launches, the
// report files, and the standard streams with their code page.
#include "platform/simulated/SimulatedPc.h"

#include "platform/simulated/SimulatedPcHelpers.h"

#include <cstring>

namespace prereq {

using namespace simulated;

namespace {

// Code page 437 for the Windows-1252 bytes 0x80 to 0xFF, as CharToOemBuffA maps them.
const char kOem437[] = "\x3f\x3f\x27\x9f\x22\x2e\x3f\x3f\x5e\x25\x53\x3c\x4f\x3f\x5a\x3f"
                       "\x3f\x27\x27\x22\x22\x07\x2d\x2d\x7e\x54\x73\x3e\x6f\x3f\x7a\x59"
                       "\xff\xad\x9b\x9c\x3f\x9d\x3f\x3f\x20\x3f\xa6\xae\xaa\x3f\x3f\x20"
                       "\xf8\xf1\xfd\x33\x20\xe6\x3f\xfa\x20\x31\xa7\xaf\xac\xab\x33\xa8"
                       "\x41\x41\x41\x41\x8e\x8f\x92\x80\x45\x90\x45\x45\x49\x49\x49\x49"
                       "\x3f\xa5\x4f\x4f\x4f\x4f\x99\x3f\x3f\x55\x55\x55\x9a\x59\x3f\xe1"
                       "\x85\xa0\x83\x61\x84\x86\x91\x87\x8a\x82\x88\x89\x8d\xa1\x8c\x8b"
                       "\x3f\xa4\x95\xa2\x93\x6f\x94\xf6\x3f\x97\xa3\x96\x81\x79\x3f\x98";
static_assert(sizeof kOem437 == 129, "one byte for each of 0x80 to 0xFF");

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
    if (path.empty())
        return false;
    const std::string full = absolute(path);
    return existingPaths.count(full) || files.count(full) || folderExists(full);
}

bool SimulatedPc::isFolder(const std::string& path) {
    return folderExists(path);
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

FileHandle SimulatedPc::createReportFile(const std::string& name) {
    const std::string full = fullPath(name);
    if (full.empty() || !folderExists(parentFolder(full))) {
        lastError = kErrorPathNotFound;
        return 0;
    }
    if (lockedFiles.count(full)) {
        lastError = kErrorAccessDenied;
        return 0;
    }
    if (isOpenFile(full)) {
        lastError = kErrorSharingViolation; // no sharing while open
        return 0;
    }
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
    std::uint32_t written = size;
    if (diskBytesLeft) {
        written = static_cast<std::uint32_t>(std::min<std::uint64_t>(size, *diskBytesLeft));
        *diskBytesLeft -= written;
    }
    files[it->second].append(data, written);
    return written == size;
}

void SimulatedPc::closeFile(FileHandle file) {
    const auto open = openFiles_.find(file);
    if (open == openFiles_.end()) {
        misuse("CloseHandle", "file", file);
        return;
    }
    endedHandles_[file] = "was the file " + open->second + " until CloseHandle closed it";
    openFiles_.erase(open);
    --openFileCount;
}

bool SimulatedPc::deleteFile(const std::string& name) {
    const std::string full = fullPath(name);
    if (isOpenFile(full))
        return false; // ERROR_SHARING_VIOLATION: opened without sharing
    return files.erase(full) > 0;
}

bool SimulatedPc::moveFile(const std::string& existingName, const std::string& newName) {
    const std::string from = fullPath(existingName);
    const std::string to = fullPath(newName);
    const auto it = files.find(from);
    if (it == files.end() || isOpenFile(from) || to.empty() || pathExists(to) ||
        lockedFiles.count(to) || !folderExists(parentFolder(to)))
        return false;
    std::string content = std::move(it->second);
    files.erase(it);
    files[to] = std::move(content);
    return true;
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

std::string SimulatedPc::ansiToOem(const std::string& text) {
    std::string oem = text;
    for (char& c : oem)
        if (static_cast<unsigned char>(c) >= 0x80)
            c = kOem437[static_cast<unsigned char>(c) - 0x80];
    return oem;
}

} // namespace prereq
