// HTML escaping of report texts.
#include "text/HtmlEscape.h"

namespace prereq {

std::string escapeHtml(const std::string& text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        // A line break in a finding would break the report's one line; as a character
        // reference it still shows as the blank the browser would have made of it.
        case '\r':
            escaped += "&#13;";
            break;
        case '\n':
            escaped += "&#10;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

} // namespace prereq
