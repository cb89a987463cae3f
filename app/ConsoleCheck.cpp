// The console program's run: options, measurement, reports, summary, exit code.
#include "app/ConsoleCheck.h"

#include "app/ConsoleOptions.h"
#include "app/ErrorText.h"
#include "app/FleetStatusFiles.h"
#include "app/OutOfMemory.h"
#include "app/PrereqCheckApp.h"
#include "app/ResultFile.h"
#include "app/StandardStreams.h"
#include "checks/RequirementSet.h"
#include "fleet/CheckTime.h"
#include "platform/Paths.h"
#include "platform/Platform.h"
#include "report/JsonSummary.h"
#include "report/SummaryFields.h"
#include "report/TextSummary.h"

#include <algorithm>

namespace prereq {

namespace {

// A command line the program cannot take: the reason and the usage line.
ConsoleRun refusal(const std::string& problem) {
    const std::string program = programTitle();
    ConsoleRun run;
    run.exitCode = kExitUsage;
    run.standardError = program + ": " + problem + "; " + usageLine(program) + "\n";
    return run;
}

// A run that failed for a reason of the PC's, not of the command line: the reason alone.
ConsoleRun failedRun(const std::string& problem) {
    ConsoleRun run;
    run.exitCode = kExitUsage;
    run.standardError = programTitle() + ": " + problem + "\n";
    return run;
}

void removeReports(const std::vector<const ProductAssessment*>& products) {
    for (const ProductAssessment* product : products)
        if (!product->writtenReport().empty())
            platform().deleteFile(product->writtenReport());
}

// The first product that is not satisfied and got no report; null when every one got its own.
const ProductAssessment* missingReport(const std::vector<const ProductAssessment*>& products) {
    const auto it =
        std::find_if(products.begin(), products.end(), [](const ProductAssessment* product) {
            return product->overallStatus() != Satisfied && product->writtenReport().empty();
        });
    return it == products.end() ? nullptr : *it;
}

// "\\server\share", with trailing '\' or without: a share's root, which GetFileAttributesA
// never answers as a folder (Windows fails it with ERROR_BAD_NETPATH, and its documentation
// asks for a subfolder of the share).
bool isShareRoot(const std::string& folder) {
    const std::string name = folder.substr(0, folder.find_last_not_of('\\') + 1);
    if (name.size() < 5 || name.compare(0, 2, "\\\\") != 0)
        return false;
    const auto separator = name.find('\\', 2);
    return separator != std::string::npos && separator > 2 && separator + 1 < name.size() &&
           name.find('\\', separator + 1) == std::string::npos;
}

// Where a folder to write into stands: a folder; a share's root the server answers for; a
// share's root the server does not know (with its answer); anything else.
enum class FolderAnswer { Folder, UnknownShare, Other };

// A share's root is listed, as Windows 95 and NT 4.0 both allow; an empty share has no entry to
// list, and says so with ERROR_FILE_NOT_FOUND. Where only reading needs the listing, any other
// answer from the server, ERROR_ACCESS_DENIED of a drop box that lists nothing to its writers
// included, says the share is there; only a path or share the network does not know is refused.
FolderAnswer folderAnswer(const std::string& folder, bool toWrite, std::uint32_t& error) {
    error = 0;
    if (platform().isFolder(folder))
        return FolderAnswer::Folder;
    if (!isShareRoot(folder))
        return FolderAnswer::Other;
    error = platform().findFirstFile(folder.substr(0, folder.find_last_not_of('\\') + 1) + "\\*");
    if (error == kErrorSuccess || error == static_cast<std::uint32_t>(kErrorFileNotFound) ||
        error == kWin32NoMoreFiles)
        return FolderAnswer::Folder;
    const bool unknown =
        error == kWin32BadNetPath || error == kWin32BadNetName || error == kWin32PathNotFound;
    return toWrite && !unknown ? FolderAnswer::Folder : FolderAnswer::UnknownShare;
}

// The refusal of a folder that is missing or a file; empty for a folder.
std::string folderProblem(const char* what, const std::string& folder, bool toWrite) {
    std::uint32_t error = 0;
    const FolderAnswer answer = folderAnswer(folder, toWrite, error);
    if (answer == FolderAnswer::Folder)
        return {};
    const std::string named = std::string(what) + " '" + folder;
    if (answer == FolderAnswer::UnknownShare)
        return named + "' cannot be reached: " + errorText(error);
    return named + (platform().pathExists(folder) ? "' is not a folder" : "' does not exist");
}

// --summary: the folder must exist; the verdicts in the files do not change the exit code.
ConsoleRun summarise(const ConsoleOptions& options) {
    // ERROR_NOT_ENOUGH_MEMORY's words: a fleet large enough, or files hostile enough, can use up
    // the memory of a small PC, and the run must still say why it failed.
    constexpr std::uint32_t kNotEnoughMemory = 8;
    prepareOutOfMemoryLine("cannot summarise the result folder '" + options.summaryFolder +
                           "': " + errorText(kNotEnoughMemory));
    std::string problem = folderProblem("result folder", options.summaryFolder, false);
    ConsoleRun run;
    if (problem.empty())
        run.standardOutput = writeFleetStatus(options.summaryFolder, options.maxAgeDays,
                                              options.expectFile, problem);
    if (!problem.empty())
        return failedRun(problem);
    run.exitCode = kExitSatisfied;
    return run;
}

ConsoleRun assess(const ConsoleOptions& options, const std::string& computer) {
    ReportDestination destination;
    destination.write = options.writeReports;
    destination.folder = options.reportFolder;
    // The dialog's order, so the reports are written in the same order.
    const PlinthSetupProduct plinthSetup(destination);
    const WardlineProduct wardline(destination);
    const WardlineLanProduct wardlineLan(destination);
    const std::vector<const ProductAssessment*> products = {&plinthSetup, &wardline, &wardlineLan};
    const ProductAssessment* unwritten = options.writeReports ? missingReport(products) : nullptr;
    if (unwritten) {
        removeReports(products);
        return failedRun("cannot write the report '" +
                         pathIn(options.reportFolder, unwritten->reportFileName()) +
                         "': " + errorText(unwritten->reportError()));
    }
    const std::string json =
        jsonSummary(products, computer, isoCheckTime(resultFolders().localTime()));
    const std::string resultProblem =
        options.writeResult
            ? writeResultFile(options.resultFolder, resultFileName(computer), windowsLineEnds(json))
            : std::string();
    if (!resultProblem.empty()) {
        removeReports(products);
        return failedRun(resultProblem);
    }
    ConsoleRun run;
    run.exitCode = exitCodeFor(products);
    run.standardOutput = options.json ? json : textSummary(products);
    run.outputIsUtf8 = options.json;
    return run;
}

} // namespace

int exitCodeFor(const std::vector<const ProductAssessment*>& products) {
    int code = kExitSatisfied;
    for (const ProductAssessment* product : products) {
        const std::int32_t verdict = summaryVerdict(*product);
        if (verdict == NotSatisfied)
            return kExitNotSatisfied;
        if (verdict == BelowRecommended)
            code = kExitBelowRecommended;
    }
    return code;
}

ConsoleRun runConsoleCheck(const std::vector<std::string>& arguments) {
    // Unattended: no system box may wait for a click (a floppy or an empty CD-ROM drive on
    // PATH, a library that cannot be found), so the calls fail instead, before any probe runs.
    // Added to the mode the process inherited: a runner's SEM_NOGPFAULTERRORBOX stays.
    addQuietErrorMode();
    const ConsoleOptions options = parseConsoleOptions(arguments);
    if (!options.error.empty())
        return refusal(options.error);
    if (options.help) {
        ConsoleRun run;
        run.exitCode = kExitSatisfied;
        run.standardOutput = helpText(programTitle());
        return run;
    }
    if (options.summarise)
        return summarise(options);
    std::string problem;
    if (options.writeReports)
        problem = folderProblem("report folder", options.reportFolder, true);
    if (options.writeResult && problem.empty())
        problem = folderProblem("result folder", options.resultFolder, true);
    const std::string computer = platform().computerName();
    if (options.writeResult && problem.empty() && computer.empty())
        problem = "cannot read this computer's name";
    if (!problem.empty())
        return failedRun(problem);
    buildRequirementLists();
    const ConsoleRun run = assess(options, computer);
    releaseRequirementLists();
    return run;
}

} // namespace prereq
