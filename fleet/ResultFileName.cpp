// The name of a computer's result file, both ways.
#include "fleet/ResultFileName.h"

namespace prereq {

namespace {

bool isKeptAsItIs(unsigned char byte) {
    return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
           (byte >= '0' && byte <= '9') || byte == '-';
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if ((c | 0x20) >= 'a' && (c | 0x20) <= 'f')
        return (c | 0x20) - 'a' + 10;
    return -1;
}

} // namespace

std::string resultFileName(const std::string& computer) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string name;
    for (const char c : computer) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (isKeptAsItIs(byte)) {
            name += c;
        } else {
            name += '_';
            name += kHex[byte >> 4];
            name += kHex[byte & 0xF];
        }
    }
    return name + ".json";
}

bool computerOfResultFile(const std::string& fileName, std::string& computer) {
    computer.clear();
    if (fileName.size() <= 5 || fileName[fileName.size() - 5] != '.')
        return false;
    const std::size_t end = fileName.size() - 5;
    for (std::size_t i = 0; i < end; ++i) {
        const unsigned char byte = static_cast<unsigned char>(fileName[i]);
        if (isKeptAsItIs(byte)) {
            computer += fileName[i];
            continue;
        }
        const int high = byte == '_' && i + 2 < end ? hexDigit(fileName[i + 1]) : -1;
        const int low = high >= 0 ? hexDigit(fileName[i + 2]) : -1;
        // An escape of a byte that resultFileName keeps as it is ("ACCT_2D7" for "ACCT-7") is a
        // second name for the same computer: no writer gives it, so it speaks for none.
        if (low < 0 || isKeptAsItIs(static_cast<unsigned char>(high * 16 + low)))
            return false;
        computer += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return !computer.empty();
}

} // namespace prereq
