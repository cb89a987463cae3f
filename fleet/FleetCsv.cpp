// Writing the fleet's spreadsheet file: built as UTF-8, converted in one call at the end.
#include "fleet/FleetCsv.h"

#include "fleet/CheckTime.h"
#include "platform/Platform.h"
#include "text/Utf8.h"

namespace prereq {

namespace {

// "CD-ROM drive (no CD-ROM drive); 96 MB RAM (101 MB RAM, recommended 128 MB RAM)".
std::string failingPrerequisites(const ResultProduct& product) {
    std::string out;
    for (const ResultPrerequisite& entry : product.prerequisites) {
        if (entry.status == "satisfied")
            continue;
        out += (out.empty() ? "" : "; ") + entry.minimumPrerequisite + " (" + entry.pcLevel;
        if (entry.status == "below-recommended")
            out += ", recommended " + entry.recommendedLevel;
        out += ")";
    }
    return out;
}

const char* verdictWords(const std::string& verdict) {
    if (verdict == "satisfied")
        return "satisfied";
    return verdict == "not-satisfied" ? "not satisfied" : "below recommended";
}

} // namespace

std::string csvField(const std::string& text) {
    std::string field = text;
    if (!field.empty() &&
        (field[0] == '=' || field[0] == '+' || field[0] == '-' || field[0] == '@'))
        field.insert(field.begin(), '\'');
    if (field.find_first_of(",;\"\r\n") == std::string::npos &&
        (field.empty() || (field.front() != ' ' && field.back() != ' ')))
        return field;
    std::string quoted = "\"";
    for (const char c : field)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

std::string fleetCsv(const FleetSummary& summary, const LocalTime& now) {
    std::string out = "Computer,Product,Verdict,Failing prerequisites,Checked,Days since check,"
                      "Version,File\r\n";
    for (const ComputerResult& result : summary.results) {
        const std::string age =
            result.checkedAtKnown ? std::to_string(daysBetween(result.checked, now)) : "";
        for (const ResultProduct& product : result.products)
            out += csvField(result.computer) + "," + csvField(product.name) + "," +
                   verdictWords(product.verdict) + "," + csvField(failingPrerequisites(product)) +
                   "," + csvField(result.checkedAt) + "," + age + "," + csvField(result.version) +
                   "," + csvField(result.fileName) + "\r\n";
    }
    return resultFolders().unicodeToAnsi(utf16FromUtf8(out));
}

} // namespace prereq
