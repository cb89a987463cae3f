// Writing the fleet's spreadsheet file: built as UTF-8, converted in one call at the end.
#include "fleet/FleetCsv.h"

#include "fleet/CheckTime.h"
#include "fleet/FleetTally.h"
#include "platform/AnsiText.h"
#include "platform/Platform.h"
#include "text/Utf8.h"
#include "text/VisibleText.h"

#include <initializer_list>
#include <utility>

namespace prereq {

namespace {

using namespace std::string_view_literals; // texts whose length is known where they are written

std::string_view verdictWords(std::string_view verdict) {
    if (verdict == "satisfied"sv)
        return "satisfied"sv;
    return verdict == "not-satisfied"sv ? "not satisfied"sv : "below recommended"sv;
}

bool beginsFormula(std::string_view text) {
    return !text.empty() && (text[0] == '=' || text[0] == '+' || text[0] == '-' || text[0] == '@');
}

// Whether text is written as it stands, but for an apostrophe before a formula: printable ASCII
// without a quote, a comma, a semicolon or the separator, and no blank at either end. Most
// fields are; one look at each byte tells.
bool standsAsItIs(std::string_view text, char separator) {
    if (!text.empty() && (text.front() == ' ' || text.back() == ' '))
        return false;
    for (const char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte > ';' ? byte >= 0x7F || c == separator
                       : byte < ' ' || c == ',' || c == ';' || c == '"' || c == separator)
            return false;
    }
    return true;
}

// A field as it will be written; quoted too where it holds a separator that csvField does not
// quote for.
void appendField(std::string& out, std::string_view text, char separator) {
    if (standsAsItIs(text, separator)) {
        if (beginsFormula(text))
            out += '\'';
        out += text;
        return;
    }
    const std::size_t start = out.size();
    appendCsvFieldAsWritten(out, text);
    if (out.find(separator, start) != std::string::npos && out[start] != '"') {
        out.insert(start, 1, '"');
        out += '"';
    }
}

// Fields, each after a separator.
void appendFields(std::string& out, std::initializer_list<std::string_view> fields,
                  char separator) {
    for (const std::string_view field : fields) {
        out += separator;
        appendField(out, field, separator);
    }
}

void appendLine(std::string& out, std::string_view first,
                std::initializer_list<std::string_view> fields, char separator) {
    appendField(out, first, separator);
    appendFields(out, fields, separator);
    out += "\r\n"sv;
}

// The file's bytes in the PC's ANSI code page; ASCII, as most files are, needs no copy.
std::string ansiBytes(std::string&& utf8) {
    return isAscii(utf8) ? std::move(utf8) : ansiFromUtf8(utf8);
}

} // namespace

char spreadsheetSeparator(const std::string& listSeparator) {
    if (listSeparator.size() != 1)
        return ',';
    const unsigned char c = static_cast<unsigned char>(listSeparator[0]);
    const bool letterOrDigit = (c >= '0' && c <= '9') || ((c | 0x20) >= 'a' && (c | 0x20) <= 'z');
    return c < 0x21 || c >= 0x7F || c == '"' || c == '\'' || letterOrDigit ? ',' : listSeparator[0];
}

std::string fleetTallyCsv(const FleetSummary& summary, char separator) {
    const std::vector<TallyLine> lines = tallyFleet(summary);
    // Room for the file as it will be: under a kilobyte for a small fleet, which the heap gives
    // without a call to Windows.
    std::size_t size = 64;
    for (const TallyLine& tally : lines) {
        // The status, the count, the separators and the line end take at most 32 bytes.
        size += 32 + tally.product.size() + tally.prerequisite.size() + tally.levels.size();
        for (const std::string_view name : tally.computers)
            size += name.size() + 1;
    }
    std::string out, names;
    out.reserve(size);
    appendLine(out, "Product", {"Status", "Prerequisite", "Computers", "Their levels", "Names"},
               separator);
    for (const TallyLine& tally : lines) {
        names.clear();
        for (const std::string_view name : tally.computers) {
            if (!names.empty())
                names += ' ';
            names += name;
        }
        appendLine(out, tally.product,
                   {verdictWords(tally.status), tally.prerequisite,
                    std::to_string(tally.computers.size()), tally.levels, names},
                   separator);
    }
    return ansiBytes(std::move(out));
}

