// The JSON reader: a recursive descent whose depth is counted and capped, over text whose size
// was checked before the first value is read. Strings are checked where they stand, their UTF-8
// too (no other value may hold a byte above ASCII), and only resolved when asked for.
#include "fleet/JsonReader.h"

#include "text/Utf8.h"

#include <algorithm>
#include <cstring>

namespace prereq {

namespace {

// The bytes that end a run of plain ASCII characters in a string, found by one look-up a byte:
// the quote, the backslash and the control characters; and DEL and every byte above ASCII, which
// a string may hold but its reader must look at: DEL and the C1 control characters (0xC2 0x80 to
// 0xC2 0x9F in UTF-8) to clean, and every sequence to check that it is well-formed UTF-8.
struct RunEnds {
    bool table[256] = {};
    constexpr RunEnds() {
        for (int c = 0; c < 0x20; ++c)
            table[c] = true;
        for (int c = 0x7F; c < 0x100; ++c)
            table[c] = true;
        table[static_cast<unsigned char>('"')] = table[static_cast<unsigned char>('\\')] = true;
    }
};
constexpr RunEnds kRunEnds;

// std::string ends its bytes with a null, a control character: the loops over the text stop
// there without a test of their own for the end.
bool endsRun(char c) {
    return kRunEnds.table[static_cast<unsigned char>(c)];
}

// The character each one-letter escape stands for, after its letter.
constexpr char kEscapes[] = "\"\"\\\\//b\bf\fn\nr\rt\t";

const char* escapeOf(char letter) {
    for (const char* pair = kEscapes; *pair; pair += 2)
        if (*pair == letter)
            return pair;
    return nullptr;
}

int hexDigit(char c) {
    return c >= '0' && c <= '9'   ? c - '0'
           : c >= 'a' && c <= 'f' ? c - 'a' + 10
           : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                  : -1;
}

// Four hexadecimal digits the reader has checked.
std::uint32_t checkedQuad(const char* digits) {
    std::uint32_t unit = 0;
    for (int index = 0; index < 4; ++index)
        unit = unit * 16 + static_cast<std::uint32_t>(hexDigit(digits[index]));
    return unit;
}

[[gnu::always_inline]] inline bool isBlank(char c) {
    return c == ' ' || c == '\n' || c == '\r' || c == '\t';
}

class Parser {
public:
    Parser(const std::string& text, std::size_t start, int maxDepth, JsonDocument& document)
        : data_(text.data()), size_(text.size()), at_(start), maxDepth_(maxDepth),
          document_(document), tokens_(document.tokens) {}

    bool document() {
        if (!value(0))
            return false;
        skipBlanks();
        return at_ == size_ || fail("more after the document at byte ");
    }

    const std::string& reason() const { return reason_; }

private:
    bool fail(const char* what) {
        reason_ = what + std::to_string(at_);
        return false;
    }

    // The reason for the byte at the reader: the end of the file, or a byte not expected there.
    bool unexpected() {
        if (at_ == size_)
            return fail("ends early (truncated?) at byte ");
        const unsigned char byte = static_cast<unsigned char>(data_[at_]);
        if (byte > 0x20 && byte < 0x7F)
            reason_ = std::string("unexpected '") + static_cast<char>(byte) + "' at byte " +
                      std::to_string(at_);
        else
            reason_ = "unexpected byte " + std::to_string(byte) + " at byte " + std::to_string(at_);
        return false;
    }

    // Between the tokens of a result stands no blank, or the one space after a colon or a
    // comma: those are looked at where the reader is, and only a longer run costs a call.
    [[gnu::always_inline]] void skipBlanks() {
        if (data_[at_] == ' ' && !isBlank(data_[at_ + 1])) // not the null after the text
            ++at_;
        else if (isBlank(data_[at_]))
            skipBlankRun();
    }

    [[gnu::noinline]] void skipBlankRun() {
        while (isBlank(data_[at_]))
            ++at_;
    }

    [[gnu::always_inline]] bool take(char expected) {
        skipBlanks();
        if (data_[at_] == expected) {
            ++at_;
            return true;
        }
        return false;
    }

    // A value without values inside, read from start up to the reader: one token, added whole,
    // where it was read (a call with its four arguments would cost a string half its scan).
    [[gnu::always_inline]] void add(JsonToken::Kind kind, std::size_t start, bool escaped = false,
                                    bool unclean = false) {
        const auto index = static_cast<std::uint32_t>(tokens_.size());
        tokens_.push_back(JsonToken{kind, kind == JsonToken::Boolean && data_[start] == 't',
                                    escaped, unclean, static_cast<std::uint32_t>(start),
                                    static_cast<std::uint32_t>(at_ - start), index + 1, 0});
    }

    // An array or object: its token first, finished once what is inside has been read. Its
    // index, since the tokens inside may move the list.
    std::size_t open(JsonToken::Kind kind) {
        add(kind, at_);
        return tokens_.size() - 1;
    }

