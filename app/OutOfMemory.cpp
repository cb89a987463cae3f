// The out-of-memory line, kept converted with its line end, so that writing it needs one
// WriteFile and no memory.
#include "app/OutOfMemory.h"

#include "app/StandardStreams.h"
#include "platform/Platform.h"

namespace prereq {

namespace {

std::string& readiedLine() {
    static std::string line;
    return line;
}

} // namespace

void prepareOutOfMemoryLine(const std::string& line) {
    WindowsServices& pc = platform();
    std::string bytes = windowsLineEnds(line + "\n");
    const FileHandle stream = pc.standardHandle(kStdErrorHandle);
    if (stream != 0 && pc.isConsole(stream))
        bytes = pc.ansiToOem(bytes);
    readiedLine() = bytes;
}

void sayOutOfMemory() {
    const std::string& line = readiedLine();
    WindowsServices& pc = platform();
    const FileHandle stream = pc.standardHandle(kStdErrorHandle);
    if (stream != 0 && !line.empty())
        pc.writeFile(stream, line.data(), static_cast<std::uint32_t>(line.size()));
}

} // namespace prereq