std::string csvField(const std::string& text) {
    std::string field;
    appendCsvField(field, text);
    return field;
}

void appendCsvField(std::string& out, std::string_view text) {
    const bool formula = beginsFormula(text);
    bool plain = text.empty() || ((formula || text.front() != ' ') && text.back() != ' ');
    for (const char *c = text.data(), *end = c + text.size(); plain && c != end; ++c)
        plain = *c > ';' || (*c != ',' && *c != ';' && *c != '"' && *c != '\r' && *c != '\n');
    if (plain) {
        if (formula)
            out += '\'';
        out += text;
        return;
    }
    out += formula ? "\"'"sv : "\""sv;
    for (std::size_t quote; (quote = text.find('"')) != std::string_view::npos;) {
        out.append(text.data(), quote + 1);
        out += '"';
        text.remove_prefix(quote + 1);
    }
    out += text;
    out += '"';
}

std::string csvFieldAsWritten(const std::string& utf8) {
    std::string field;
    appendCsvFieldAsWritten(field, utf8);
    return field;
}

void appendCsvFieldAsWritten(std::string& out, std::string_view utf8) {
    if (isVisibleAscii(utf8)) // the same bytes in every ANSI code page, and nothing to replace
        return appendCsvField(out, utf8);
    const std::string text = visibleText(std::string(utf8));
    if (isAscii(text))
        return appendCsvField(out, text);
    // WideCharToMultiByte's best fit turns fullwidth and other look-alike forms into '=', '"',
    // ',' or ';' (U+FF1D into '=' in code pages 1252 and 1251), and WC_NO_BEST_FIT_CHARS is not
    // there before Windows 2000: so the field is judged by the bytes that will be written.
    out += utf8FromAnsi(csvField(ansiFromUtf8(text)));
}

std::string fleetCsv(const FleetSummary& summary, const LocalTime& now, char separator) {
    std::string out;
    out.reserve(256 + summary.results.size() * 768 + summary.notReported.size() * 64);
    appendLine(out, "Computer",
               {"Product", "Verdict", "Prerequisite", "Status", "Your PC's level",
                "Recommended level", "Checked", "Days since check", "Version", "Windows",
                "Service pack", "File", "Note"},
               separator);
    std::string tail; // a result's own fields, the same on each of its lines
    for (const ComputerResult& result : summary.results) {
        const bool dated = result.checkedAtKnown && !isInFuture(result, now);
        const std::string days = dated ? std::to_string(daysBetween(result.checked, now)) : "";
        const std::string_view age = dated                   ? std::string_view(days)
                                     : result.checkedAtKnown ? "in the future"sv
                                                             : ""sv;
        tail.clear();
        appendFields(tail,
                     {result.checkedAt, age, result.version, result.windows, result.servicePack,
                      result.fileName, isNotExpected(summary, result) ? "not expected"sv : ""sv},
                     separator);
        tail += "\r\n"sv;
        for (const ResultProduct& product : result.products) {
            // A line per prerequisite that fails, or one with none for a product that passes.
            const auto appendProductLine = [&](std::string_view prerequisite,
                                               std::string_view status, std::string_view level,
                                               std::string_view recommended) {
                appendField(out, result.computer, separator);
                appendFields(out,
                             {product.name, verdictWords(product.verdict), prerequisite, status,
                              level, recommended},
                             separator);
                out += tail;
            };
            bool failing = false;
            for (const ResultPrerequisite& entry : product.prerequisites) {
                if (entry.status == "satisfied"sv)
                    continue;
                failing = true;
                appendProductLine(entry.minimumPrerequisite, verdictWords(entry.status),
                                  entry.pcLevel, entry.recommendedLevel);
            }
            if (!failing)
                appendProductLine({}, {}, {}, {});
        }
    }
    for (const std::string& computer : summary.notReported)
        appendLine(out, computer,
                   {"", "no result", "", "", "", "", "", "", "", "", "", "", "not reported"},
                   separator);
    return ansiBytes(std::move(out));
}

} // namespace prereq