    void close(std::size_t token, std::uint32_t count) {
        tokens_[token].count = count;
        tokens_[token].next = static_cast<std::uint32_t>(tokens_.size());
    }

    bool value(int depth) {
        skipBlanks();
        if (at_ == size_)
            return unexpected();
        switch (data_[at_]) {
        case '{':
            return object(depth + 1);
        case '[':
            return array(depth + 1);
        case '"':
            return string();
        case 't':
            return literal(JsonToken::Boolean, "true");
        case 'f':
            return literal(JsonToken::Boolean, "false");
        case 'n':
            return literal(JsonToken::Null, "null");
        default:
            return number();
        }
    }

    bool literal(JsonToken::Kind kind, const char* word) {
        const std::size_t start = at_;
        for (; *word; ++word, ++at_)
            if (at_ == size_ || data_[at_] != *word)
                return unexpected();
        add(kind, start);
        return true;
    }

    bool digits() {
        const std::size_t start = at_;
        while (at_ < size_ && data_[at_] >= '0' && data_[at_] <= '9')
            ++at_;
        return at_ > start || unexpected();
    }

    bool number() {
        const std::size_t start = at_;
        if (data_[at_] == '-')
            ++at_;
        if (at_ < size_ && data_[at_] == '0')
            ++at_; // no leading zeros
        else if (!digits())
            return false;
        if (at_ < size_ && data_[at_] == '.' && (++at_, !digits()))
            return false;
        if (at_ < size_ && (data_[at_] == 'e' || data_[at_] == 'E')) {
            ++at_;
            if (at_ < size_ && (data_[at_] == '+' || data_[at_] == '-'))
                ++at_;
            if (!digits())
                return false;
        }
        add(JsonToken::Number, start);
        return true;
    }

    bool hexQuad(std::uint32_t& unit) {
        unit = 0;
        for (int index = 0; index < 4; ++index, ++at_) {
            if (at_ == size_)
                return unexpected();
            const int digit = hexDigit(data_[at_]);
            if (digit < 0)
                return unexpected();
            unit = unit * 16 + static_cast<std::uint32_t>(digit);
        }
        return true;
    }

    // \uXXXX, with a high surrogate's low one following as a second escape.
    bool unicodeEscape() {
        std::uint32_t unit = 0;
        if (!hexQuad(unit))
            return false;
        if (unit >= 0xDC00 && unit < 0xE000)
            return fail("a lone low surrogate before byte ");
        if (unit >= 0xD800 && unit < 0xDC00) {
            std::uint32_t low = 0;
            if (size_ - at_ < 2 || data_[at_] != '\\' || data_[at_ + 1] != 'u')
                return fail("a lone high surrogate before byte ");
            at_ += 2;
            if (!hexQuad(low))
                return false;
            if (low < 0xDC00 || low >= 0xE000)
                return fail("a lone high surrogate before byte ");
        }
        return true;
    }

