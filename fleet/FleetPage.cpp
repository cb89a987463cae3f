// Writing the fleet page. The fixed fragments follow the status report's markup, so the page and
// the reports look alike side by side in the browser. Every part goes straight onto the one page:
// on a 486 each string made on the way, and each copy of it, costs as much as the writing.
#include "fleet/FleetPage.h"

#include "checks/MoreInfoPages.h"
#include "fleet/CheckTime.h"
#include "fleet/FleetTally.h"
#include "text/HtmlEscape.h"
#include "text/Utf8.h"
#include "text/VisibleText.h"

#include <algorithm>
#include <initializer_list>
#include <string_view>

namespace prereq {

namespace {

using namespace std::string_view_literals; // texts whose length is known where they are written

constexpr std::string_view kTableStart = "<table BORDER WIDTH=100% >";
constexpr std::string_view kBlankCell = "<td>&nbsp </td>";
constexpr std::string_view kCheck = "<img SRC=\"green_check.gif\" NOSAVE height=16 width=15> ";
constexpr std::string_view kCross = "<img SRC=\"red_x.gif\" NOSAVE height=16 width=15> ";

void append(std::string& out, std::initializer_list<std::string_view> parts) {
    for (const std::string_view part : parts)
        out += part;
}

// Escaped UTF-8 text, with a character reference for every code point beyond ASCII and '?' for
// every one that would draw nothing or reorder the text around it.
void appendHtml(std::string& out, std::string_view utf8) {
    // Most texts are printable ASCII without markup, and go onto the page as they are.
    bool plain = true;
    for (std::size_t i = 0; plain && i < utf8.size(); ++i) {
        const unsigned char byte = static_cast<unsigned char>(utf8[i]);
        plain = byte > '>'
                    ? byte < 0x7F
                    : byte >= ' ' && byte != '&' && byte != '<' && byte != '>' && byte != '"';
    }
    if (plain) {
        out += utf8;
        return;
    }
    if (isVisibleAscii(utf8))
        return appendEscapedHtml(out, utf8);
    const std::string escaped = escapeHtml(visibleText(std::string(utf8)));
    for (std::size_t offset = 0; offset < escaped.size();) {
        if (static_cast<unsigned char>(escaped[offset]) < 0x80) {
            out += escaped[offset++];
            continue;
        }
        append(out, {"&#"sv, std::to_string(nextCodePoint(escaped, offset)), ";"sv});
    }
}

void appendCell(std::string& out, std::string_view markup) {
    append(out, {"<td>"sv, markup, "</td>"sv});
}

// A cell of a result's text.
void appendTextCell(std::string& out, std::string_view utf8) {
    out += "<td>"sv;
    appendHtml(out, utf8);
    out += "</td>"sv;
}

void appendVerdictCell(std::string& out, std::string_view verdict) {
    if (verdict == "satisfied"sv)
        append(out, {"<td>"sv, kCheck, "satisfied</td>"sv});
    // Below recommended meets every minimum: the check mark, as the report's "Yes" for it.
    else if (verdict == "below-recommended"sv)
        append(out, {"<td>"sv, kCheck, "<i>below recommended</i></td>"sv});
    else
        append(out, {"<td>"sv, kCross, "not satisfied</td>"sv});
}

const ResultProduct* productOf(const ComputerResult& result, const std::string& name) {
    for (const ResultProduct& product : result.products) // lengths first, then bytes
        if (product.name.size() == name.size() && product.name == name)
            return &product;
    return nullptr;
}

// Every product of the fleet checked and satisfied: a product a result does not name was not
// checked there, so a result of no products satisfies nothing.
bool allSatisfied(const FleetSummary& summary, const ComputerResult& result) {
    for (const ProductCounts& counted : summary.counts) {
        const ResultProduct* product = productOf(result, counted.name);
        if (!product || product->verdict != "satisfied"sv)
            return false;
    }
    return !result.products.empty();
}

bool anyNotSatisfied(const ComputerResult& result) {
    for (const ResultProduct& product : result.products)
        if (product.verdict == "not-satisfied"sv)
            return true;
    return false;
}

void appendComputerName(std::string& out, const FleetSummary& summary,
                        const ComputerResult& result) {
    appendHtml(out, result.computer);
    if (isNotExpected(summary, result))
        out += " (not expected)"sv;
}

std::string percent(int part, int whole) {
    return whole == 0 ? "0%" : std::to_string(part * 100LL / whole) + "%";
}

// The line at the very top: how many computers, how many ready, per product and in all.
void writeSummaryLine(std::string& out, const FleetSummary& summary, const LocalTime& now,
                      int maxAgeDays) {
    const int all = computersInAll(summary);
    int ready = 0, old = 0;
    for (const ComputerResult& result : summary.results) {
        ready += allSatisfied(summary, result) ? 1 : 0;
        old += isOld(result, now, maxAgeDays) ? 1 : 0;
    }
    append(out, {"<p><b>Computers: "sv, std::to_string(all), ". Ready for every product: "sv,
                 std::to_string(ready), " ("sv, percent(ready, all), ")."sv});
    for (const ProductCounts& counts : summary.counts) {
        out += ' ';
        appendHtml(out, counts.name);
        append(out, {": "sv, std::to_string(counts.satisfied), " ready ("sv,
                     percent(counts.satisfied, all), ")."sv});
    }
    append(out, {" Old results: "sv, std::to_string(old), "."sv});
    if (summary.expectGiven)
        append(out, {" Not reported: "sv, std::to_string(summary.notReported.size()), "."sv});
    append(out, {" Files not used: "sv, std::to_string(summary.unusedFiles.size()), ".</b>\r\n"sv});
}

void appendChange(std::string& out, int now, int before) {
    if (now == before)
        out += " (=)"sv;
    else
        append(out, {now > before ? " (+"sv : " (-"sv,
                     std::to_string(now > before ? now - before : before - now), ")"sv});
}

// The last rows of the history, each product's ready computers with the change from the row
// before.
void writeHistory(std::string& out, const FleetSummary& summary,
                  const std::vector<HistoryRow>& history, const std::string& problem) {
    out += "<p><p><strong>History</strong> (<a href=\"FleetHistory.csv\">FleetHistory.csv</a>)\r\n";
    if (!problem.empty()) {
        out += "<p><b>FleetHistory.csv could not be read</b>: ";
        appendHtml(out, problem);
        out += ". It was left as it was, and this summary added no line to it.\r\n";
    }
    const std::size_t first = history.size() > kHistoryShown ? history.size() - kHistoryShown : 0;
    append(out, {kTableStart, "<tr><td>Summary</td>"sv});
    for (const ProductCounts& counts : summary.counts) {
        out += "<td>"sv;
        appendHtml(out, counts.name);
        out += ": satisfied, below recommended, not satisfied, no result</td>"sv;
    }
    out += "</tr>\r\n";
    for (std::size_t index = first; index < history.size(); ++index) {
        out += "<tr>"sv;
        appendTextCell(out, history[index].time);
        for (const ProductCounts& counts : summary.counts) {
            const HistoryFigures* figures = nullptr;
            const HistoryFigures* before = nullptr;
            for (const auto& product : history[index].products)
                figures = product.first == counts.name ? &product.second : figures;
            if (index > 0)
                for (const auto& product : history[index - 1].products)
                    before = product.first == counts.name ? &product.second : before;
            if (!figures) {
                out += kBlankCell;
                continue;
            }
            out += "<td>"sv;
            for (int f = 0; f < 4; ++f) {
                if (f)
                    out += ", "sv;
                out += std::to_string((*figures)[f]);
                if (before)
                    appendChange(out, (*figures)[f], (*before)[f]);
            }
            out += "</td>"sv;
        }
        out += "</tr>\r\n"sv;
    }
    out += "</table>\r\n";
}

// What must be done: each failing prerequisite with its computers, their levels and names.
void writeTally(std::string& out, const FleetSummary& summary) {
    const std::vector<TallyLine> lines = tallyFleet(summary);
    out += "<p><p><strong>What must be done</strong> (<a "
           "href=\"FleetTally.csv\">FleetTally.csv</a>)\r\n";
    if (lines.empty()) {
        out += "<p>Nothing: no prerequisite fails on any computer.\r\n";
        return;
    }
    std::string_view status;
    for (const TallyLine& line : lines) {
        if (line.status != status) {
            if (!status.empty())
                out += "</table>\r\n";
            status = line.status;
            if (status == "not-satisfied"sv)
                append(out, {"<p>"sv, kCross, "<b>Not satisfied</b>\r\n"sv});
            else
                append(out,
                       {"<p>"sv, kCheck, "<b>Below recommended</b> (every minimum met)\r\n"sv});
            append(out, {kTableStart, "<tr><td>Product</td><td>Prerequisite</td><td>Computers</td>"
                                      "<td>Their levels</td><td>Names</td></tr>\r\n"sv});
        }
        out += "<tr>"sv;
        appendTextCell(out, line.product);
        appendTextCell(out, line.prerequisite);
        appendCell(out, std::to_string(line.computers.size()));
        appendTextCell(out, line.levels);
        out += "<td><small>"sv;
        const std::size_t names = out.size();
        for (const std::string_view name : line.computers) {
            if (out.size() != names)
                out += ", "sv;
            appendHtml(out, name);
        }
        out += "</small></td></tr>\r\n"sv;
    }
    out += "</table>\r\n";
}

void writeNotReported(std::string& out, const FleetSummary& summary) {
    if (!summary.expectGiven)
        return;
    append(out, {"<p><p><strong>Not reported ("sv, std::to_string(summary.notReported.size()),
                 ")</strong>\r\n"sv});
    if (summary.notReported.empty())
        return;
    out += "<p>";
    for (const std::string& name : summary.notReported) {
        if (&name != &summary.notReported.front())
            out += ", "sv;
        appendHtml(out, name);
    }
    out += "\r\n"sv;
}

// Whether words, each after a single blank but the first, holds word.
bool holdsWord(std::string_view words, std::string_view word) {
    for (std::size_t at = words.find(word); at != std::string_view::npos;
         at = words.find(word, at + 1))
        if ((at == 0 || words[at - 1] == ' ') &&
            (at + word.size() == words.size() || words[at + word.size()] == ' '))
            return true;
    return false;
}

// One line per computer: its name, a verdict per product, the short names of what fails.
void writeCompactList(std::string& out, const FleetSummary& summary, const LocalTime& now,
                      int maxAgeDays) {
    out += "<p>One line per computer (the details are in <a href=\"FleetStatus.csv\">"
           "FleetStatus.csv</a>): its name, per product <b>yes</b>, <b>below</b>, <b>NO</b> or "
           "<b>-</b> (no result), then what is not satisfied and, after <b>below:</b>, what is "
           "below recommended.\r\n<pre>\r\n";
    std::string failing, below;
    for (const ComputerResult& result : summary.results) {
        if (allSatisfied(summary, result))
            continue;
        appendHtml(out, result.computer);
        if (result.computer.size() < 16)
            out.append(16 - result.computer.size(), ' ');
        failing.clear();
        below.clear();
        for (const ProductCounts& counted : summary.counts) {
            const ResultProduct* product = productOf(result, counted.name);
            out += !product                                    ? "-     "sv
                   : product->verdict == "satisfied"sv         ? "yes   "sv
                   : product->verdict == "below-recommended"sv ? "below "sv
                                                               : "NO    "sv;
            for (const ResultPrerequisite& entry :
                 product ? product->prerequisites : std::vector<ResultPrerequisite>()) {
                std::string& list = entry.status == "not-satisfied"sv ? failing : below;
                const std::string name = shortPrerequisiteName(entry.minimumPrerequisite);
                if (entry.status != "satisfied"sv && !holdsWord(list, name))
                    append(list, {list.empty() ? ""sv : " "sv, name});
            }
        }
        appendHtml(out, failing);
        if (!below.empty()) {
            out += " below: "sv;
            appendHtml(out, below);
        }
        if (isOld(result, now, maxAgeDays))
            out += " <b>old</b>"sv;
        if (isNotExpected(summary, result))
            out += " (not expected)"sv;
        out += "\r\n"sv;
    }
    out += "</pre>\r\n";
}

void appendChecked(std::string& out, const ComputerResult& result, const LocalTime& now,
                   int maxAgeDays) {
    if (!result.checkedAtKnown && result.checkedAt.empty())
        out += "not recorded"sv;
    else
        appendHtml(out, result.checkedAt);
    if (!result.checkedAtKnown)
        return;
    if (isInFuture(result, now))
        out += " <b>in the future</b> (a wrong clock)"sv;
    else if (daysBetween(result.checked, now) > maxAgeDays)
        out += " <b>old</b>"sv;
}

void writeCounts(std::string& out, const FleetSummary& summary, const LocalTime& now,
                 int maxAgeDays) {
    append(out, {"<p>Result files read: "sv, std::to_string(summary.filesRead), " on "sv});
    appendHtml(out, isoCheckTime(now));
    append(out, {" (computers: "sv, std::to_string(summary.results.size()),
                 "). A result marked <b>old</b> was taken more than "sv, std::to_string(maxAgeDays),
                 " days before.\r\n"sv, kTableStart,
                 "<tr><td>Product</td><td>Satisfied</td><td>Below recommended</td>"
                 "<td>Not satisfied</td><td>No result</td><td>Total</td></tr>\r\n"sv});
    const int all = computersInAll(summary);
    for (const ProductCounts& counts : summary.counts) {
        out += "<tr>"sv;
        appendTextCell(out, counts.name);
        const int noResult = all - counts.satisfied - counts.belowRecommended - counts.notSatisfied;
        for (const int figure :
             {counts.satisfied, counts.belowRecommended, counts.notSatisfied, noResult, all})
            appendCell(out, std::to_string(figure));
        out += "</tr>\r\n"sv;
    }
    out += "</table>\r\n";
}

void writeUnusedFiles(std::string& out, const FleetSummary& summary) {
    if (summary.unusedFiles.empty())
        return;
    append(out, {"<p><p><strong>Files that could not be used ("sv,
                 std::to_string(summary.unusedFiles.size()), ")</strong>\r\n"sv, kTableStart,
                 "<tr><td>File</td><td>Reason</td></tr>\r\n"sv});
    for (const UnusedFile& file : summary.unusedFiles) {
        out += "<tr>"sv;
        appendTextCell(out, file.fileName);
        appendTextCell(out, file.reason);
        out += "</tr>\r\n"sv;
    }
    out += "</table>\r\n";
}

// A path in a file: URL, '\' as '/' and every byte that is not plainly a path's
// percent-encoded; the plain bytes copied in runs.
void appendUrlPath(std::string& out, std::string_view path) {
    static const char kHex[] = "0123456789ABCDEF";
    std::size_t run = 0;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const unsigned char byte = static_cast<unsigned char>(path[i]);
        if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
            (byte >= '0' && byte <= '9') || byte == '-' || byte == '_' || byte == '.' ||
            byte == ':')
            continue;
        out.append(path.data() + run, i - run);
        run = i + 1;
        const char escaped[] = {'%', kHex[byte >> 4], kHex[byte & 0xF]};
        if (byte == '\\')
            out += '/';
        else
            out.append(escaped, sizeof escaped);
    }
    out.append(path.data() + run, path.size() - run);
}

