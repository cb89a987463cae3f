// A strict, bounded JSON reader for files that arrive from many PCs over a network: truncated,
// from another program or made to harm the reader. It reads one document (RFC 8259) no larger
// than a size cap and no deeper than a depth cap, checks that every byte is well-formed UTF-8,
// and answers with a value tree or a one-line reason; it never recurses deeper than the cap.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace prereq {

struct JsonValue {
    enum Kind { Null, Boolean, Number, String, Array, Object };
    Kind kind = Null;
    bool boolean = false;
    std::string text;             // a string's UTF-8 (escapes resolved), or a number as written
    std::vector<JsonValue> items; // an array's
    std::vector<std::pair<std::string, JsonValue>> members; // an object's, in the file's order

    // The member of that name, or null when this is no object or has no such member.
    const JsonValue* member(std::string_view name) const;
};

struct JsonLimits {
    std::size_t maxBytes = 65536; // a result file is a few kilobytes
    int maxDepth = 8;             // arrays and objects inside each other; a result has 5
};

// Reads text as one JSON document. A leading UTF-8 byte-order mark is skipped; a name given twice
// in one object, a lone surrogate escape and a raw control character in a string are refused.
// On failure value is unspecified and reason says in one line of ASCII what is wrong and where
// ("ends early at byte 120", "not UTF-8 at byte 7").
bool readJson(const std::string& text, JsonValue& value, std::string& reason,
              const JsonLimits& limits = JsonLimits());

} // namespace prereq
