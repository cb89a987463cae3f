// Windows-1252, the code page the reports are written in, and what the PC's texts are decoded
// with should its own ANSI code page fail (AnsiText.h).
#pragma once

#include <cstdint>

namespace prereq {

// The Unicode code point of one Windows-1252 byte. The five bytes that the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) give the code points of the same number, as Windows
// itself converts them, so every byte decodes to exactly one character.
std::uint32_t windows1252CodePoint(unsigned char byte);

} // namespace prereq
