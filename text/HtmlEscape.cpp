// HTML escaping of report texts.
#include "text/HtmlEscape.h"

namespace prereq {

namespace {

// The character reference for a character that cannot stand in the report as it is; null for
// every other character.
const char* referenceFor(char c) {
    if (c > '>') // the highest of them: a letter takes one compare
        return nullptr;
    switch (c) {
    case '&':
        return "&amp;";
    case '<':
        return "&lt;";
    case '>':
        return "&gt;";
    case '"':
        return "&quot;";
    // A line break in a finding would break the report's one line; as a character reference
    // it still shows as the blank the browser would have made of it.
    case '\r':
        return "&#13;";
    case '\n':
        return "&#10;";
    default:
        return nullptr;
    }
}

} // namespace

std::string escapeHtml(const std::string& text) {
    std::string escaped;
    escaped.reserve(text.size());
    appendEscapedHtml(escaped, text);
    return escaped;
}

void appendEscapedHtml(std::string& out, std::string_view text) {
    // Copied in runs between the characters replaced: a character at a time costs a 486 a
    // call for each.
    std::size_t runStart = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (const char* reference = referenceFor(text[i])) {
            out.append(text.data() + runStart, i - runStart);
            out += reference;
            runStart = i + 1;
        }
    out.append(text.data() + runStart, text.size() - runStart);
}

} // namespace prereq
