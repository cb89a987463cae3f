// The console program against simulated PCs: options, exit codes, the reports it writes (or
// refuses to leave half written), and its two summaries, JSON escaping included.
#include "app/ConsoleCheck.h"

#include "checks/RequirementSet.h"
#include "platform/Platform.h"
#include "platform/SimulatedPc.h"
#include "report/JsonSummary.h"
#include "report/TextSummary.h"
#include "resources/Version.h"

#include <gtest/gtest.h>

namespace prereq {
namespace {

const std::string kOut = "D:\\Out";

// The NT 4.0 preset with D:\Out, varied: "100mb" of memory, "no-cdrom", both, and no CD-ROM drive
// with a report that cannot be created ("locked") or a disk that fills up ("full").
SimulatedPc consolePc(const std::string& variant) {
    SimulatedPc pc = SimulatedPc::windowsNt4();
    pc.addFolder(kOut);
    if (variant == "100mb" || variant == "100mb-no-cdrom")
        pc.setMemoryBytes(100u << 20);
    if (variant == "no-cdrom" || variant == "100mb-no-cdrom" || variant == "locked" ||
        variant == "full")
        pc.drives.erase('D');
    if (variant == "locked")
        pc.lockedFiles.insert(kOut + "\\WardlineLANStatus.htm");
    if (variant == "full")
        pc.diskBytesLeft = 100;
    return pc;
}

TEST(ConsoleCheck, AnswersEachCommandLineWithItsExitCodeOutputAndReports) {
    const auto refused = [](const std::string& problem) {
        return "PrereqCheck: " + problem +
               "; usage: PrereqCheck [--json] [--reports FOLDER] [--help]\n";
    };
    const std::string cannotWrite = refused("cannot write the reports into 'D:\\Out'");
    const struct {
        std::vector<std::string> arguments;
        const char* pc;
        int exitCode;
        std::string output; // a part of standard output
        std::string error;  // all of standard error
        std::size_t reports;
    } cases[] = {
        {{}, "", 0, "Plinth-Setup: satisfied\n", "", 0},
        {{"--json"}, "100mb", 1, "\"verdict\": \"below-recommended\"", "", 0},
        {{}, "no-cdrom", 2, "Wardline LAN: not satisfied\n", "", 0},
        // Below its recommended memory, and without a drive it needs: not satisfied all the same.
        {{}, "100mb-no-cdrom", 2, "Plinth-Setup: not satisfied\n", "", 0},
        {{"--reports", kOut}, "no-cdrom", 2, "  Report: D:\\Out\\WardlineStatus.htm\n", "", 3},
        {{"--reports", kOut + "\\"}, "100mb", 1, "Report: D:\\Out\\PlinthSetupStatus.htm", "", 1},
        {{"--help"}, "", 0, "usage: PrereqCheck [--json] [--reports FOLDER] [--help]\n", "", 0},
        {{"--json", "--verbose"}, "", 3, "", refused("unknown option '--verbose'"), 0},
        {{"report"}, "", 3, "", refused("unknown option 'report'"), 0},
        {{"--reports"}, "", 3, "", refused("--reports needs a folder"), 0},
        {{"--reports", kOut, "--reports", kOut}, "", 3, "", refused("--reports given twice"), 0},
        {{"--reports", "X:"}, "", 3, "", refused("report folder 'X:' does not exist"), 0},
        // The third report cannot be created, or the disk fills up in the first: no report stays.
        {{"--reports", kOut}, "locked", 3, "", cannotWrite, 0},
        {{"--reports", kOut}, "full", 3, "", cannotWrite, 0},
    };
    for (const auto& c : cases) {
        const std::string name = ::testing::PrintToString(c.arguments) + " " + c.pc;
        SimulatedPc pc = consolePc(c.pc);
        SimulatedPc dialogPc = pc; // the same PC in the same state, for the dialog program
        const ConsoleRun run = [&] {
            ScopedPlatform use(pc);
            return runConsoleCheck(c.arguments);
        }();
        EXPECT_EQ(run.exitCode, c.exitCode) << name;
        EXPECT_NE(run.standardOutput.find(c.output), std::string::npos) << name;
        EXPECT_EQ(run.standardError, c.error) << name;
        EXPECT_EQ(c.exitCode == 3, run.standardOutput.empty()) << name;
        EXPECT_EQ(pc.files.size(), c.reports) << name;
        // Each report is the one the dialog program writes into its current directory.
        ScopedPlatform use(dialogPc);
        buildRequirementLists();
        {
            const PlinthSetupProduct plinthSetup;
            const WardlineProduct wardline;
            const WardlineLanProduct wardlineLan;
        }
        releaseRequirementLists();
        for (const auto& file : pc.files)
            EXPECT_EQ(file.second,
                      dialogPc.files["C:\\Reports\\" + file.first.substr(kOut.size() + 1)])
                << file.first;
    }
}

TEST(ConsoleCheck, JsonStringsHoldAnyBytesAsValidUtf8WithoutRawControlCharacters) {
    const struct {
        std::string text;
        std::string json;
    } cases[] = {
        {"Service Pack 6", "\"Service Pack 6\""},
        {"say \"hi\" C:\\", "\"say \\\"hi\\\" C:\\\\\""},
        {std::string("\0\t\n\x1f\x7f", 5), "\"\\u0000\\u0009\\u000a\\u001f\\u007f\""},
        // Windows-1252: the euro sign, the undefined 0x81 and 0x9D as C1 controls, Latin-1.
        {"\x80\x81\x9d\x9f\xa0\xe9\xff",
         "\"\xe2\x82\xac\\u0081\\u009d\xc5\xb8\xc2\xa0\xc3\xa9\xc3\xbf\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(jsonString(c.text), c.json) << c.text;
}

TEST(ConsoleCheck, SummariesShowWhatTheReportShows) {
    const auto entry = [](const char* minimum, std::int32_t status, const char* pcLevel) {
        PrerequisiteResult result;
        result.setMinimumPrerequisite(minimum);
        result.setStatus(status);
        result.setPcLevel(pcLevel);
        result.setShownInReport(1);
        return result;
    };
    SimulatedPc pc;
    ScopedPlatform use(pc);
    std::vector<PrerequisiteResult> entries = {
        entry("96 MB RAM", BelowRecommended, "100 MB RAM"),
        entry("Remote Access Service (RAS)", NotSatisfied, "RAS not\ninstalled"),
        entry("hidden", 0, "")};
    entries[0].formatRecommendedLevel(128, 4);
    entries[1].setMoreInfoPage("ras.html");
    entries[2].setShownInReport(0);
    const ProductAssessment product(entries.data(), "Wardline", 3, "WardlineStatus.htm",
                                    ReportDestination{false, ""});
    EXPECT_TRUE(pc.files.empty());
    const std::string table =
        "Wardline: not satisfied\n"
        "  Status             Prerequisite                 Your PC's level\n"
        "  below recommended  96 MB RAM                    100 MB RAM\n"
        "                     recommended level: 128 MB RAM\n"
        "  not satisfied      Remote Access Service (RAS)  RAS not?installed\n"
        "                     more info: ras.html\n";
    EXPECT_EQ(textSummary({&product, &product}), table + "\n" + table);
    EXPECT_EQ(jsonSummary({&product}),
              "{\n  \"version\": \"" PREREQ_VERSION_TEXT "\",\n  \"products\": [\n    {\n"
              "      \"name\": \"Wardline\",\n      \"verdict\": \"not-satisfied\",\n"
              "      \"reportFile\": \"WardlineStatus.htm\",\n      \"prerequisites\": [\n"
              "        {\"minimumPrerequisite\": \"96 MB RAM\", \"status\": \"below-recommended\", "
              "\"pcLevel\": \"100 MB RAM\", \"recommendedLevel\": \"128 MB RAM\", "
              "\"moreInfoPage\": \"\"},\n"
              "        {\"minimumPrerequisite\": \"Remote Access Service (RAS)\", \"status\": "
              "\"not-satisfied\", \"pcLevel\": \"RAS not\\u000ainstalled\", \"recommendedLevel\": "
              "\"\", \"moreInfoPage\": \"ras.html\"}\n      ]\n    }\n  ]\n}\n");
}

} // namespace
} // namespace prereq
