// Naming and writing the result file. Windows 95 has MoveFileA but no MoveFileExA, so a result
// from an earlier run is deleted before the new one takes its name.
#include "app/ResultFile.h"

#include "platform/Platform.h"
#include "report/ProductAssessment.h"

namespace prereq {

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

bool writeResultFile(const std::string& folder, const std::string& fileName,
                     const std::string& text) {
    WindowsServices& pc = platform();
    const std::string target = pathIn(folder, fileName);
    const std::string temporary = target + ".tmp";
    const FileHandle file = pc.createReportFile(temporary);
    if (file == 0)
        return false;
    const bool written = pc.writeFile(file, text.data(), static_cast<std::uint32_t>(text.size()));
    pc.closeFile(file);
    if (written && pc.pathExists(target))
        pc.deleteFile(target);
    if (written && pc.moveFile(temporary, target))
        return true;
    pc.deleteFile(temporary);
    return false;
}

} // namespace prereq
