// A small JSON checker for the fuzzing target: whether a document is one well-formed value of
// objects, arrays and strings (the console program writes no numbers or literals) in valid
// UTF-8, with no raw control character (C0 outside the blanks between tokens, DEL or C1).
#pragma once

#include <cctype>
#include <cstring>
#include <string>

namespace prereq {
namespace json_check {

class Checker {
public:
    explicit Checker(const std::string& text) : s_(text) {}
    // True when the whole text is one such value.
    bool valid() { return value() && (blanks(), at_ == s_.size()); }

private:
    unsigned char peek() const { return at_ < s_.size() ? s_[at_] : 0; }
    bool take(char c) { return blanks(), peek() == c ? (++at_, true) : false; }
    void blanks() {
        while (peek() && std::strchr(" \t\r\n", peek()))
            ++at_;
    }
    bool value() {
        if (take('{'))
            return items('}', true);
        if (take('['))
            return items(']', false);
        return string();
    }
    bool items(char close, bool named) {
        if (take(close))
            return true;
        do {
            blanks();
            if (named && !(string() && take(':')))
                return false;
            blanks();
            if (!value())
                return false;
        } while (take(','));
        return take(close);
    }
    bool string() {
        if (peek() != '"')
            return false;
        for (++at_; at_ < s_.size();) {
            const unsigned char c = s_[at_];
            if (c == '"')
                return ++at_, true;
            if (c == '\\' && !escape())
                return false;
            if (c != '\\' && !character())
                return false;
        }
        return false;
    }
    bool escape() {
        const char kind = at_ + 1 < s_.size() ? s_[at_ + 1] : 0;
        if (kind && std::strchr("\"\\/bfnrt", kind))
            return at_ += 2, true;
        for (std::size_t digit = at_ + 2; digit < at_ + 6; ++digit)
            if (kind != 'u' || digit >= s_.size() ||
                !std::isxdigit(static_cast<unsigned char>(s_[digit])))
                return false;
        return at_ += 6, true;
    }
    // One UTF-8 character in its shortest form, no surrogate, no control character.
    bool character() {
        const unsigned char lead = s_[at_];
        const std::size_t length = lead < 0x80   ? 1
                                   : lead < 0xC2 ? 0
                                   : lead < 0xE0 ? 2
                                   : lead < 0xF0 ? 3
                                   : lead < 0xF5 ? 4
                                                 : 0;
        if (length == 0 || at_ + length > s_.size())
            return false;
        unsigned long code = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t i = 1; i < length; ++i) {
            if ((s_[at_ + i] & 0xC0) != 0x80)
                return false;
            code = code << 6 | (s_[at_ + i] & 0x3F);
        }
        const unsigned long shortest[] = {0, 0, 0x80, 0x800, 0x10000};
        at_ += length;
        return code >= shortest[length] && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF) &&
               code >= 0x20 && (code < 0x7F || code >= 0xA0);
    }

    const std::string& s_;
    std::size_t at_ = 0;
};

} // namespace json_check
} // namespace prereq
