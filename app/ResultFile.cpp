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

// Puts temporary in target's place: 0 when it is there, else the error that stopped it, with
// a result from before still under target's name.
std::uint32_t placeResult(const std::string& temporary, const std::string& target,
                          const std::string& aside) {
    WindowsServices& pc = platform();
    if (pc.replaceFile(temporary, target))
        return 0;
    const std::uint32_t replaceError = pc.lastErrorCode();
    if (replaceError != kWin32CallNotImplemented)
        return replaceError;
    // Windows 95 and 98: no rename replaces a file, so the old result is set aside first and put
    // back when the new one cannot take its name. At no step is it gone.
    if (pc.moveFile(temporary, target))
        return 0;
    const std::uint32_t moveError = pc.lastErrorCode();
    if (!pc.pathExists(target))
        return moveError;
    if (!pc.moveFile(target, aside))
        return pc.lastErrorCode();
    if (pc.moveFile(temporary, target)) {
        pc.deleteFile(aside);
        return 0;
    }
    const std::uint32_t error = pc.lastErrorCode();
    pc.moveFile(aside, target); // should this fail too, the old result stays under aside
    return error;
}

std::string failure(const char* kind, const std::string& file, std::uint32_t error) {
    return std::string("cannot write ") + kind + " '" + file + "': " + errorText(error);
}

} // namespace

std::string resultFileName(const std::string& computer) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string name;
    for (const char c : computer) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
            (byte >= '0' && byte <= '9') || byte == '-') {
            name += c;
        } else {
            name += '_';
            name += kHex[byte >> 4];
            name += kHex[byte & 0xF];
        }
    }
    return name + ".json";
}

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
    const bool written = pc.writeFile(file, text.data(), static_cast<std::uint32_t>(text.size()));
    const std::uint32_t writeError = written ? 0 : pc.lastErrorCode();
    pc.closeFile(file);
    if (!written) {
        pc.deleteFile(temporary);
        return failure(kind, temporary, writeError);
    }
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
    std::uint32_t error = placeResult(temporary, target, own + ".old");
    for (int tries = 1; error != 0 && heldByAnother(error) && tries < kPlaceTries; ++tries) {
        pc.sleep(kPlacePauseMs);
        error = placeResult(temporary, target, own + ".old");
    }
    if (error == 0)
        return {};
    pc.deleteFile(temporary);
    return failure(kind, target, error);
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
