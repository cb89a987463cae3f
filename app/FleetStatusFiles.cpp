// Writing the fleet's two files. The pictures of the page are the bundle's: copied from the
// program's own folder into the results folder where they are missing there, so the page shows
// them wherever the folder is opened from. A picture that cannot be copied leaves its place empty
// on the page and fails nothing.
#include "app/FleetStatusFiles.h"

#include "app/ResultFile.h"
#include "app/StandardStreams.h"
#include "fleet/FleetCsv.h"
#include "fleet/FleetPage.h"
#include "fleet/FleetSummary.h"
#include "platform/Paths.h"
#include "platform/Platform.h"
#include "report/ProductAssessment.h"
#include "text/Utf8.h"

namespace prereq {

namespace {

const char kPageName[] = "FleetStatus.htm";
const char kSpreadsheetName[] = "FleetStatus.csv";

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

std::string ansi(const std::string& utf8) {
    return resultFolders().unicodeToAnsi(utf16FromUtf8(utf8));
}

std::string countLines(const FleetSummary& summary, const std::string& folder) {
    std::string out = "Result files read in " + folder + ": " + std::to_string(summary.filesRead) +
                      " (computers: " + std::to_string(summary.results.size()) +
                      ", files not used: " + std::to_string(summary.unusedFiles.size()) + ")\n";
    for (const ProductCounts& counts : summary.counts)
        out += ansi(counts.name) + ": " + std::to_string(counts.satisfied) + " satisfied, " +
               std::to_string(counts.belowRecommended) + " below recommended, " +
               std::to_string(counts.notSatisfied) + " not satisfied\n";
    return out;
}

} // namespace

std::string writeFleetStatus(const std::string& folder, int maxAgeDays, std::string& problem) {
    const FleetSummary summary = readFleetFolder(folder);
    const LocalTime now = resultFolders().localTime();
    copyPictures(folder);
    problem = writeResultFile(folder, kPageName,
                              windowsLineEnds(fleetPage(summary, now, maxAgeDays)), "the page");
    if (problem.empty())
        problem = writeResultFile(folder, kSpreadsheetName, fleetCsv(summary, now),
                                  "the spreadsheet file");
    if (!problem.empty())
        return {};
    return countLines(summary, folder) + "Wrote " + pathIn(folder, kPageName) + " and " +
           kSpreadsheetName + ".\n";
}

} // namespace prereq
