// Writing to standard output and standard error through the platform.
#include "app/StandardStreams.h"

#include "platform/Platform.h"

#include <algorithm>

namespace prereq {

std::string windowsLineEnds(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 32);
    // A line at a time, each found by one search and copied whole: a whole page costs a 486
    // less than a loop turn for each of its bytes.
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        out.append(text, start, end - start);
        if (end < text.size())
            out += "\r\n";
        start = end + 1;
    }
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
