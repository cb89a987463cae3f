// A strict, bounded JSON reader for files that arrive from many PCs over a network: truncated,
// from another program or made to harm the reader. It reads one document (RFC 8259) no larger
// than a size cap and no deeper than a depth cap, checks that every byte is well-formed UTF-8,
// and answers with the document's values as one flat list of tokens, or a one-line reason; it
// never recurses deeper than the cap.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace prereq {

// One value, or one member's name, as it stands in the file: nothing is copied while reading, so
// a 486 pays for a text only when the caller takes it.
struct JsonToken {
    enum Kind : unsigned char { Null, Boolean, Number, String, Array, Object };
    Kind kind = Null;
    bool boolean = false;
    bool escaped = false; // a string with escapes, which JsonDocument::appendText resolves
    bool unclean = false; // a string with escapes, DEL or a C1 control character (U+0080-U+009F)
    std::uint32_t start = 0, length = 0; // a string's bytes inside its quotes; a number's
    std::uint32_t next = 0;              // the token after this value and everything inside it
    std::uint32_t count = 0; // an array's items; an object's members, each a name then a value
};

struct JsonLimits {
    std::size_t maxBytes = 65536; // a result file is a few kilobytes
    int maxDepth = 8;             // arrays and objects inside each other; a result has 5
};

// Whether two short texts are the same: their lengths, then four bytes a step (the last four
// overlapping), which for a name or a status is fewer instructions than a call to memcmp.
inline bool sameText(std::string_view a, std::string_view b) {
    const std::size_t size = a.size();
    if (b.size() != size)
        return false;
    if (size < 4)
        return a == b;
    const auto word = [](const char* bytes) {
        std::uint32_t value;
        std::memcpy(&value, bytes, 4);
        return value;
    };
    for (std::size_t at = 0; at + 4 < size; at += 4)
        if (word(a.data() + at) != word(b.data() + at))
            return false;
    return word(a.data() + size - 4) == word(b.data() + size - 4);
}

// The tokens in the file's order: the document's value first, each array followed by its items,
// each object by its names and their values. Its views refer to the text read, which must
// outlive it.
struct JsonDocument {
    std::string_view text;
    std::vector<JsonToken> tokens; // kept from document to document: read again, no allocation

    const JsonToken& operator[](std::size_t index) const { return tokens[index]; }

    // Whether the string at index, a member's name, says name once its escapes are resolved.
    bool isName(std::size_t index, std::string_view name) const;

    // A string's text, escapes resolved, appended to out; a number as written.
    void appendText(std::string& out, const JsonToken& token) const;

    // A string's bytes as written, escapes and all; a number's.
    std::string_view written(const JsonToken& token) const {
        return std::string_view(text.data() + token.start, token.length);
    }
};

// Reads text as one JSON document. A leading UTF-8 byte-order mark is skipped; a name given twice
// in one object, a lone surrogate escape and a raw control character in a string are refused. On
// failure the document is unspecified and reason says in one line of ASCII what is wrong and where
// ("ends early at byte 120", "not UTF-8 at byte 7").
bool readJson(const std::string& text, JsonDocument& document, std::string& reason,
              const JsonLimits& limits = JsonLimits());

} // namespace prereq
