// Text that another PC wrote, made safe to show: characters that draw nothing or change how the
// text around them reads become '?'.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace prereq {

// Controls other than CR and LF (which the page and the spreadsheet file escape or quote); DEL and
// the C1 controls; the bidirectional controls (U+061C, U+200E, U+200F, U+202A to U+202E, U+2066 to
// U+2069), which can make one computer's name read as another's; and the invisible format
// characters (soft hyphen, zero width characters, word joiner, invisible operators, byte order
// mark, interlinear annotations).
bool isHiddenCodePoint(std::uint32_t codePoint);

// UTF-8 with every hidden code point, and every byte that begins no well-formed sequence,
// replaced by '?'.
std::string visibleText(const std::string& utf8);

// Whether text is ASCII that visibleText keeps as it is: printable, CR and LF alone. Such a text,
// most of every result, is the same bytes in UTF-8 and in every ANSI code page, so a writer can
// take it as it stands.
bool isVisibleAscii(std::string_view text);

} // namespace prereq
