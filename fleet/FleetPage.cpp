// Writing the fleet page. The fixed fragments follow the status report's markup, so the page and
// the reports look alike side by side in the browser.
#include "fleet/FleetPage.h"

#include "checks/MoreInfoPages.h"
#include "fleet/CheckTime.h"
#include "fleet/FleetTally.h"
#include "text/HtmlEscape.h"
#include "text/Utf8.h"
#include "text/VisibleText.h"

namespace prereq {

namespace {

const char kTableStart[] = "<table BORDER WIDTH=100% >";
const char kBlankCell[] = "<td>&nbsp </td>";
const char kCheck[] = "<img SRC=\"green_check.gif\" NOSAVE height=16 width=15> ";
const char kCross[] = "<img SRC=\"red_x.gif\" NOSAVE height=16 width=15> ";

// Escaped UTF-8 text, with a character reference for every code point beyond ASCII and '?' for
// every one that would draw nothing or reorder the text around it.
std::string html(const std::string& utf8) {
    const std::string escaped = escapeHtml(visibleText(utf8));
    if (isAscii(escaped))
        return escaped;
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
    // Below recommended meets every minimum: the check mark, as the report's "Yes" for it.
    if (verdict == "below-recommended")
        return cell(kCheck + std::string("<i>below recommended</i>"));
    return cell(kCross + std::string("not satisfied"));
}

const ResultProduct* productOf(const ComputerResult& result, const std::string& name) {
    for (const ResultProduct& product : result.products)
        if (product.name == name)
            return &product;
    return nullptr;
}

// Every product of the fleet checked and satisfied: a product a result does not name was not
// checked there, so a result of no products satisfies nothing.
bool allSatisfied(const FleetSummary& summary, const ComputerResult& result) {
    for (const ProductCounts& counted : summary.counts) {
        const ResultProduct* product = productOf(result, counted.name);
        if (!product || product->verdict != "satisfied")
            return false;
    }
    return !result.products.empty();
}

bool anyNotSatisfied(const ComputerResult& result) {
    for (const ResultProduct& product : result.products)
        if (product.verdict == "not-satisfied")
            return true;
    return false;
}

std::string computerName(const FleetSummary& summary, const ComputerResult& result) {
    return html(result.computer) + (isNotExpected(summary, result) ? " (not expected)" : "");
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
    out += "<p><b>Computers: " + std::to_string(all) +
           ". Ready for every product: " + std::to_string(ready) + " (" + percent(ready, all) +
           ").";
    for (const ProductCounts& counts : summary.counts)
        out += " " + html(counts.name) + ": " + std::to_string(counts.satisfied) + " ready (" +
               percent(counts.satisfied, all) + ").";
    out += " Old results: " + std::to_string(old) + ".";
    if (summary.expectGiven)
        out += " Not reported: " + std::to_string(summary.notReported.size()) + ".";
    out += " Files not used: " + std::to_string(summary.unusedFiles.size()) + ".</b>\n";
}

std::string signedChange(int now, int before) {
    return now > before   ? " (+" + std::to_string(now - before) + ")"
           : now < before ? " (-" + std::to_string(before - now) + ")"
                          : " (=)";
}

// The last rows of the history, each product's ready computers with the change from the row
// before.
void writeHistory(std::string& out, const FleetSummary& summary,
                  const std::vector<HistoryRow>& history, const std::string& problem) {
    out += "<p><p><strong>History</strong> (<a href=\"FleetHistory.csv\">FleetHistory.csv</a>)\n";
    if (!problem.empty())
        out += "<p><b>FleetHistory.csv could not be read</b>: " + html(problem) +
               ". It was left as it was, and this summary added no line to it.\n";
    const std::size_t first = history.size() > kHistoryShown ? history.size() - kHistoryShown : 0;
    out += kTableStart;
    out += "<tr><td>Summary</td>";
    for (const ProductCounts& counts : summary.counts)
        out += cell(html(counts.name) + ": satisfied, below recommended, not satisfied, no result");
    out += "</tr>\n";
    for (std::size_t index = first; index < history.size(); ++index) {
        out += "<tr>" + cell(html(history[index].time));
        for (const ProductCounts& counts : summary.counts) {
            const HistoryFigures* figures = nullptr;
            const HistoryFigures* before = nullptr;
            for (const auto& product : history[index].products)
                figures = product.first == counts.name ? &product.second : figures;
            if (index > 0)
                for (const auto& product : history[index - 1].products)
                    before = product.first == counts.name ? &product.second : before;
            std::string text;
            for (int f = 0; figures && f < 4; ++f)
                text += (f ? ", " : "") + std::to_string((*figures)[f]) +
                        (before ? signedChange((*figures)[f], (*before)[f]) : "");
            out += cell(text.empty() ? "&nbsp " : text);
        }
        out += "</tr>\n";
    }
    out += "</table>\n";
}

// What must be done: each failing prerequisite with its computers, their levels and names.
void writeTally(std::string& out, const FleetSummary& summary) {
    const std::vector<TallyLine> lines = tallyFleet(summary);
    out += "<p><p><strong>What must be done</strong> (<a "
           "href=\"FleetTally.csv\">FleetTally.csv</a>)\n";
    if (lines.empty()) {
        out += "<p>Nothing: no prerequisite fails on any computer.\n";
        return;
    }
    std::string status;
    for (const TallyLine& line : lines) {
        if (line.status != status) {
            if (!status.empty())
                out += "</table>\n";
            status = line.status;
            out += status == "not-satisfied"
                       ? "<p>" + std::string(kCross) + "<b>Not satisfied</b>\n"
                       : "<p>" + std::string(kCheck) +
                             "<b>Below recommended</b> (every minimum met)\n";
            out += kTableStart;
            out += "<tr><td>Product</td><td>Prerequisite</td><td>Computers</td>"
                   "<td>Their levels</td><td>Names</td></tr>\n";
        }
        std::string names;
        for (const std::string& name : line.computers)
            names += (names.empty() ? "" : ", ") + html(name);
        out += "<tr>" + cell(html(line.product)) + cell(html(line.prerequisite)) +
               cell(std::to_string(line.computers.size())) + cell(html(line.levels)) +
               cell("<small>" + names + "</small>") + "</tr>\n";
    }
    out += "</table>\n";
}

void writeNotReported(std::string& out, const FleetSummary& summary) {
    if (!summary.expectGiven)
        return;
    out += "<p><p><strong>Not reported (" + std::to_string(summary.notReported.size()) +
           ")</strong>\n";
    std::string names;
    for (const std::string& name : summary.notReported)
        names += (names.empty() ? "" : ", ") + html(name);
    if (!names.empty())
        out += "<p>" + names + "\n";
}

// One line per computer: its name, a verdict per product, the short names of what fails.
void writeCompactList(std::string& out, const FleetSummary& summary, const LocalTime& now,
                      int maxAgeDays) {
    out += "<p>One line per computer (the details are in <a href=\"FleetStatus.csv\">"
           "FleetStatus.csv</a>): its name, per product <b>yes</b>, <b>below</b>, <b>NO</b> or "
           "<b>-</b> (no result), then what is not satisfied and, after <b>below:</b>, what is "
           "below recommended.\n<pre>\n";
    for (const ComputerResult& result : summary.results) {
        if (allSatisfied(summary, result))
            continue;
        std::string line = html(result.computer);
        for (std::size_t width = result.computer.size(); width < 16; ++width)
            line += ' ';
        std::string failing, below;
        for (const ProductCounts& counted : summary.counts) {
            const ResultProduct* product = productOf(result, counted.name);
            const char* word = !product                                  ? "-     "
                               : product->verdict == "satisfied"         ? "yes   "
                               : product->verdict == "below-recommended" ? "below "
                                                                         : "NO    ";
            line += word;
            for (const ResultPrerequisite& entry :
                 product ? product->prerequisites : std::vector<ResultPrerequisite>()) {
                std::string& list = entry.status == "not-satisfied" ? failing : below;
                const std::string name = shortPrerequisiteName(entry.minimumPrerequisite);
                if (entry.status != "satisfied" &&
                    (" " + list + " ").find(" " + name + " ") == std::string::npos)
                    list += (list.empty() ? "" : " ") + name;
            }
        }
        line += html(failing) + (below.empty() ? "" : " below: " + html(below));
        if (isOld(result, now, maxAgeDays))
            line += " <b>old</b>";
        if (isNotExpected(summary, result))
            line += " (not expected)";
        out += line + "\n";
    }
    out += "</pre>\n";
}

std::string checkedText(const ComputerResult& result, const LocalTime& now, int maxAgeDays) {
    if (!result.checkedAtKnown)
        return result.checkedAt.empty() ? "not recorded" : html(result.checkedAt);
    if (isInFuture(result, now))
        return html(result.checkedAt) + " <b>in the future</b> (a wrong clock)";
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
           "<td>Not satisfied</td><td>No result</td><td>Total</td></tr>\n";
    const int all = computersInAll(summary);
    for (const ProductCounts& counts : summary.counts)
        out += "<tr>" + cell(html(counts.name)) + cell(std::to_string(counts.satisfied)) +
               cell(std::to_string(counts.belowRecommended)) +
               cell(std::to_string(counts.notSatisfied)) +
               cell(std::to_string(all - counts.satisfied - counts.belowRecommended -
                                   counts.notSatisfied)) +
               cell(std::to_string(all)) + "</tr>\n";
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

// A file: URL of a help page in folder (C:\Help, or \\server\share\Help), every byte that is
// not plainly a path's percent-encoded.
std::string helpPageUrl(const std::string& folder, const std::string& page) {
    static const char kHex[] = "0123456789ABCDEF";
    const std::string path = folder + "\\" + page;
    std::string url = path.compare(0, 2, "\\\\") == 0 ? "file:" : "file:///";
    for (const char c : path) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (c == '\\')
            url += '/';
        else if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                 (byte >= '0' && byte <= '9') || c == '-' || c == '_' || c == '.' || c == ':')
            url += c;
        else
            url += std::string("%") + kHex[byte >> 4] + kHex[byte & 0xF];
    }
    return url;
}

// A failing prerequisite's help page: a link only to a page this program names, where such
// pages are; whatever else a result says is shown as text.
std::string moreInfoCell(const std::string& page, const std::string& helpFolder) {
    if (page.empty())
        return kBlankCell;
    if (!isMoreInfoPage(page) || helpFolder.empty())
        return cell(html(page));
    return "<td><a href=\"" + helpPageUrl(helpFolder, page) + "\">More Info</a></td>";
}

// The prerequisites of a computer that are not satisfied, in a table of the report's columns.
void writeFailures(std::string& out, const ComputerResult& result, std::size_t columns,
                   const std::string& helpFolder) {
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
            out += failed ? moreInfoCell(entry.moreInfoPage, helpFolder) : kBlankCell;
            out += "</tr>\n";
        }
    }
    out += "</table></td></tr>\n";
}