// A failing prerequisite's help page: a link only to a page this program names, where such
// pages are (C:\Help, or \\server\share\Help); whatever else a result says is shown as text.
void appendMoreInfoCell(std::string& out, const std::string& page, const std::string& helpFolder) {
    if (page.empty()) {
        out += kBlankCell;
        return;
    }
    if (!isMoreInfoPage(page) || helpFolder.empty())
        return appendTextCell(out, page);
    out += "<td><a href=\""sv;
    const std::size_t path = out.size();
    appendUrlPath(out, helpFolder);
    out += '/';
    appendUrlPath(out, page);
    // A share's path, "\\server\share", becomes "file://server/share".
    out.insert(path, out.compare(path, 2, "//") == 0 ? "file:" : "file:///");
    out += "\">More Info</a></td>"sv;
}

// The prerequisites of a computer that are not satisfied, in a table of the report's columns.
void writeFailures(std::string& out, const ComputerResult& result, std::size_t columns,
                   const std::string& helpFolder) {
    append(out,
           {"<tr>"sv, kBlankCell, "<td colspan="sv, std::to_string(columns - 1), ">"sv, kTableStart,
            "<tr><td>Product</td><td>Prerequisite</td><td>Prerequisite Satisfied?</td>"
            "<td>Recommended Level</td><td>Your PC's level</td>"sv,
            kBlankCell, "</tr>\r\n"sv});
    for (const ResultProduct& product : result.products) {
        for (const ResultPrerequisite& entry : product.prerequisites) {
            if (entry.status == "satisfied"sv)
                continue;
            const bool failed = entry.status == "not-satisfied"sv;
            out += "<tr>"sv;
            appendTextCell(out, product.name);
            appendTextCell(out, entry.minimumPrerequisite);
            append(out, {"<td>"sv, failed ? kCross : kCheck, failed ? "No</td>"sv : "Yes</td>"sv});
            if (entry.recommendedLevel.empty())
                out += kBlankCell;
            else
                appendTextCell(out, entry.recommendedLevel);
            appendTextCell(out, entry.pcLevel);
            if (failed)
                appendMoreInfoCell(out, entry.moreInfoPage, helpFolder);
            else
                out += kBlankCell;
            out += "</tr>\r\n"sv;
        }
    }
    out += "</table></td></tr>\r\n"sv;
}

