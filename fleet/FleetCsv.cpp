// Writing the fleet's spreadsheet file: built as UTF-8, converted in one call at the end.
#include "fleet/FleetCsv.h"

#include "fleet/CheckTime.h"
#include "fleet/FleetTally.h"
#include "platform/AnsiText.h"
#include "platform/Platform.h"
#include "text/Utf8.h"
#include "text/VisibleText.h"

namespace prereq {

namespace {

const char* verdictWords(const std::string& verdict) {
    if (verdict == "satisfied")
        return "satisfied";
    return verdict == "not-satisfied" ? "not satisfied" : "below recommended";
}

// A field and the separator before it; quoted too where the separator is one csvField does not
// quote for.
std::string field(const std::string& text, char separator) {
    std::string quoted = csvFieldAsWritten(text);
    if (quoted.find(separator) != std::string::npos && (quoted.empty() || quoted[0] != '"'))
        quoted = "\"" + quoted + "\"";
    return std::string(1, separator) + quoted;
}

std::string line(const std::vector<std::string>& fields, char separator) {
    std::string out = csvFieldAsWritten(fields[0]);
    if (out.find(separator) != std::string::npos && out[0] != '"')
        out = "\"" + out + "\"";
    for (std::size_t i = 1; i < fields.size(); ++i)
        out += field(fields[i], separator);
    return out + "\r\n";
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
    std::string out = line(
        {"Product", "Status", "Prerequisite", "Computers", "Their levels", "Names"}, separator);
    for (const TallyLine& tally : tallyFleet(summary)) {
        std::string names;
        for (const std::string& name : tally.computers)
            names += (names.empty() ? "" : " ") + name;
        out += line({tally.product, verdictWords(tally.status), tally.prerequisite,
                     std::to_string(tally.computers.size()), tally.levels, names},
                    separator);
    }
    return ansiFromUtf8(out);
}

std::string csvField(const std::string& text) {
    std::string field = text;
    if (!field.empty() &&
        (field[0] == '=' || field[0] == '+' || field[0] == '-' || field[0] == '@'))
        field.insert(field.begin(), '\'');
    bool plain = field.empty() || (field.front() != ' ' && field.back() != ' ');
    for (const char *c = field.data(), *end = c + field.size(); plain && c != end; ++c)
        plain = *c > ';' || (*c != ',' && *c != ';' && *c != '"' && *c != '\r' && *c != '\n');
    if (plain)
        return field;
    std::string quoted = "\"";
    for (const char c : field)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

std::string csvFieldAsWritten(const std::string& utf8) {
    const std::string text = visibleText(utf8);
    if (isAscii(text)) // the same bytes in every ANSI code page
        return csvField(text);
    // WideCharToMultiByte's best fit turns fullwidth and other look-alike forms into '=', '"',
    // ',' or ';' (U+FF1D into '=' in code pages 1252 and 1251), and WC_NO_BEST_FIT_CHARS is not
    // there before Windows 2000: so the field is judged by the bytes that will be written.
    return utf8FromAnsi(csvField(ansiFromUtf8(text)));
}

std::string fleetCsv(const FleetSummary& summary, const LocalTime& now, char separator) {
    std::string out = line({"Computer", "Product", "Verdict", "Prerequisite", "Status",
                            "Your PC's level", "Recommended level", "Checked", "Days since check",
                            "Version", "Windows", "Service pack", "File", "Note"},
                           separator);
    for (const ComputerResult& result : summary.results) {
        const std::string age = !result.checkedAtKnown ? ""
                                : isInFuture(result, now)
                                    ? "in the future"
                                    : std::to_string(daysBetween(result.checked, now));
        const std::string note = isNotExpected(summary, result) ? "not expected" : "";
        const std::vector<std::string> tail = {
            result.checkedAt, age, result.version, result.windows, result.servicePack,
            result.fileName,  note};
        for (const ResultProduct& product : result.products) {
            std::vector<std::string> fields = {
                result.computer, product.name, verdictWords(product.verdict), "", "", "", ""};
            fields.insert(fields.end(), tail.begin(), tail.end());
            bool failing = false;
            for (const ResultPrerequisite& entry : product.prerequisites) {
                if (entry.status == "satisfied")
                    continue;
                failing = true;
                fields[3] = entry.minimumPrerequisite;
                fields[4] = verdictWords(entry.status);
                fields[5] = entry.pcLevel;
                fields[6] = entry.recommendedLevel;
                out += line(fields, separator);
            }
            if (!failing)
                out += line(fields, separator);
        }
    }
    for (const std::string& computer : summary.notReported)
        out += line(
            {computer, "", "no result", "", "", "", "", "", "", "", "", "", "", "not reported"},
            separator);
    return ansiFromUtf8(out);
}

} // namespace prereq
