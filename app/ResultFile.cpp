// Naming and writing the result file. Many computers write into one share while a collector
// reads it, so each run writes under a name of its own and replaces the result as one rename.
#include "app/ResultFile.h"

#include "app/ErrorText.h"
#include "platform/Paths.h"
#include "platform/Platform.h"
#include "report/ProductAssessment.h"

#include <algorithm>

namespace prereq {

namespace {

constexpr std::uint32_t kNameTries = 8;      // temporary names tried when one exists already
constexpr int kPlaceTries = 10;              // a held result: tried this often,
constexpr std::uint32_t kPlacePauseMs = 200; // this long apart, about two seconds in all

std::string hexNumber(std::uint32_t value) {
    static const char kHex[] = "0123456789abcdef";
    std::string digits;
    do {
        digits.insert(digits.begin(), kHex[value & 0xF]);
        value >>= 4;
    } while (value != 0);
    return digits;
}

// The errors of a file that another program has open: worth a second try a moment later.
bool heldByAnother(std::uint32_t error) {
    return error == kWin32SharingViolation || error == kWin32LockViolation ||
           error == kWin32AccessDenied;
}

// A file in use by a reader, as a rename answers for it; nothing but waiting helps then.
bool inUse(std::uint32_t error) {
    return error == kWin32SharingViolation || error == kWin32LockViolation;
}

// What a placement left: 0 when the new result is under target's name, else the error that
// stopped it; restoreError is set when a result from before could not be put back from aside.
struct Placement {
    std::uint32_t error = 0;
    std::uint32_t restoreError = 0;
};

// Puts temporary in target's place. First the one-step replace (MoveFileExA); where that fails
// with anything but a file in use (the Windows 95 stub, a server or redirector that takes no
// replacing rename, one that fails halfway), the set-aside procedure: a rename onto a free
// name, else the old result aside, the new one in, and the old one back should that fail.
Placement placeResult(const std::string& temporary, const std::string& target,
                      const std::string& aside) {
    WindowsServices& pc = platform();
    Placement placed;
    if (pc.replaceFile(temporary, target))
        return placed;
    const std::uint32_t replaceError = pc.lastErrorCode();
    if (inUse(replaceError)) {
        placed.error = replaceError;
        return placed;
    }
    if (pc.moveFile(temporary, target))
        return placed;
    placed.error = pc.lastErrorCode();
    if (!pc.pathExists(target))
        return placed;
    if (!pc.moveFile(target, aside)) {
        // A reader holds the old result: MoveFileExA's own answer says so on NT.
        const std::uint32_t asideError = pc.lastErrorCode();
        placed.error = inUse(asideError) && replaceError != kWin32CallNotImplemented ? replaceError
                                                                                     : asideError;
        return placed;
    }
    if (pc.moveFile(temporary, target)) {
        pc.deleteFile(aside);
        placed.error = 0;
        return placed;
    }
    placed.error = pc.lastErrorCode();
    if (!pc.moveFile(aside, target))
        placed.restoreError = pc.lastErrorCode(); // the old result stays under aside
    return placed;
}

// "cannot write KIND 'FILE': REASON", with a hint where a server refuses the name itself.
std::string failure(const char* kind, const std::string& file, std::uint32_t error) {
    std::string text = std::string("cannot write ") + kind + " '" + file + "': " + errorText(error);
    if (error == kWin32InvalidName || error == kWin32FilenameExcedRange)
        text += " (the server may not take long file names)";
    return text;
}

// Removes this run's temporary file; "; 'FILE' is left: REASON" when it stays.
std::string removeTemporary(const std::string& temporary) {
    WindowsServices& pc = platform();
    if (pc.deleteFile(temporary))
        return {};
    return "; '" + temporary + "' is left: " + errorText(pc.lastErrorCode());
}

// WriteFile, FlushFileBuffers, GetFileSize and CloseHandle: 0 when every byte of text is in the
// file on its disk or server, else Windows' reason. A redirector that caches writes reports a
// full disk, a quota or a dropped share only at the flush or the close; a size that differs
// from what was written is a full disk, whatever Windows said of it.
std::uint32_t writeWhole(FileHandle file, const std::string& text) {
    WindowsServices& pc = platform();
    const std::uint32_t size = static_cast<std::uint32_t>(text.size());
    std::uint32_t sizeOnDisk = 0;
    bool whole = pc.writeFile(file, text.data(), size) && pc.flushFile(file) &&
                 pc.fileSize(file, sizeOnDisk);
    std::uint32_t error = whole ? 0 : pc.lastErrorCode();
    if (whole && sizeOnDisk != size) {
        whole = false;
        error = kWin32DiskFull;
    }
    if (!pc.closeFile(file) && whole) {
        whole = false;
        error = pc.lastErrorCode();
    }
    // A call that failed without a reason still left the file short.
    return whole ? 0 : error != 0 ? error : kWin32DiskFull;
}

} // namespace

namespace {

// Writes text under a temporary name of this run's own beside fileName; own is that name without
// ".tmp". Empty when written, else the failure.
std::string writeTemporary(const std::string& folder, const std::string& fileName,
                           const std::string& text, const char* kind, std::string& own) {
    WindowsServices& pc = platform();
    const std::string target = pathIn(folder, fileName);
    // Cloned PCs keep one computer name: their runs differ in process id or tick count, and
    // CREATE_NEW never takes over another run's file should both be the same.
    const std::string run = target + "." + hexNumber(pc.processId()) + "-";
    const std::uint32_t tick = pc.tickCount();
    FileHandle file = 0;
    for (std::uint32_t n = 0; n < kNameTries && file == 0; ++n) {
        own = run + hexNumber(tick + n);
        file = pc.createNewFile(own + ".tmp");
        const std::uint32_t error = file ? 0 : pc.lastErrorCode();
        if (!file && error != kWin32FileExists && error != kWin32AlreadyExists)
            break;
    }
    const std::string temporary = own + ".tmp";
    if (file == 0)
        return failure(kind, temporary, pc.lastErrorCode());
    const std::uint32_t writeError = writeWhole(file, text);
    if (writeError != 0)
        return failure(kind, temporary, writeError) + removeTemporary(temporary);
    return {};
}

} // namespace

std::string writeResultFile(const std::string& folder, const std::string& fileName,
                            const std::string& text, const char* kind) {
    WindowsServices& pc = platform();
    const std::string target = pathIn(folder, fileName);
    std::string own;
    const std::string problem = writeTemporary(folder, fileName, text, kind, own);
    if (!problem.empty())
        return problem;
    const std::string temporary = own + ".tmp";
    const std::string aside = own + ".old";
    const bool hadResult = pc.pathExists(target);
    Placement placed = placeResult(temporary, target, aside);
    for (int tries = 1; placed.error != 0 && placed.restoreError == 0 &&
                        heldByAnother(placed.error) && tries < kPlaceTries;
         ++tries) {
        pc.sleep(kPlacePauseMs);
        placed = placeResult(temporary, target, aside);
    }
    if (placed.error == 0)
        return {};
    std::string message = failure(kind, target, placed.error);
    // A result from before that is no longer under its name (a redirector that replaced by
    // deleting first, a set-aside that could not be undone): the new one is complete and kept.
    if (hadResult && !pc.pathExists(target)) {
        message += "; the new result is kept as '" + temporary + "'";
        if (placed.restoreError != 0)
            message +=
                ", the one from before as '" + aside + "': " + errorText(placed.restoreError);
        return message;
    }
    return message + removeTemporary(temporary);
}

std::string writeResultFiles(const std::string& folder, const std::vector<ResultFileText>& files) {
    WindowsServices& pc = platform();
    std::vector<std::string> owns, asides, placed;
    std::string problem;
    for (const ResultFileText& file : files) {
        owns.emplace_back();
        problem = writeTemporary(folder, file.fileName, file.text, file.kind, owns.back());
        if (!problem.empty()) {
            owns.pop_back();
            break;
        }
    }
    // Every old file set aside first (while a reader holds one, tried again for about two
    // seconds), then every new one in its place: any failure puts the old ones back.
    for (std::size_t i = 0; problem.empty() && i < files.size(); ++i) {
        const std::string target = pathIn(folder, files[i].fileName);
        if (!pc.pathExists(target))
            continue;
        bool moved = pc.moveFile(target, owns[i] + ".old");
        for (int tries = 1; !moved && heldByAnother(pc.lastErrorCode()) && tries < kPlaceTries;
             ++tries) {
            pc.sleep(kPlacePauseMs);
            moved = pc.moveFile(target, owns[i] + ".old");
        }
        if (moved)
            asides.push_back(target);
        else
            problem = failure(files[i].kind, target, pc.lastErrorCode());
    }
    for (std::size_t i = 0; problem.empty() && i < files.size(); ++i) {
        const std::string target = pathIn(folder, files[i].fileName);
        if (pc.moveFile(owns[i] + ".tmp", target))
            placed.push_back(target);
        else
            problem = failure(files[i].kind, target, pc.lastErrorCode());
    }
    for (std::size_t i = 0; i < owns.size(); ++i) {
        const std::string target = pathIn(folder, files[i].fileName);
        const bool setAside = std::find(asides.begin(), asides.end(), target) != asides.end();
        if (problem.empty()) {
            if (setAside)
                pc.deleteFile(owns[i] + ".old");
            continue;
        }
        pc.deleteFile(owns[i] + ".tmp");
        if (std::find(placed.begin(), placed.end(), target) != placed.end())
            pc.deleteFile(target);
        if (setAside)
            pc.moveFile(owns[i] + ".old", target); // should this fail, the old file stays aside
    }
    return problem;
}

} // namespace prereq
