// The case pairs of the code pages' letters, by Unicode's simple case mapping. The ranges follow
// the blocks' own layout: most of Latin Extended-A and Cyrillic's extensions pair each capital
// with the code point after it.
#include "text/LetterCase.h"

#include "text/Utf8.h"

namespace prereq {

namespace {

// A capital at an even (or, with odd set, an odd) code point of first to last, its small letter
// right after it.
bool isPairedCapital(std::uint32_t codePoint, std::uint32_t first, std::uint32_t last, bool odd) {
    return codePoint >= first && codePoint <= last && (codePoint % 2 == 1) == odd;
}

std::uint32_t lowerLatin(std::uint32_t c) {
    if (c >= 'A' && c <= 'Z')
        return c + 0x20;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return c + 0x20;
    if (c == 0x130) // the capital I with a dot above lowers to a plain i
        return 'i';
    if (c == 0x178)
        return 0xFF;
    if (isPairedCapital(c, 0x100, 0x137, false) || isPairedCapital(c, 0x139, 0x148, true) ||
        isPairedCapital(c, 0x14A, 0x177, false) || isPairedCapital(c, 0x179, 0x17E, true))
        return c + 1;
    return c;
}

std::uint32_t lowerGreekOrCyrillic(std::uint32_t c) {
    if ((c >= 0x391 && c <= 0x3AB && c != 0x3A2) || (c >= 0x410 && c <= 0x42F))
        return c + 0x20;
    if (c == 0x386)
        return 0x3AC;
    if (c >= 0x388 && c <= 0x38A)
        return c + 0x25;
    if (c == 0x38C)
        return 0x3CC;
    if (c == 0x38E || c == 0x38F)
        return c + 0x3F;
    if (c >= 0x400 && c <= 0x40F)
        return c + 0x50;
    if (isPairedCapital(c, 0x460, 0x481, false) || isPairedCapital(c, 0x48A, 0x4BF, false))
        return c + 1;
    return c;
}

} // namespace

std::uint32_t lowerCaseLetter(std::uint32_t codePoint) {
    return codePoint < 0x370 ? lowerLatin(codePoint) : lowerGreekOrCyrillic(codePoint);
}

std::string lowerCaseText(const std::string& utf8) {
    if (isAscii(utf8) || firstInvalidUtf8(utf8) != utf8.size()) {
        std::string lower = utf8;
        for (char& c : lower)
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        return lower;
    }
    std::string lower;
    for (std::size_t offset = 0; offset < utf8.size();)
        appendUtf8(lower, lowerCaseLetter(nextCodePoint(utf8, offset)));
    return lower;
}

} // namespace prereq