// The computers not satisfied somewhere (notSatisfied), or only below recommended.
void writeUnsatisfied(std::string& out, const FleetSummary& summary, const LocalTime& now,
                      int maxAgeDays, bool notSatisfied) {
    std::size_t count = 0;
    for (const ComputerResult& result : summary.results)
        count += !allSatisfied(summary, result) && anyNotSatisfied(result) == notSatisfied ? 1 : 0;
    append(out, {notSatisfied ? "<p><p><strong>Computers not satisfied ("sv
                              : "<p><p><strong>Computers only below recommended ("sv,
                 std::to_string(count), ")</strong>\r\n"sv});
    if (count == 0)
        return;
    append(out, {kTableStart, "<tr><td>Computer</td>"sv});
    for (const ProductCounts& product : summary.counts)
        appendTextCell(out, product.name);
    out += "<td>Checked</td><td>Windows</td><td>Version</td></tr>\r\n";
    for (const ComputerResult& result : summary.results) {
        if (allSatisfied(summary, result) || anyNotSatisfied(result) != notSatisfied)
            continue;
        out += "<tr><td><b>"sv;
        appendComputerName(out, summary, result);
        out += "</b></td>"sv;
        for (const ProductCounts& counted : summary.counts) {
            const ResultProduct* product = productOf(result, counted.name);
            if (product)
                appendVerdictCell(out, product->verdict);
            else
                appendCell(out, "not checked"sv);
        }
        out += "<td>"sv;
        appendChecked(out, result, now, maxAgeDays);
        out += "</td><td>"sv;
        if (result.windows.empty())
            out += "not recorded"sv;
        else
            appendHtml(out, result.windows);
        if (!result.windows.empty() && !result.servicePack.empty()) {
            out += ", "sv;
            appendHtml(out, result.servicePack);
        }
        out += "</td>"sv;
        appendTextCell(out, result.version);
        out += "</tr>\r\n"sv;
        writeFailures(out, result, summary.counts.size() + 4, summary.helpFolder);
    }
    out += "</table>\r\n";
}

