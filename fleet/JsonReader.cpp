// The JSON reader: a recursive descent whose depth is counted and capped, over text whose size
// and UTF-8 were checked before the first value is read.
#include "fleet/JsonReader.h"

#include "text/Utf8.h"

#include <algorithm>
#include <cstring>

namespace prereq {

namespace {

// The bytes that end a run of plain characters in a string: the quote, the backslash and the
// control characters, found by one look-up a byte.
struct RunEnds {
    bool table[256] = {};
    constexpr RunEnds() {
        for (int c = 0; c < 0x20; ++c)
            table[c] = true;
        table[static_cast<unsigned char>('"')] = table[static_cast<unsigned char>('\\')] = true;
    }
};
constexpr RunEnds kRunEnds;

bool endsRun(char c) {
    return kRunEnds.table[static_cast<unsigned char>(c)];
}

class Reader {
public:
    Reader(const std::string& text, std::size_t start, int maxDepth)
        : text_(text), at_(start), maxDepth_(maxDepth) {}

    bool document(JsonValue& value) {
        if (!this->value(value, 0))
            return false;
        skipBlanks();
        return at_ == text_.size() || fail("more after the document at byte ");
    }

    const std::string& reason() const { return reason_; }

private:
    bool fail(const char* what) {
        reason_ = what + std::to_string(at_);
        return false;
    }

    // The reason for the byte at the reader: the end of the file, or a byte not expected there.
    bool unexpected() {
        if (at_ == text_.size())
            return fail("ends early (truncated?) at byte ");
        const unsigned char byte = static_cast<unsigned char>(text_[at_]);
        if (byte > 0x20 && byte < 0x7F)
            reason_ = std::string("unexpected '") + static_cast<char>(byte) + "' at byte " +
                      std::to_string(at_);
        else
            reason_ = "unexpected byte " + std::to_string(byte) + " at byte " + std::to_string(at_);
        return false;
    }

    void skipBlanks() {
        const char* const data = text_.data();
        const std::size_t size = text_.size();
        std::size_t at = at_;
        while (at < size && data[at] <= ' ' &&
               (data[at] == ' ' || data[at] == '\n' || data[at] == '\r' || data[at] == '\t'))
            ++at;
        at_ = at;
    }

    bool take(char expected) {
        skipBlanks();
        if (at_ < text_.size() && text_[at_] == expected) {
            ++at_;
            return true;
        }
        return false;
    }

    bool value(JsonValue& out, int depth) {
        skipBlanks();
        if (at_ == text_.size())
            return unexpected();
        switch (text_[at_]) {
        case '{':
            return object(out, depth + 1);
        case '[':
            return array(out, depth + 1);
        case '"':
            out.kind = JsonValue::String;
            return string(out.text);
        case 't':
            out.kind = JsonValue::Boolean;
            out.boolean = true;
            return literal("true");
        case 'f':
            out.kind = JsonValue::Boolean;
            return literal("false");
        case 'n':
            return literal("null");
        default:
            out.kind = JsonValue::Number;
            return number(out.text);
        }
    }

    bool literal(const char* word) {
        for (; *word; ++word, ++at_)
            if (at_ == text_.size() || text_[at_] != *word)
                return unexpected();
        return true;
    }

