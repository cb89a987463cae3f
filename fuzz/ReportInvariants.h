// What must hold for every HTML status report, whatever the PC told the program: one line, the
// fixed start and end, markup made only of the report's own tags, and text in which a PC's "<",
// ">" or "&" can only appear escaped. Header-only, so that the fuzzing target and the unit tests
// that hold these rules to account share one copy.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace prereq {
namespace report_invariants {

inline const std::string& doctype() {
    static const std::string text = "<!doctype html public -//w3c//dtd html 4.0 transitional//en>";
    return text;
}

inline const std::string& ending() {
    static const std::string text = "</table></body></html>";
    return text;
}

// Every tag a report may hold, apart from the "More Info" link, whose target varies.
inline bool isReportTag(const std::string& tag) {
    static const char* const kTags[] = {
        "<!doctype html public -//w3c//dtd html 4.0 transitional//en>",
        "<html>",
        "</html>",
        "<head>",
        "</head>",
        "<meta content=text/html; charset=iso-8859-1>",
        "<title>",
        "</title>",
        "<body>",
        "</body>",
        "<strong>",
        "</strong>",
        "<table BORDER WIDTH=100% >",
        "</table>",
        "<tr>",
        "</tr>",
        "<td>",
        "</td>",
        "<br>",
        "</br>",
        "<p>",
        "<img SRC=\"green_check.gif\" NOSAVE height=16 width=15>",
        "<img SRC=\"red_x.gif\" NOSAVE height=16 width=15>",
        "</a>",
    };
    for (const char* known : kTags)
        if (tag == known)
            return true;
    return false;
}

// <a href="page">: the page name must not be able to leave its quotes.
inline bool isLinkTag(const std::string& tag) {
    const std::string start = "<a href=\"";
    const std::string end = "\">";
    if (tag.size() < start.size() + end.size() || tag.compare(0, start.size(), start) != 0 ||
        tag.compare(tag.size() - end.size(), end.size(), end) != 0)
        return false;
    const std::string page = tag.substr(start.size(), tag.size() - start.size() - end.size());
    return page.find_first_of("\"<>") == std::string::npos;
}

// An "&" in text must start a character reference, or be the report's own "&nbsp " placeholder.
inline bool startsReference(const std::string& text, std::size_t at) {
    static const char* const kNamed[] = {"&amp;", "&lt;", "&gt;", "&quot;", "&nbsp"};
    for (const char* name : kNamed)
        if (text.compare(at, std::string(name).size(), name) == 0)
            return true;
    if (text.compare(at, 2, "&#") != 0)
        return false;
    std::size_t i = at + 2;
    const std::size_t digits = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        ++i;
    return i > digits && i < text.size() && text[i] == ';';
}

// The rules a report breaks; empty when it keeps all of them.
inline std::vector<std::string> violations(const std::string& report) {
    std::vector<std::string> found;
    if (report.find_first_of("\r\n") != std::string::npos)
        found.push_back("holds a line break");
    if (report.compare(0, doctype().size(), doctype()) != 0)
        found.push_back("does not start with the doctype");
    if (report.size() < ending().size() ||
        report.compare(report.size() - ending().size(), ending().size(), ending()) != 0)
        found.push_back("does not end with " + ending());

    for (std::size_t at = 0; at < report.size();) {
        const char c = report[at];
        if (c == '<') {
            const std::size_t close = report.find('>', at);
            if (close == std::string::npos) {
                found.push_back("a '<' that opens no tag");
                break;
            }
            const std::string tag = report.substr(at, close - at + 1);
            if (!isReportTag(tag) && !isLinkTag(tag))
                found.push_back("a tag the report does not write: " + tag);
            at = close + 1;
            continue;
        }
        if (c == '>')
            found.push_back("a '>' outside any tag");
        else if (c == '&' && !startsReference(report, at))
            found.push_back("an '&' that starts no character reference");
        ++at;
    }
    return found;
}

// Text with its character references turned back into the characters they stand for.
inline std::string unescape(const std::string& text) {
    static const struct {
        const char* reference;
        char character;
    } kNamed[] = {{"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}};
    std::string plain;
    for (std::size_t at = 0; at < text.size();) {
        bool replaced = false;
        if (text[at] == '&') {
            for (const auto& named : kNamed) {
                const std::string reference = named.reference;
                if (text.compare(at, reference.size(), reference) == 0) {
                    plain += named.character;
                    at += reference.size();
                    replaced = true;
                    break;
                }
            }
            // A decimal reference to one 8-bit character, as "&#10;".
            const std::size_t semicolon = text.find(';', at);
            if (!replaced && text.compare(at, 2, "&#") == 0 && semicolon != std::string::npos &&
                semicolon > at + 2 && semicolon <= at + 5 &&
                text.find_first_not_of("0123456789", at + 2) == semicolon) {
                const int code = std::stoi(text.substr(at + 2, semicolon - at - 2));
                if (code <= 255) {
                    plain += static_cast<char>(code);
                    at = semicolon + 1;
                    replaced = true;
                }
            }
        }
        if (!replaced)
            plain += text[at++];
    }
    return plain;
}

// The contents of every table cell, unescaped, in document order.
inline std::vector<std::string> cellTexts(const std::string& report) {
    std::vector<std::string> cells;
    const std::string open = "<td>";
    const std::string close = "</td>";
    for (std::size_t at = report.find(open); at != std::string::npos;) {
        const std::size_t start = at + open.size();
        const std::size_t end = report.find(close, start);
        if (end == std::string::npos)
            break;
        cells.push_back(unescape(report.substr(start, end - start)));
        at = report.find(open, end + close.size());
    }
    return cells;
}

} // namespace report_invariants
} // namespace prereq