// The computers not satisfied somewhere (notSatisfied), or only below recommended.
void writeUnsatisfied(std::string& out, const FleetSummary& summary, const LocalTime& now,
                      int maxAgeDays, bool notSatisfied) {
    std::size_t count = 0;
    for (const ComputerResult& result : summary.results)
        count += !allSatisfied(summary, result) && anyNotSatisfied(result) == notSatisfied ? 1 : 0;
    out += notSatisfied ? "<p><p><strong>Computers not satisfied ("
                        : "<p><p><strong>Computers only below recommended (";
    out += std::to_string(count) + ")</strong>\n";
    if (count == 0)
        return;
    out += kTableStart;
    out += "<tr><td>Computer</td>";
    for (const ProductCounts& product : summary.counts)
        out += cell(html(product.name));
    out += "<td>Checked</td><td>Windows</td><td>Version</td></tr>\n";
    for (const ComputerResult& result : summary.results) {
        if (allSatisfied(summary, result) || anyNotSatisfied(result) != notSatisfied)
            continue;
        out += "<tr>" + cell("<b>" + computerName(summary, result) + "</b>");
        for (const ProductCounts& counted : summary.counts) {
            const ResultProduct* product = productOf(result, counted.name);
            out += product ? verdictCell(product->verdict) : cell("not checked");
        }
        const std::string windows =
            result.windows.empty()
                ? "not recorded"
                : html(result.windows +
                       (result.servicePack.empty() ? std::string() : ", " + result.servicePack));
        out += cell(checkedText(result, now, maxAgeDays)) + cell(windows) +
               cell(html(result.version)) + "</tr>\n";
        writeFailures(out, result, summary.counts.size() + 4, summary.helpFolder);
    }
    out += "</table>\n";
}