    bool digits() {
        const std::size_t start = at_;
        while (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9')
            ++at_;
        return at_ > start || unexpected();
    }

    bool number(std::string& out) {
        const std::size_t start = at_;
        if (text_[at_] == '-')
            ++at_;
        if (at_ < text_.size() && text_[at_] == '0')
            ++at_; // no leading zeros
        else if (!digits())
            return false;
        if (at_ < text_.size() && text_[at_] == '.' && (++at_, !digits()))
            return false;
        if (at_ < text_.size() && (text_[at_] == 'e' || text_[at_] == 'E')) {
            ++at_;
            if (at_ < text_.size() && (text_[at_] == '+' || text_[at_] == '-'))
                ++at_;
            if (!digits())
                return false;
        }
        out.assign(text_, start, at_ - start);
        return true;
    }

    bool hexQuad(std::uint32_t& unit) {
        unit = 0;
        for (int index = 0; index < 4; ++index, ++at_) {
            if (at_ == text_.size())
                return unexpected();
            const char c = text_[at_];
            const int digit = c >= '0' && c <= '9'   ? c - '0'
                              : c >= 'a' && c <= 'f' ? c - 'a' + 10
                              : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                     : -1;
            if (digit < 0)
                return unexpected();
            unit = unit * 16 + static_cast<std::uint32_t>(digit);
        }
        return true;
    }

    // \uXXXX, with a high surrogate's low one following as a second escape.
    bool unicodeEscape(std::string& out) {
        std::uint32_t unit = 0;
        if (!hexQuad(unit))
            return false;
        if (unit >= 0xDC00 && unit < 0xE000)
            return fail("a lone low surrogate before byte ");
        if (unit >= 0xD800 && unit < 0xDC00) {
            std::uint32_t low = 0;
            if (text_.compare(at_, 2, "\\u") != 0)
                return fail("a lone high surrogate before byte ");
            at_ += 2;
            if (!hexQuad(low))
                return false;
            if (low < 0xDC00 || low >= 0xE000)
                return fail("a lone high surrogate before byte ");
            unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
        }
        appendUtf8(out, unit);
        return true;
    }

    bool string(std::string& out) {
        ++at_; // the opening quote
        out.clear();
        while (at_ < text_.size()) {
            const char c = text_[at_];
            if (c == '"') {
                ++at_;
                return true;
            }
            if (static_cast<unsigned char>(c) < 0x20)
                return fail("a control character in a string at byte ");
            if (c != '\\') {
                // The run of plain characters up to the next quote, escape or control character.
                const char* const data = text_.data();
                const std::size_t size = text_.size(), start = at_;
                std::size_t at = at_;
                while (at < size && !endsRun(data[at]))
                    ++at;
                at_ = at;
                out.append(data + start, at - start);
                continue;
            }
            ++at_;
            if (at_ == text_.size())
                break;
            const char escaped = text_[at_++];
            static const char kEscapes[] = "\"\"\\\\//b\bf\fn\nr\rt\t";
            const char* found = nullptr;
            for (const char* pair = kEscapes; *pair; pair += 2)
                if (*pair == escaped)
                    found = pair;
            if (found)
                out += found[1];
            else if (escaped != 'u')
                return --at_, unexpected();
            else if (!unicodeEscape(out))
                return false;
        }
        return unexpected();
    }

    bool deeper(int depth) {
        if (depth <= maxDepth_)
            return true;
        reason_ = "nested deeper than " + std::to_string(maxDepth_) + " levels at byte " +
                  std::to_string(at_);
        return false;
    }

    bool array(JsonValue& out, int depth) {
        out.kind = JsonValue::Array;
        out.items.reserve(8); // a result's lists: growing them would move every value again
        ++at_;
        if (!deeper(depth))
            return false;
        if (take(']'))
            return true;
        do {
            out.items.emplace_back();
            if (!value(out.items.back(), depth))
                return false;
        } while (take(','));
        return take(']') || unexpected();
    }

    bool object(JsonValue& out, int depth) {
        out.kind = JsonValue::Object;
        out.members.reserve(8);
        ++at_;
        if (!deeper(depth))
            return false;
        if (take('}'))
            return true;
        do {
            skipBlanks();
            if (at_ == text_.size() || text_[at_] != '"')
                return unexpected();
            out.members.emplace_back();
            if (!string(out.members.back().first))
                return false;
            if (!take(':'))
                return unexpected();
            if (!value(out.members.back().second, depth))
                return false;
        } while (take(','));
        if (!take('}'))
            return unexpected();
        return uniqueNames(out);
    }

    bool uniqueNames(const JsonValue& object) {
        const auto& members = object.members;
        if (members.size() <= 8) { // a result's objects: each pair, without sorting
            for (std::size_t i = 1; i < members.size(); ++i)
                for (std::size_t j = 0; j < i; ++j)
                    if (members[i].first == members[j].first)
                        return fail("a name given twice in the object ending at byte ");
            return true;
        }
        std::vector<const std::string*> names;
        for (const auto& member : object.members)
            names.push_back(&member.first);
        std::sort(names.begin(), names.end(),
                  [](const std::string* a, const std::string* b) { return *a < *b; });
        for (std::size_t index = 1; index < names.size(); ++index)
            if (*names[index] == *names[index - 1])
                return fail("a name given twice in the object ending at byte ");
        return true;
    }

    const std::string& text_;
    std::size_t at_;
    int maxDepth_;
    std::string reason_;
};

} // namespace

const JsonValue* JsonValue::member(std::string_view name) const {
    for (const auto& entry : members)
        if (entry.first.size() == name.size() &&
            entry.first.compare(0, name.size(), name.data(), name.size()) == 0)
            return &entry.second;
    return nullptr;
}

bool readJson(const std::string& text, JsonValue& value, std::string& reason,
              const JsonLimits& limits) {
    value = JsonValue();
    if (text.size() > limits.maxBytes) {
        reason = "larger than " + std::to_string(limits.maxBytes) + " bytes";
        return false;
    }
    const std::size_t invalid = firstInvalidUtf8(text);
    if (invalid < text.size()) {
        reason = "not UTF-8 at byte " + std::to_string(invalid);
        return false;
    }
    const std::size_t start = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    Reader reader(text, start, limits.maxDepth);
    if (reader.document(value))
        return true;
    reason = reader.reason();
    return false;
}

} // namespace prereq
