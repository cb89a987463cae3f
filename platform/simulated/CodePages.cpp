// The simulated PC's code pages: the console's OEM page 437, as CharToOemBuffA maps the
// Windows-1252 bytes, and the ANSI pages MultiByteToWideChar and WideCharToMultiByte (CP_ACP)
// convert with, 1252 and 1251.
#include "platform/simulated/SimulatedPc.h"

#include "text/Windows1252.h"

namespace prereq {

namespace {

// Code page 437 for the Windows-1252 bytes 0x80 to 0xFF, as CharToOemBuffA maps them.
const char kOem437[] = "\x3f\x3f\x27\x9f\x22\x2e\x3f\x3f\x5e\x25\x53\x3c\x4f\x3f\x5a\x3f"
                       "\x3f\x27\x27\x22\x22\x07\x2d\x2d\x7e\x54\x73\x3e\x6f\x3f\x7a\x59"
                       "\xff\xad\x9b\x9c\x3f\x9d\x3f\x3f\x20\x3f\xa6\xae\xaa\x3f\x3f\x20"
                       "\xf8\xf1\xfd\x33\x20\xe6\x3f\xfa\x20\x31\xa7\xaf\xac\xab\x33\xa8"
                       "\x41\x41\x41\x41\x8e\x8f\x92\x80\x45\x90\x45\x45\x49\x49\x49\x49"
                       "\x3f\xa5\x4f\x4f\x4f\x4f\x99\x3f\x3f\x55\x55\x55\x9a\x59\x3f\xe1"
                       "\x85\xa0\x83\x61\x84\x86\x91\x87\x8a\x82\x88\x89\x8d\xa1\x8c\x8b"
                       "\x3f\xa4\x95\xa2\x93\x6f\x94\xf6\x3f\x97\xa3\x96\x81\x79\x3f\x98";
static_assert(sizeof kOem437 == 129, "one byte for each of 0x80 to 0xFF");

// Code page 1251 for the bytes 0x80 to 0xBF; 0xC0 to 0xFF are U+0410 to U+044F in order. The
// one byte the code page leaves undefined, 0x98, gives the code point of the same number.
const std::uint16_t kCyrillicRow80[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409,
    0x2039, 0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0,
    0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB,
    0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6,
    0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};

char16_t cyrillicCodePoint(unsigned char byte) {
    if (byte < 0x80)
        return byte;
    return byte < 0xC0 ? kCyrillicRow80[byte - 0x80] : static_cast<char16_t>(0x0410 + byte - 0xC0);
}

} // namespace

std::string SimulatedPc::ansiToOem(const std::string& text) {
    std::string oem = text;
    for (char& c : oem)
        if (static_cast<unsigned char>(c) >= 0x80)
            c = kOem437[static_cast<unsigned char>(c) - 0x80];
    return oem;
}

char16_t SimulatedPc::ansiCodePoint(unsigned char byte) const {
    return ansiCodePage == 1251 ? cyrillicCodePoint(byte)
                                : static_cast<char16_t>(windows1252CodePoint(byte));
}

bool SimulatedPc::ansiToUtf16(const std::string& text, std::u16string& wide) {
    if (ansiCodePage != 1252 && ansiCodePage != 1251)
        return false;
    wide.clear();
    for (const char c : text)
        wide += ansiCodePoint(static_cast<unsigned char>(c));
    return true;
}

// WideCharToMultiByte(CP_ACP) with the default character: '?' for a character the page lacks.
std::string SimulatedPc::unicodeToAnsi(const std::u16string& text) {
    std::string ansi;
    for (const char16_t unit : text) {
        char byte = unit < 0x80 ? static_cast<char>(unit) : '?';
        // WideCharToMultiByte(CP_ACP, 0) applies Windows' best-fit tables, which map the
        // fullwidth forms U+FF01 to U+FF5E to their ASCII originals (U+FF1D to '=') in code
        // pages 1252 and 1251 (bestfit1252.txt and bestfit1251.txt, as Microsoft publishes them).
        if (unit >= 0xFF01 && unit <= 0xFF5E)
            byte = static_cast<char>(unit - 0xFF01 + 0x21);
        for (unsigned value = 0x80; value <= 0xFF && byte == '?'; ++value)
            if (ansiCodePoint(static_cast<unsigned char>(value)) == unit)
                byte = static_cast<char>(value);
        ansi += byte;
    }
    return ansi;
}

} // namespace prereq
