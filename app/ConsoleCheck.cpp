// The console program's run: options, measurement, reports, summary, exit code.
#include "app/ConsoleCheck.h"

#include "app/ConsoleOptions.h"
#include "app/PrereqCheckApp.h"
#include "checks/RequirementSet.h"
#include "platform/Platform.h"
#include "report/JsonSummary.h"
#include "report/SummaryFields.h"
#include "report/TextSummary.h"

#include <algorithm>

namespace prereq {

namespace {

ConsoleRun refusal(const std::string& problem) {
    const std::string program = programTitle();
    ConsoleRun run;
    run.exitCode = kExitUsage;
    run.standardError = program + ": " + problem + "; " + usageLine(program) + "\n";
    return run;
}

// True when every product that is not satisfied got its report; otherwise removes the ones
// that were written.
bool keepReportsWhole(const std::vector<const ProductAssessment*>& products) {
    const bool whole =
        std::all_of(products.begin(), products.end(), [](const ProductAssessment* product) {
            return product->overallStatus() == Satisfied || !product->writtenReport().empty();
        });
    if (!whole)
        for (const ProductAssessment* product : products)
            if (!product->writtenReport().empty())
                platform().deleteFile(product->writtenReport());
    return whole;
}

ConsoleRun assess(const ConsoleOptions& options) {
    ReportDestination destination;
    destination.write = options.writeReports;
    destination.folder = options.reportFolder;
    // The dialog's order, so the reports are written in the same order.
    const PlinthSetupProduct plinthSetup(destination);
    const WardlineProduct wardline(destination);
    const WardlineLanProduct wardlineLan(destination);
    const std::vector<const ProductAssessment*> products = {&plinthSetup, &wardline, &wardlineLan};
    if (options.writeReports && !keepReportsWhole(products))
        return refusal("cannot write the reports into '" + options.reportFolder + "'");
    ConsoleRun run;
    run.exitCode = exitCodeFor(products);
    run.standardOutput = options.json ? jsonSummary(products) : textSummary(products);
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
    const ConsoleOptions options = parseConsoleOptions(arguments);
    if (!options.error.empty())
        return refusal(options.error);
    if (options.help) {
        ConsoleRun run;
        run.exitCode = kExitSatisfied;
        run.standardOutput = helpText(programTitle());
        return run;
    }
    if (options.writeReports && !platform().pathExists(options.reportFolder))
        return refusal("report folder '" + options.reportFolder + "' does not exist");
    buildRequirementLists();
    const ConsoleRun run = assess(options);
    releaseRequirementLists();
    return run;
}

} // namespace prereq
