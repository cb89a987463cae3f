// Text that another PC wrote, made safe to show.
#include "text/VisibleText.h"

#include "text/Utf8.h"

namespace prereq {

bool isHiddenCodePoint(std::uint32_t c) {
    if (c < 0x20)
        return c != '\r' && c != '\n';
    return (c >= 0x7F && c <= 0x9F) || c == 0xAD || c == 0x061C || c == 0x180E ||
           (c >= 0x200B && c <= 0x200F) || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2060 && c <= 0x206F) || c == 0xFEFF || (c >= 0xFFF9 && c <= 0xFFFB);
}

namespace {

// The length of the beginning of text that is visible ASCII.
std::size_t visibleAsciiLength(std::string_view text) {
    std::size_t offset = 0;
    while (offset < text.size()) {
        const unsigned char byte = static_cast<unsigned char>(text[offset]);
        if (byte < 0x20 || byte >= 0x7F) // printable ASCII, most of every text, needs no look
            if (byte >= 0x80 || isHiddenCodePoint(byte))
                break;
        ++offset;
    }
    return offset;
}

} // namespace

bool isVisibleAscii(std::string_view text) {
    return visibleAsciiLength(text) == text.size();
}

std::string visibleText(const std::string& utf8) {
    std::size_t offset = visibleAsciiLength(utf8);
    if (offset == utf8.size()) // most texts have nothing to replace
        return utf8;
    std::string out = utf8.substr(0, offset);
    while (offset < utf8.size()) {
        const unsigned char lead = static_cast<unsigned char>(utf8[offset]);
        const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        const std::string sequence = utf8.substr(offset, length);
        std::size_t after = 0;
        // A byte that begins no well-formed sequence (a file anyone can write) is one '?' too.
        if (sequence.size() < length || firstInvalidUtf8(sequence) != sequence.size()) {
            out += '?';
            ++offset;
        } else {
            out += isHiddenCodePoint(nextCodePoint(sequence, after)) ? std::string("?") : sequence;
            offset += length;
        }
    }
    return out;
}

} // namespace prereq
