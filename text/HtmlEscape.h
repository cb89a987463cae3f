// HTML escaping of the texts a status report takes from the PC's findings and the product
// name, so that a text holding markup characters shows as text and cannot break the page.
#pragma once

#include <string>
#include <string_view>

namespace prereq {

// text with "&", "<", ">" and the double quote replaced by "&amp;", "&lt;", "&gt;" and
// "&quot;", and CR and LF by "&#13;" and "&#10;" (the report is one line); every other byte is
// kept as it is. Safe inside element content and inside a double-quoted attribute value.
std::string escapeHtml(const std::string& text);

// The same, appended to out.
void appendEscapedHtml(std::string& out, std::string_view text);

} // namespace prereq
