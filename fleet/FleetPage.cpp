// Writing the fleet page. The fixed fragments follow the status report's markup, so the page and
// the reports look alike side by side in the browser.
#include "fleet/FleetPage.h"

#include "fleet/CheckTime.h"
#include "text/HtmlEscape.h"
#include "text/Utf8.h"

namespace prereq {

namespace {

const char kTableStart[] = "<table BORDER WIDTH=100% >";
const char kBlankCell[] = "<td>&nbsp </td>";
const char kCheck[] = "<img SRC=\"green_check.gif\" NOSAVE height=16 width=15> ";
const char kCross[] = "<img SRC=\"red_x.gif\" NOSAVE height=16 width=15> ";

// Escaped UTF-8 text, with a character reference for every code point beyond ASCII.
std::string html(const std::string& utf8) {
    const std::string escaped = escapeHtml(utf8);
    std::string out;
    out.reserve(escaped.size());
    for (std::size_t offset = 0; offset < escaped.size();) {
        if (static_cast<unsigned char>(escaped[offset]) < 0x80) {
            out += escaped[offset++];
            continue;
        }
        out += "&#" + std::to_string(nextCodePoint(escaped, offset)) + ";";
    }
    return out;
}

std::string cell(const std::string& content) {
    return "<td>" + content + "</td>";
}

std::string verdictCell(const std::string& verdict) {
    if (verdict == "satisfied")
        return cell(kCheck + std::string("satisfied"));
    return cell(kCross +
                std::string(verdict == "not-satisfied" ? "not satisfied" : "below recommended"));
}

const ResultProduct* productOf(const ComputerResult& result, const std::string& name) {
    for (const ResultProduct& product : result.products)
        if (product.name == name)
            return &product;
    return nullptr;
}

bool allSatisfied(const ComputerResult& result) {
    for (const ResultProduct& product : result.products)
        if (product.verdict != "satisfied")
            return false;
    return true;
}

std::string checkedText(const ComputerResult& result, const LocalTime& now, int maxAgeDays) {
    if (!result.checkedAtKnown)
        return result.checkedAt.empty() ? "not recorded" : html(result.checkedAt);
    const bool old = daysBetween(result.checked, now) > maxAgeDays;
    return html(result.checkedAt) + (old ? " <b>old</b>" : "");
}

void writeCounts(std::string& out, const FleetSummary& summary, const LocalTime& now,
                 int maxAgeDays) {
    out += "<p>Result files read: " + std::to_string(summary.filesRead) + " on " +
           html(isoCheckTime(now)) + " (computers: " + std::to_string(summary.results.size()) +
           "). A result marked <b>old</b> was taken more than " + std::to_string(maxAgeDays) +
           " days before.\n";
    out += kTableStart;
    out += "<tr><td>Product</td><td>Satisfied</td><td>Below recommended</td>"
           "<td>Not satisfied</td></tr>\n";
    for (const ProductCounts& counts : summary.counts)
        out += "<tr>" + cell(html(counts.name)) + cell(std::to_string(counts.satisfied)) +
               cell(std::to_string(counts.belowRecommended)) +
               cell(std::to_string(counts.notSatisfied)) + "</tr>\n";
    out += "</table>\n";
}

void writeUnusedFiles(std::string& out, const FleetSummary& summary) {
    if (summary.unusedFiles.empty())
        return;
    out += "<p><p><strong>Files that could not be used (" +
           std::to_string(summary.unusedFiles.size()) + ")</strong>\n";
    out += kTableStart;
    out += "<tr><td>File</td><td>Reason</td></tr>\n";
    for (const UnusedFile& file : summary.unusedFiles)
        out += "<tr>" + cell(html(file.fileName)) + cell(html(file.reason)) + "</tr>\n";
    out += "</table>\n";
}

// The prerequisites of a computer that are not satisfied, in a table of the report's columns.
void writeFailures(std::string& out, const ComputerResult& result, std::size_t columns) {
    out += "<tr>" + std::string(kBlankCell) + "<td colspan=" + std::to_string(columns - 1) + ">";
    out += kTableStart;
    out += "<tr><td>Product</td><td>Prerequisite</td><td>Prerequisite Satisfied?</td>"
           "<td>Recommended Level</td><td>Your PC's level</td>" +
           std::string(kBlankCell) + "</tr>\n";
    for (const ResultProduct& product : result.products) {
        for (const ResultPrerequisite& entry : product.prerequisites) {
            if (entry.status == "satisfied")
                continue;
            const bool failed = entry.status == "not-satisfied";
            out += "<tr>" + cell(html(product.name)) + cell(html(entry.minimumPrerequisite)) +
                   cell(failed ? kCross + std::string("No") : kCheck + std::string("Yes")) +
                   cell(entry.recommendedLevel.empty() ? "&nbsp " : html(entry.recommendedLevel)) +
                   cell(html(entry.pcLevel));
            out += failed && !entry.moreInfoPage.empty()
                       ? "<td><a href=\"" + html(entry.moreInfoPage) + "\">More Info</a></td>"
                       : std::string(kBlankCell);
            out += "</tr>\n";
        }
    }
    out += "</table></td></tr>\n";
}

void writeUnsatisfied(std::string& out, const FleetSummary& summary, const LocalTime& now,
                      int maxAgeDays) {
    std::size_t count = 0;
    for (const ComputerResult& result : summary.results)
        count += allSatisfied(result) ? 0 : 1;
    out += "<p><p><strong>Computers not satisfied (" + std::to_string(count) + ")</strong>\n";
    if (count == 0)
        return;
    out += kTableStart;
    out += "<tr><td>Computer</td>";
    for (const ProductCounts& product : summary.counts)
        out += cell(html(product.name));
    out += "<td>Checked</td><td>Version</td></tr>\n";
    for (const ComputerResult& result : summary.results) {
        if (allSatisfied(result))
            continue;
        out += "<tr>" + cell("<b>" + html(result.computer) + "</b>");
        for (const ProductCounts& counted : summary.counts) {
            const ResultProduct* product = productOf(result, counted.name);
            out += product ? verdictCell(product->verdict) : std::string(kBlankCell);
        }
        out += cell(checkedText(result, now, maxAgeDays)) + cell(html(result.version)) + "</tr>\n";
        writeFailures(out, result, summary.counts.size() + 3);
    }
    out += "</table>\n";
}

void writeSatisfied(std::string& out, const FleetSummary& summary, const LocalTime& now,
                    int maxAgeDays) {
    std::string names;
    std::size_t count = 0;
    for (const ComputerResult& result : summary.results) {
        if (!allSatisfied(result))
            continue;
        names += (count++ ? ", " : "") + html(result.computer);
        if (result.checkedAtKnown && daysBetween(result.checked, now) > maxAgeDays)
            names += " (<b>old</b>)";
    }
    out += "<p><p><strong>Computers that satisfy every product (" + std::to_string(count) +
           ")</strong>\n";
    if (count)
        out += "<p>" + names + "\n";
}

} // namespace

std::string fleetPage(const FleetSummary& summary, const LocalTime& now, int maxAgeDays) {
    std::string out = "<!doctype html public -//w3c//dtd html 4.0 transitional//en>\n"
                      "<html>\n<head>\n<meta content=text/html; charset=iso-8859-1>\n"
                      "<title>Fleet Status</title>\n</head>\n<body>\n"
                      "<strong>Fleet Status</strong>\n";
    writeCounts(out, summary, now, maxAgeDays);
    writeUnusedFiles(out, summary);
    writeUnsatisfied(out, summary, now, maxAgeDays);
    writeSatisfied(out, summary, now, maxAgeDays);
    return out + "</body>\n</html>\n";
}

} // namespace prereq
