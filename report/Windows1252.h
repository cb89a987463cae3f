// Windows-1252 and UTF-8 for output that must be UTF-8 (the JSON summary). The JSON decodes the
// PC's texts with the PC's own ANSI code page; Windows-1252 is what it falls back on, and the
// code page the simulated PC has by default.
#pragma once

#include <cstdint>
#include <string>

namespace prereq {

// The Unicode code point of one Windows-1252 byte. The five bytes that the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) give the code points of the same number, as Windows
// itself converts them, so every byte decodes to exactly one character.
std::uint32_t windows1252CodePoint(unsigned char byte);

// Appends codePoint (up to U+10FFFF) encoded as UTF-8.
void appendUtf8(std::string& out, std::uint32_t codePoint);

} // namespace prereq
