// Reading UTF-8: the strict check the result reader applies to every file, and the decoding the
// fleet page and the spreadsheet file need to put the text into their own encodings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace prereq {

// The offset of the first byte that does not begin a well-formed UTF-8 sequence (RFC 3629: no
// overlong forms, no surrogates, nothing above U+10FFFF), or text.size() when all of it is.
std::size_t firstInvalidUtf8(const std::string& text);

// The length (1 to 4) of the well-formed sequence that begins at data[offset], of the size
// bytes at data; 0 when none begins there.
std::size_t utf8SequenceLength(const char* data, std::size_t size, std::size_t offset);

// The code point that begins at offset in well-formed UTF-8, and the offset after it.
std::uint32_t nextCodePoint(const std::string& utf8, std::size_t& offset);

// Well-formed UTF-8 as UTF-16 units (a pair for each code point above U+FFFF).
std::u16string utf16FromUtf8(const std::string& utf8);

// Whether every byte is below 0x80: text that every ANSI code page and UTF-8 read alike.
bool isAscii(const std::string& text);

// Appends any code point up to U+10FFFF as UTF-8.
void appendUtf8(std::string& out, std::uint32_t codePoint);

} // namespace prereq