void writeSatisfied(std::string& out, const FleetSummary& summary, const LocalTime& now,
                    int maxAgeDays) {
    std::string names;
    std::size_t count = 0;
    for (const ComputerResult& result : summary.results) {
        if (!allSatisfied(summary, result))
            continue;
        names += (count++ ? ", " : "") + computerName(summary, result);
        if (isInFuture(result, now))
            names += " (<b>in the future</b>: a wrong clock)";
        else if (isOld(result, now, maxAgeDays))
            names += " (<b>old</b>)";
    }
    out += "<p><p><strong>Computers that satisfy every product (" + std::to_string(count) +
           ")</strong>\n";
    if (count)
        out += "<p>" + names + "\n";
}

} // namespace

std::string fleetPage(const FleetSummary& summary, const LocalTime& now, int maxAgeDays,
                      const std::vector<HistoryRow>& history, const std::string& historyProblem) {
    std::string out =
        "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2 Final//EN\">\n"
        "<html>\n<head>\n"
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\">\n"
        "<title>Fleet Status</title>\n</head>\n<body>\n"
        "<strong>Fleet Status</strong>\n";
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
        out += "<p><p><strong>Computers not satisfied everywhere (" + std::to_string(failing) +
               ")</strong>\n";
        writeCompactList(out, summary, now, maxAgeDays);
    } else {
        writeUnsatisfied(out, summary, now, maxAgeDays, true);
        writeUnsatisfied(out, summary, now, maxAgeDays, false);
    }
    writeSatisfied(out, summary, now, maxAgeDays);
    return out + "</body>\n</html>\n";
}

} // namespace prereq
