// UTF-8 by RFC 3629, table 3-7 of the Unicode standard: which second byte each lead byte allows.
#include "text/Utf8.h"

#include <cstring>

namespace prereq {

namespace {

// How many bytes follow a lead byte, and the range its first continuation byte must fall in;
// 0 continuation bytes with an empty range for a byte that cannot lead.
struct Lead {
    int following;
    unsigned char low, high;
};

Lead leadOf(unsigned char byte) {
    if (byte < 0x80)
        return {0, 1, 0};
    if (byte >= 0xC2 && byte <= 0xDF)
        return {1, 0x80, 0xBF};
    if (byte == 0xE0)
        return {2, 0xA0, 0xBF}; // no overlong three-byte form
    if (byte == 0xED)
        return {2, 0x80, 0x9F}; // no surrogates
    if (byte >= 0xE1 && byte <= 0xEF)
        return {2, 0x80, 0xBF};
    if (byte == 0xF0)
        return {3, 0x90, 0xBF}; // no overlong four-byte form
    if (byte >= 0xF1 && byte <= 0xF3)
        return {3, 0x80, 0xBF};
    if (byte == 0xF4)
        return {3, 0x80, 0x8F}; // nothing above U+10FFFF
    return {-1, 1, 0};
}

} // namespace

std::size_t utf8SequenceLength(const char* data, std::size_t size, std::size_t offset) {
    const Lead lead = leadOf(static_cast<unsigned char>(data[offset]));
    if (lead.following < 0 || size - offset <= static_cast<std::size_t>(lead.following))
        return 0;
    for (int index = 1; index <= lead.following; ++index) {
        const unsigned char byte = static_cast<unsigned char>(data[offset + index]);
        const unsigned char low = index == 1 ? lead.low : 0x80;
        const unsigned char high = index == 1 ? lead.high : 0xBF;
        if (byte < low || byte > high)
            return 0;
    }
    return 1 + static_cast<std::size_t>(lead.following);
}

std::size_t firstInvalidUtf8(const std::string& text) {
    const char* const data = text.data();
    const std::size_t size = text.size();
    std::size_t offset = 0;
    while (offset < size) {
        // Runs of ASCII, most of every text, four bytes a step with nothing else to check.
        for (std::uint32_t word = 0; size - offset >= 4; offset += 4) {
            std::memcpy(&word, data + offset, 4);
            if (word & 0x80808080u)
                break;
        }
        while (offset < size && static_cast<unsigned char>(data[offset]) < 0x80)
            ++offset;
        if (offset == size)
            break;
        const std::size_t length = utf8SequenceLength(data, size, offset);
        if (length == 0)
            return offset;
        offset += length;
    }
    return offset;
}

std::uint32_t nextCodePoint(const std::string& utf8, std::size_t& offset) {
    const unsigned char lead = static_cast<unsigned char>(utf8[offset++]);
    if (lead < 0x80)
        return lead;
    const int following = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : 1;
    std::uint32_t codePoint = lead & (0x3F >> following);
    for (int index = 0; index < following && offset < utf8.size(); ++index)
        codePoint = (codePoint << 6) | (static_cast<unsigned char>(utf8[offset++]) & 0x3F);
    return codePoint;
}

std::u16string utf16FromUtf8(const std::string& utf8) {
    std::u16string units;
    units.reserve(utf8.size());
    for (std::size_t offset = 0; offset < utf8.size();) {
        const std::uint32_t codePoint = nextCodePoint(utf8, offset);
        if (codePoint < 0x10000) {
            units += static_cast<char16_t>(codePoint);
        } else {
            units += static_cast<char16_t>(0xD800 + ((codePoint - 0x10000) >> 10));
            units += static_cast<char16_t>(0xDC00 + ((codePoint - 0x10000) & 0x3FF));
        }
    }
    return units;
}

bool isAscii(const std::string& text) {
    const char* const data = text.data();
    const std::size_t size = text.size();
    std::size_t offset = 0;
    for (std::uint32_t word = 0; size - offset >= 4; offset += 4) { // four bytes a step
        std::memcpy(&word, data + offset, 4);
        if (word & 0x80808080u)
            return false;
    }
    for (; offset < size; ++offset)
        if (static_cast<unsigned char>(data[offset]) >= 0x80)
            return false;
    return true;
}

void appendUtf8(std::string& out, std::uint32_t codePoint) {
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (codePoint >> 18));
        out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

} // namespace prereq