    // A string, checked where it stands: its token spans the bytes inside the quotes.
    bool string() {
        const std::size_t start = ++at_; // after the opening quote
        bool escaped = false, unclean = false;
        while (at_ < size_) {
            const char c = data_[at_];
            if (c == '"') {
                add(JsonToken::String, start, escaped, unclean);
                ++at_;
                return true;
            }
            if (static_cast<unsigned char>(c) < 0x20)
                return fail("a control character in a string at byte ");
            if (static_cast<unsigned char>(c) >= 0x7F) {
                // Nothing but a string may hold these bytes, so a document read whole is UTF-8.
                const std::size_t length = utf8SequenceLength(data_, size_, at_);
                if (length == 0)
                    return fail("not UTF-8 at byte ");
                unclean = unclean || c == '\x7F' || c == '\xC2';
                at_ += length;
            }
            if (c != '\\') {
                // The run of plain characters up to the next quote, escape or control character,
                // four looks a step (none reads past the null: each stops the ones after it).
                const char* at = data_ + at_;
                while (!endsRun(at[0]) && !endsRun(at[1]) && !endsRun(at[2]) && !endsRun(at[3]))
                    at += 4;
                while (!endsRun(*at))
                    ++at;
                at_ = static_cast<std::size_t>(at - data_);
                continue;
            }
            escaped = unclean = true;
            ++at_;
            if (at_ == size_)
                break;
            const char letter = data_[at_++];
            if (escapeOf(letter))
                continue;
            if (letter != 'u')
                return --at_, unexpected();
            if (!unicodeEscape())
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

    bool array(int depth) {
        const std::size_t token = open(JsonToken::Array);
        ++at_;
        if (!deeper(depth))
            return false;
        std::uint32_t items = 0;
        if (!take(']')) {
            do {
                ++items;
                if (!value(depth))
                    return false;
            } while (take(','));
            if (!take(']'))
                return unexpected();
        }
        close(token, items);
        return true;
    }

    bool object(int depth) {
        const std::size_t token = open(JsonToken::Object);
        ++at_;
        if (!deeper(depth))
            return false;
        std::uint32_t members = 0;
        if (!take('}')) {
            do {
                skipBlanks();
                if (at_ == size_ || data_[at_] != '"')
                    return unexpected();
                ++members;
                if (!string())
                    return false;
                if (!take(':'))
                    return unexpected();
                if (!value(depth))
                    return false;
            } while (take(','));
            if (!take('}'))
                return unexpected();
        }
        close(token, members);
        return uniqueNames(token);
    }

    // A name given twice in the object at token: each pair compared where a result's few are,
    // the names sorted where there are more.
    bool uniqueNames(std::size_t object) {
        const std::uint32_t count = tokens_[object].count;
        if (count <= 8) {
            // Plain names of different lengths differ: a name is compared with those before it
            // only when one of them had its length (a bit of seenLengths for those under 32
            // bytes), or had escapes, or when its own length says nothing.
            std::size_t names[8];
            std::uint32_t seenLengths = 0;
            bool escapedBefore = false;
            std::size_t name = object + 1;
            for (std::uint32_t i = 0; i < count; name = tokens_[name + 1].next, ++i) {
                names[i] = name;
                const JsonToken& token = tokens_[name];
                const bool plainAndShort = !token.escaped && token.length < 32;
                const std::uint32_t bit = plainAndShort ? 1u << token.length : 0;
                if (!plainAndShort || escapedBefore || (seenLengths & bit) != 0)
                    for (std::uint32_t j = 0; j < i; ++j)
                        if (sameName(token, tokens_[names[j]]))
                            return fail("a name given twice in the object ending at byte ");
                seenLengths |= bit;
                escapedBefore = escapedBefore || token.escaped;
            }
            return true;
        }
        std::vector<std::string> resolved;
        for (std::size_t name = object + 1; name < tokens_[object].next;
             name = tokens_[name + 1].next) {
            resolved.emplace_back();
            document_.appendText(resolved.back(), tokens_[name]);
        }
        std::sort(resolved.begin(), resolved.end());
        return std::adjacent_find(resolved.begin(), resolved.end()) == resolved.end() ||
               fail("a name given twice in the object ending at byte ");
    }

    bool sameName(const JsonToken& a, const JsonToken& b) const {
        if (!a.escaped && !b.escaped) // a result's names differ in length, most of them
            return a.length == b.length && document_.written(a) == document_.written(b);
        std::string first, second;
        document_.appendText(first, a);
        document_.appendText(second, b);
        return first == second;
    }

    const char* const data_;
    const std::size_t size_;
    std::size_t at_;
    int maxDepth_;
    JsonDocument& document_;
    std::vector<JsonToken>& tokens_;
    std::string reason_;
};

} // namespace

bool JsonDocument::isName(std::size_t index, std::string_view name) const {
    const JsonToken& key = tokens[index];
    if (!key.escaped)
        return sameText(written(key), name);
    std::string resolved; // a name written with escapes, which no writer of results uses
    appendText(resolved, key);
    return resolved == name;
}

void JsonDocument::appendText(std::string& out, const JsonToken& token) const {
    const std::string_view bytes = written(token);
    if (!token.escaped) {
        out.append(bytes.data(), bytes.size());
        return;
    }
    // The reader checked every escape, so each is whole and well-formed here.
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t run = std::min(bytes.find('\\', at), bytes.size());
        out.append(bytes.data() + at, run - at);
        if (run == bytes.size())
            break;
        const char letter = bytes[run + 1];
        at = run + 2;
        if (letter != 'u') {
            const char* escape = escapeOf(letter); // never null here: the reader checked it
            out += escape ? escape[1] : letter;
            continue;
        }
        std::uint32_t unit = checkedQuad(bytes.data() + at);
        at += 4;
        if (unit >= 0xD800 && unit < 0xDC00) {
            unit =
                0x10000 + ((unit - 0xD800) << 10) + (checkedQuad(bytes.data() + at + 2) - 0xDC00);
            at += 6;
        }
        appendUtf8(out, unit);
    }
}

bool readJson(const std::string& text, JsonDocument& document, std::string& reason,
              const JsonLimits& limits) {
    document.text = text;
    document.tokens.clear();
    // A result has a token for every 20 bytes or so: room for more than that at once, and room
    // for some hundreds whatever the first file's size, so that the list is seldom moved.
    document.tokens.reserve(std::max(text.size() / 8, std::size_t{512}));
    if (text.size() > limits.maxBytes) {
        reason = "larger than " + std::to_string(limits.maxBytes) + " bytes";
        return false;
    }
    const std::size_t start = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    Parser parser(text, start, limits.maxDepth, document);
    if (parser.document())
        return true;
    // Bytes that are not UTF-8 anywhere in the file are its first fault, wherever the reader
    // stopped.
    const std::size_t invalid = firstInvalidUtf8(text);
    reason =
        invalid < text.size() ? "not UTF-8 at byte " + std::to_string(invalid) : parser.reason();
    return false;
}

} // namespace prereq
