// Letters compared ignoring case as Windows compares computer and file names: not only A to Z,
// but every letter of the ANSI code pages the programs meet (Western and Central European,
// Greek, Cyrillic), so that "CAFÉ" and "café" name one computer.
#pragma once

#include <cstdint>
#include <string>

namespace prereq {

// The lower-case form of a letter of Basic Latin, Latin-1, Latin Extended-A, Greek or Cyrillic;
// any other code point as it is.
std::uint32_t lowerCaseLetter(std::uint32_t codePoint);

// UTF-8 text with each of those letters in lower case. Text that is not well-formed UTF-8 only
// has A to Z lowered, byte by byte.
std::string lowerCaseText(const std::string& utf8);

} // namespace prereq
