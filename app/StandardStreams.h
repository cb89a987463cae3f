// Where the console program's text goes: standard output and standard error, each a console, a
// file or a pipe.
#pragma once

#include <cstdint>
#include <string>

namespace prereq {

// text with every "\n" turned into the "\r\n" that Windows programs read as a line end.
std::string windowsLineEnds(const std::string& text);

// Writes text to the stream (kStdOutputHandle or kStdErrorHandle) with Windows line ends, if the
// program has that stream. A console shows its OEM code page, so it gets ANSI text converted to
// it; a file or a pipe gets the ANSI bytes as they are, and UTF-8 text goes out unchanged.
void writeStandardStream(std::uint32_t which, const std::string& text, bool utf8);

} // namespace prereq