void writeSatisfied(std::string& out, const FleetSummary& summary, const LocalTime& now,
                    int maxAgeDays) {
    std::size_t count = 0;
    for (const ComputerResult& result : summary.results)
        count += allSatisfied(summary, result) ? 1 : 0;
    append(out, {"<p><p><strong>Computers that satisfy every product ("sv, std::to_string(count),
                 ")</strong>\r\n"sv});
    if (count == 0)
        return;
    out += "<p>";
    const std::size_t names = out.size();
    for (const ComputerResult& result : summary.results) {
        if (!allSatisfied(summary, result))
            continue;
        if (out.size() != names)
            out += ", "sv;
        appendComputerName(out, summary, result);
        if (isInFuture(result, now))
            out += " (<b>in the future</b>: a wrong clock)"sv;
        else if (isOld(result, now, maxAgeDays))
            out += " (<b>old</b>)"sv;
    }
    out += "\r\n"sv;
}

} // namespace

std::string fleetPage(const FleetSummary& summary, const LocalTime& now, int maxAgeDays,
                      const std::vector<HistoryRow>& history, const std::string& historyProblem) {
    // No text on the page holds a CR of its own: the escaping makes each one a reference.
    std::string page = fleetPageFile(summary, now, maxAgeDays, history, historyProblem);
    page.erase(std::remove(page.begin(), page.end(), '\r'), page.end());
    return page;
}

