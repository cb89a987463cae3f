// The libFuzzer target of the fleet summary: the input is one file in a folder of results, read
// with the strict reader and summarised onto the page and into the spreadsheet file. Whatever the
// bytes, the file is either used or listed with a one-line reason; the page is ASCII with every
// row and table closed; the spreadsheet has one record per product and failing prerequisite
// (one for a satisfied product), each on one line, and no cell a formula; both stay bounded. The
// same bytes are read as a history and as a list of expected computers too, which must end in a
// list or a reason.
#include "fleet/ExpectedComputers.h"
#include "fleet/FleetCsv.h"
#include "fleet/FleetHistory.h"
#include "fleet/FleetPage.h"
#include "fleet/FleetSummary.h"
#include "fleet/ResultFileName.h"
#include "fleet/ResultReader.h"
#include "platform/Platform.h"
#include "platform/simulated/SimulatedPc.h"
#include "text/Utf8.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace prereq {
namespace {

void require(bool holds, const std::string& what) {
    if (holds)
        return;
    std::fprintf(stderr, "rule broken: %s\n", what.c_str());
    std::abort();
}

std::size_t occurrences(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

void checkPage(const std::string& page) {
    for (std::size_t at = 0; at < page.size(); ++at) {
        const char c = page[at];
        if (c != '\n' && (c < 0x20 || c >= 0x7F))
            std::fprintf(stderr, "near: %s\n", page.substr(at < 60 ? 0 : at - 60, 80).c_str());
        require(c == '\n' || (c >= 0x20 && c < 0x7F), "page: a byte beyond printable ASCII");
    }
    // Without a folder of help pages, the page links only to the fleet's own files.
    for (std::size_t at = page.find("<a href="); at != std::string::npos;
         at = page.find("<a href=", at + 1)) {
        const std::string target = page.substr(at, page.find('>', at) - at);
        require(target == "<a href=\"FleetHistory.csv\"" ||
                    target == "<a href=\"FleetTally.csv\"" ||
                    target == "<a href=\"FleetStatus.csv\"",
                "page: a link that leaves the fleet's files");
    }
    require(occurrences(page, "<tr>") == occurrences(page, "</tr>"), "page: a row not closed");
    require(occurrences(page, "<table") == occurrences(page, "</table>"),
            "page: a table not closed");
    require(occurrences(page, "<b>") == occurrences(page, "</b>"), "page: bold not closed");
    require(occurrences(page, "<script") == 0, "page: markup from the file");
}

// Records end in CR LF outside quotes; no other CR or LF stands outside quotes; no cell begins
// with what a spreadsheet reads as a formula.
std::size_t csvRecords(const std::string& csv) {
    std::size_t records = 0;
    bool quoted = false, cellStart = true;
    for (std::size_t at = 0; at < csv.size(); ++at) {
        if (cellStart && (csv[at] != '"' || quoted)) {
            require(std::string("=+-@").find(csv[at]) == std::string::npos,
                    "spreadsheet: a cell that begins a formula");
            cellStart = false;
        }
        if (csv[at] == '"')
            quoted = !quoted;
        else if (!quoted && csv[at] == ',')
            cellStart = true;
        else if (!quoted && csv[at] == '\r')
            require(at + 1 < csv.size() && csv[++at] == '\n', "spreadsheet: a lone CR");
        else if (!quoted && csv[at] == '\n')
            require(false, "spreadsheet: a lone LF");
        records += !quoted && csv[at] == '\n' ? 1 : 0;
        cellStart = cellStart || (!quoted && csv[at] == '\n');
    }
    require(!quoted, "spreadsheet: a quote not closed");
    return records;
}

} // namespace
} // namespace prereq

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace prereq;
    SimulatedPc pc = SimulatedPc::windows98();
    pc.addFolder("D:\\R");
    ScopedPlatform use(pc);
    // Named as the computer it claims to be, so that a result is used and reaches the writers.
    ComputerResult claimed;
    const std::string text(reinterpret_cast<const char*>(data), size);
    pc.files["D:\\R\\" + (readResult(text, claimed).empty()
                              ? resultFileName(pc.unicodeToAnsi(utf16FromUtf8(claimed.computer)))
                              : std::string("x.json"))] = text;
    const FleetSummary summary = readFleetFolder("D:\\R");
    require(summary.filesRead == 1 && summary.results.size() + summary.unusedFiles.size() == 1,
            "the file neither used nor listed");
    for (const UnusedFile& file : summary.unusedFiles) {
        require(!file.reason.empty(), "no reason given");
        for (const char c : file.reason)
            require(c >= 0x20 && c < 0x7F, "a reason that is not one line of ASCII");
    }
    require(size <= 65536 || summary.results.empty(), "a file over the size cap was used");
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::vector<HistoryRow> history;
    const std::string historyProblem = readFleetHistory(input, history);
    require(historyProblem.empty() || history.empty(), "a history both read and refused");
    std::vector<std::string> names;
    const std::string listProblem = readExpectedComputers(input, names);
    require(listProblem.empty() || listProblem.compare(0, 5, "line ") == 0,
            "a list refused unsaid");
    history.push_back(historyRow(summary, pc.clock, 7));
    const std::string page = fleetPage(summary, pc.clock, 7, history, historyProblem);
    checkPage(page);
    std::size_t records = 0;
    for (const ComputerResult& result : summary.results)
        for (const ResultProduct& product : result.products) {
            std::size_t failing = 0;
            for (const ResultPrerequisite& entry : product.prerequisites)
                failing += entry.status == "satisfied" ? 0 : 1;
            records += failing ? failing : 1;
        }
    const std::string csv = fleetCsv(summary, pc.clock, ',');
    require(csvRecords(csv) == 1 + records,
            "spreadsheet: not one record per product and failing prerequisite");
    // Three products of at most 32 prerequisites, each text at most 200 characters: whatever
    // the file, no more than this.
    require(page.size() + csv.size() < (2u << 20), "output beyond what one result can give");
    return 0;
}
