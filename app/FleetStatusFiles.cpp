// Writing the fleet's two files. The pictures of the page are the bundle's: copied from the
// program's own folder into the results folder where they are missing there, so the page shows
// them wherever the folder is opened from. A picture that cannot be copied leaves its place empty
// on the page and fails nothing.
#include "app/FleetStatusFiles.h"

#include "app/ErrorText.h"
#include "app/ResultFile.h"
#include "fleet/ExpectedComputers.h"
#include "fleet/FleetCsv.h"
#include "fleet/FleetHistory.h"
#include "fleet/FleetPage.h"
#include "fleet/FleetSummary.h"
#include "platform/AnsiText.h"
#include "platform/Paths.h"
#include "platform/Platform.h"
#include "report/ProductAssessment.h"
#include "text/Utf8.h"

namespace prereq {

namespace {

const char kPageName[] = "FleetStatus.htm";
const char kSpreadsheetName[] = "FleetStatus.csv";
const char kTallyName[] = "FleetTally.csv";
const char kHistoryName[] = "FleetHistory.csv";
const std::uint32_t kLargestList = 1u << 20; // a list of every PC of a domain fits many times

// The expected computers' names from file; problem says why there are none.
std::vector<std::string> expectedComputers(const std::string& file, std::string& problem) {
    std::vector<std::string> names;
    std::string text;
    if (!resultFolders().readFile(file, kLargestList + 1, text))
        problem = "cannot read the list of expected computers '" + file + "'";
    else if (text.size() > kLargestList)
        problem = "the list of expected computers '" + file + "' is larger than " +
                  std::to_string(kLargestList) + " bytes";
    else if (!(problem = readExpectedComputers(text, names)).empty())
        problem = "the list of expected computers '" + file + "', " + problem;
    return names;
}

// The history so far; problem says why it could not be read (a missing file is a first one).
std::vector<HistoryRow> history(const std::string& folder, std::string& problem) {
    std::vector<HistoryRow> rows;
    const std::string file = pathIn(folder, kHistoryName);
    std::string text;
    if (!platform().pathExists(file))
        return rows;
    if (!resultFolders().readFile(file, kLargestList + 1, text))
        problem = "it cannot be read (open in another program?)";
    else if (text.size() > kLargestList)
        problem = "it is larger than " + std::to_string(kLargestList) + " bytes";
    else
        problem = readFleetHistory(utf8FromAnsi(text), rows);
    if (!problem.empty())
        rows.clear();
    return rows;
}

std::string programFolder() {
    const std::string program = platform().moduleFileName();
    const std::size_t slash = program.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : program.substr(0, slash);
}

void copyPictures(const std::string& folder) {
    const std::string from = programFolder();
    const std::uint32_t kLargest = 65536; // the bundle's are 239 bytes; never copy a part
    for (const char* picture : {"green_check.gif", "red_x.gif"}) {
        std::string bytes;
        if (!from.empty() && !platform().pathExists(pathIn(folder, picture)) &&
            resultFolders().readFile(pathIn(from, picture), kLargest + 1, bytes) &&
            !bytes.empty() && bytes.size() <= kLargest)
            writeResultFile(folder, picture, bytes);
    }
}

std::string countLines(const FleetSummary& summary, const std::string& folder) {
    std::string out = "Result files read in " + folder + ": " + std::to_string(summary.filesRead) +
                      " (computers: " + std::to_string(summary.results.size()) +
                      ", files not used: " + std::to_string(summary.unusedFiles.size()) + ")\n";
    for (const ProductCounts& counts : summary.counts)
        out += ansiFromUtf8(counts.name) + ": " + std::to_string(counts.satisfied) +
               " satisfied, " + std::to_string(counts.belowRecommended) + " below recommended, " +
               std::to_string(counts.notSatisfied) + " not satisfied\n";
    return out;
}

} // namespace

std::string writeFleetStatus(const std::string& folder, int maxAgeDays,
                             const std::string& expectFile, std::string& problem) {
    const std::vector<std::string> expected =
        expectFile.empty() ? std::vector<std::string>() : expectedComputers(expectFile, problem);
    if (!problem.empty())
        return {};
    FleetSummary summary = readFleetFolder(folder);
    if (summary.listingError != 0) {
        problem = "cannot list the result folder '" + folder +
                  "': " + errorText(summary.listingError) +
                  "; the files of the last summary are left as they were";
        return {};
    }
    summary.helpFolder = programFolder();
    if (!expectFile.empty())
        matchExpected(summary, expected);
    const LocalTime now = resultFolders().localTime();
    const char separator = spreadsheetSeparator(resultFolders().listSeparator());
    std::string historyProblem;
    std::vector<HistoryRow> rows = history(folder, historyProblem);
    rows.push_back(historyRow(summary, now, maxAgeDays));
    copyPictures(folder);
    // Each file's text moved into the list, never copied: the page alone holds about a kilobyte
    // a result.
    std::vector<ResultFileText> files;
    files.reserve(4);
    files.push_back(
        {kPageName, fleetPageFile(summary, now, maxAgeDays, rows, historyProblem), "the page"});
    files.push_back({kSpreadsheetName, fleetCsv(summary, now, separator), "the spreadsheet file"});
    files.push_back({kTallyName, fleetTallyCsv(summary, separator), "the spreadsheet file"});
    if (historyProblem.empty())
        files.push_back(
            {kHistoryName, ansiFromUtf8(fleetHistoryText(rows, separator)), "the history"});
    // All of them or none: the page never disagrees with the spreadsheet files.
    problem = writeResultFiles(folder, files);
    if (!problem.empty())
        return {};
    std::string out = countLines(summary, folder);
    if (summary.expectGiven)
        out += "Computers expected: " + std::to_string(expected.size()) +
               ", not reported: " + std::to_string(summary.notReported.size()) +
               ", results not expected: " + std::to_string(summary.notExpected.size()) + "\n";
    if (!historyProblem.empty())
        out += std::string(kHistoryName) +
               " was left as it was and has no line for this summary: " + historyProblem + "\n";
    return out + "Wrote " + pathIn(folder, kPageName) + ", " + kSpreadsheetName + ", " +
           kTallyName + (historyProblem.empty() ? std::string(" and ") + kHistoryName : "") + ".\n";
}

} // namespace prereq
