// Writing to standard output and standard error through the platform.
#include "app/StandardStreams.h"

#include "platform/Platform.h"

namespace prereq {

void writeStandardStream(std::uint32_t which, const std::string& text, bool utf8) {
    WindowsServices& pc = platform();
    const FileHandle stream = pc.standardHandle(which);
    if (stream == 0 || text.empty())
        return;
    std::string bytes;
    for (const char c : text)
        bytes += c == '\n' ? std::string("\r\n") : std::string(1, c);
    if (!utf8 && pc.isConsole(stream))
        bytes = pc.ansiToOem(bytes);
    pc.writeFile(stream, bytes.data(), static_cast<std::uint32_t>(bytes.size()));
}

} // namespace prereq
