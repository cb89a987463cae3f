// Decoding the PC's ANSI texts by its own code page.
#include "platform/AnsiText.h"

#include "platform/Platform.h"
#include "text/Utf8.h"
#include "text/Windows1252.h"

namespace prereq {

std::u16string utf16FromAnsi(const std::string& ansi) {
    std::u16string wide;
    if (platform().ansiToUtf16(ansi, wide))
        return wide;
    wide.clear();
    for (const char c : ansi)
        wide += static_cast<char16_t>(windows1252CodePoint(static_cast<unsigned char>(c)));
    return wide;
}

std::string utf8FromAnsi(const std::string& ansi) {
    // Every ANSI code page of Windows keeps ASCII as it is, so such a text needs no conversion
    // (and no call to Windows); most of the program's texts are ASCII.
    if (isAscii(ansi))
        return ansi;
    const std::u16string wide = utf16FromAnsi(ansi);
    std::string utf8;
    for (std::size_t i = 0; i < wide.size(); ++i) {
        std::uint32_t codePoint = wide[i];
        const bool high = codePoint >= 0xD800 && codePoint < 0xDC00;
        if (high && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 && wide[i + 1] < 0xE000)
            codePoint = 0x10000 + ((codePoint - 0xD800) << 10) + (wide[++i] - 0xDC00);
        else if (codePoint >= 0xD800 && codePoint < 0xE000)
            codePoint = 0xFFFD;
        appendUtf8(utf8, codePoint);
    }
    return utf8;
}

} // namespace prereq