std::string fleetPageFile(const FleetSummary& summary, const LocalTime& now, int maxAgeDays,
                          const std::vector<HistoryRow>& history,
                          const std::string& historyProblem) {
    std::string out;
    // Room for the whole page at once, which a page that grows by doubling would copy each time.
    out.reserve(4096 + summary.results.size() * 1024 + summary.unusedFiles.size() * 128 +
                summary.notReported.size() * 32);
    out += "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2 Final//EN\">\r\n"
           "<html>\r\n<head>\r\n"
           "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\">\r\n"
           "<title>Fleet Status</title>\r\n</head>\r\n<body>\r\n"
           "<strong>Fleet Status</strong>\r\n";
    writeSummaryLine(out, summary, now, maxAgeDays);
    writeCounts(out, summary, now, maxAgeDays);
    writeHistory(out, summary, history, historyProblem);
    writeTally(out, summary);
    writeNotReported(out, summary);
    writeUnusedFiles(out, summary);
    std::size_t failing = 0;
    for (const ComputerResult& result : summary.results)
        failing += allSatisfied(summary, result) ? 0 : 1;
    if (failing > kDetailedComputers) {
        append(out, {"<p><p><strong>Computers not satisfied everywhere ("sv,
                     std::to_string(failing), ")</strong>\r\n"sv});
        writeCompactList(out, summary, now, maxAgeDays);
    } else {
        writeUnsatisfied(out, summary, now, maxAgeDays, true);
        writeUnsatisfied(out, summary, now, maxAgeDays, false);
    }
    writeSatisfied(out, summary, now, maxAgeDays);
    out += "</body>\r\n</html>\r\n";
    return out;
}

} // namespace prereq
