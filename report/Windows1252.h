// Decoding of the PC's 8-bit ANSI texts for output that must be UTF-8 (the JSON summary).
// Windows-1252 stands in for the system's ANSI code page.
#pragma once

#include <cstdint>
#include <string>

namespace prereq {

// The Unicode code point of one Windows-1252 byte. The five bytes that the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) give the code points of the same number, as Windows
// itself converts them, so every byte decodes to exactly one character.
std::uint32_t windows1252CodePoint(unsigned char byte);

// Appends codePoint (below 0x10000) encoded as UTF-8.
void appendUtf8(std::string& out, std::uint32_t codePoint);

} // namespace prereq
