// A small JSON checker for the fuzzing target: whether a document is one well-formed JSON value
// in valid UTF-8, and holds no raw control character (C0 apart from the line breaks between
// members, DEL, or C1). Numbers are not checked: the console program's documents hold none.
#pragma once

#include <cctype>
#include <cstddef>
#include <string>

namespace prereq {
namespace json_check {

class Checker {
public:
    explicit Checker(const std::string& text) : text_(text) {}

    // Empty when the document is fine, else what is wrong and where.
    std::string problem() {
        skipBlanks();
        if (!value())
            return problem_ + " at byte " + std::to_string(at_);
        skipBlanks();
        return at_ == text_.size() ? std::string()
                                   : "text after the value at byte " + std::to_string(at_);
    }

private:
    bool fail(const char* what) {
        problem_ = what;
        return false;
    }
    unsigned char peek() const { return at_ < text_.size() ? text_[at_] : 0; }
    void skipBlanks() {
        while (peek() == ' ' || peek() == '\n' || peek() == '\r' || peek() == '\t')
            ++at_;
    }
    bool literal(const char* word) {
        const std::string expected(word);
        if (text_.compare(at_, expected.size(), expected) != 0)
            return fail("unknown literal");
        at_ += expected.size();
        return true;
    }
    bool value() {
        if (++depth_ > 64)
            return fail("nested too deep");
        bool ok = false;
        switch (peek()) {
        case '{':
            ok = sequence('}', true);
            break;
        case '[':
            ok = sequence(']', false);
            break;
        case '"':
            ok = string();
            break;
        case 't':
            ok = literal("true");
            break;
        case 'f':
            ok = literal("false");
            break;
        case 'n':
            ok = literal("null");
            break;
        default:
            ok = fail("no value");
        }
        --depth_;
        return ok;
    }
    // An object's members or an array's elements, from the opening bracket to the closing one.
    bool sequence(char close, bool members) {
        ++at_;
        skipBlanks();
        if (peek() == close)
            return ++at_, true;
        for (;;) {
            skipBlanks();
            if (members) {
                if (peek() != '"' || !string())
                    return fail("member without a name");
                skipBlanks();
                if (peek() != ':')
                    return fail("no colon after a member's name");
                ++at_;
                skipBlanks();
            }
            if (!value())
                return false;
            skipBlanks();
            if (peek() == close)
                return ++at_, true;
            if (peek() != ',')
                return fail("no comma between items");
            ++at_;
        }
    }
    bool string() {
        ++at_;
        while (at_ < text_.size()) {
            const unsigned char c = text_[at_];
            if (c == '"')
                return ++at_, true;
            if (c == '\\') {
                if (!escape())
                    return false;
            } else if (c < 0x20 || c == 0x7F) {
                return fail("raw control character in a string");
            } else if (!utf8Character()) {
                return false;
            }
        }
        return fail("unterminated string");
    }
    bool escape() {
        const char kind = at_ + 1 < text_.size() ? text_[at_ + 1] : 0;
        if (kind && std::string("\"\\/bfnrt").find(kind) != std::string::npos)
            return at_ += 2, true;
        if (kind != 'u' || at_ + 6 > text_.size())
            return fail("bad escape");
        for (std::size_t digit = at_ + 2; digit < at_ + 6; ++digit)
            if (!std::isxdigit(static_cast<unsigned char>(text_[digit])))
                return fail("bad \\u escape");
        at_ += 6;
        return true;
    }
    // One character of valid UTF-8 (shortest form, no surrogates), never a C1 control.
    bool utf8Character() {
        const unsigned char lead = text_[at_];
        const int length = lead < 0x80                   ? 1
                           : lead >= 0xC2 && lead < 0xE0 ? 2
                           : lead >= 0xE0 && lead < 0xF0 ? 3
                           : lead >= 0xF0 && lead < 0xF5 ? 4
                                                         : 0;
        if (length == 0 || at_ + length > text_.size())
            return fail("invalid UTF-8");
        unsigned long codePoint = length == 1 ? lead : lead & (0x7F >> length);
        for (int i = 1; i < length; ++i) {
            const unsigned char next = text_[at_ + i];
            if ((next & 0xC0) != 0x80)
                return fail("invalid UTF-8");
            codePoint = codePoint << 6 | (next & 0x3F);
        }
        const unsigned long smallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (codePoint < smallest[length] || codePoint > 0x10FFFF ||
            (codePoint >= 0xD800 && codePoint < 0xE000))
            return fail("invalid UTF-8");
        if (codePoint >= 0x80 && codePoint < 0xA0)
            return fail("raw C1 control character");
        at_ += length;
        return true;
    }

    const std::string& text_;
    std::size_t at_ = 0;
    int depth_ = 0;
    std::string problem_;
};

// Empty when text is a well-formed document without raw control characters.
inline std::string problem(const std::string& text) {
    return Checker(text).problem();
}

} // namespace json_check
} // namespace prereq
