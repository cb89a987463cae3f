// Writing to standard output and standard error through the platform.
#include "app/StandardStreams.h"

#include "platform/Platform.h"

namespace prereq {

std::string windowsLineEnds(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 32);
    std::size_t runStart = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n') {
            out.append(text, runStart, i - runStart);
            out += "\r\n";
            runStart = i + 1;
        }
    out.append(text, runStart, std::string::npos);
    return out;
}

void writeStandardStream(std::uint32_t which, const std::string& text, bool utf8) {
    WindowsServices& pc = platform();
    const FileHandle stream = pc.standardHandle(which);
    if (stream == 0 || text.empty())
        return;
    std::string bytes = windowsLineEnds(text);
    if (!utf8 && pc.isConsole(stream))
        bytes = pc.ansiToOem(bytes);
    pc.writeFile(stream, bytes.data(), static_cast<std::uint32_t>(bytes.size()));
}

} // namespace prereq
