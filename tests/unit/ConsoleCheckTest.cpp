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

#include <functional>

namespace prereq {
namespace {

const std::string kOut = "D:\\Out";

TEST(ConsoleCheck, AnswersEachCommandLineWithItsExitCodeOutputAndFiles) {
    const auto lowMemory = [](SimulatedPc& pc) { pc.setMemoryBytes(100u << 20); };
    const auto noCdRom = [](SimulatedPc& pc) { pc.drives.erase('D'); };
    const struct {
        std::vector<std::string> arguments;
        std::function<void(SimulatedPc&)> arrange;
        int exitCode;
        std::string output;             // a part of standard output
        std::string error;              // a part of standard error
        std::vector<std::string> files; // every file there is afterwards
    } cases[] = {
        {{}, nullptr, 0, "Plinth-Setup: satisfied\n", "", {}},
        {{"--json"}, lowMemory, 1, "\"verdict\": \"below-recommended\"", "", {}},
        {{}, noCdRom, 2, "Wardline LAN: not satisfied\n", "", {}},
        {{"--reports", kOut},
         noCdRom,
         2,
         "  Report: D:\\Out\\WardlineStatus.htm\n",
         "",
         {"D:\\Out\\PlinthSetupStatus.htm", "D:\\Out\\WardlineLANStatus.htm",
          "D:\\Out\\WardlineStatus.htm"}},
        {{"--reports", kOut + "\\"},
         [](SimulatedPc& pc) {
             pc.setMemoryBytes(100u << 20);
             pc.addExistingPath(kOut + "\\");
         },
         1,
         "",
         "",
         {"D:\\Out\\PlinthSetupStatus.htm"}},
        {{"--help"},
         nullptr,
         0,
         "usage: PrereqCheck [--json] [--reports FOLDER] [--help]\n",
         "",
         {}},
        {{"--json", "--verbose"},
         nullptr,
         3,
         "",
         "PrereqCheck: unknown option '--verbose'; usage:",
         {}},
        {{"report"}, nullptr, 3, "", "unknown option 'report'", {}},
        {{"--reports"}, nullptr, 3, "", "--reports needs a folder", {}},
        {{"--reports", kOut, "--reports", kOut}, nullptr, 3, "", "--reports given twice", {}},
        {{"--reports", "D:\\Missing"},
         noCdRom,
         3,
         "",
         "report folder 'D:\\Missing' does not exist; usage:",
         {}},
        // The third report cannot be created: the two written before it are removed again.
        {{"--reports", kOut},
         [](SimulatedPc& pc) {
             pc.drives.erase('D');
             pc.lockedFiles.insert("D:\\Out\\WardlineLANStatus.htm");
         },
         3,
         "",
         "cannot write the reports into 'D:\\Out'; usage:",
         {}},
        // A full disk in the middle of the first report.
        {{"--reports", kOut},
         [](SimulatedPc& pc) {
             pc.drives.erase('D');
             pc.diskBytesLeft = 100;
         },
         3,
         "",
         "cannot write the reports into 'D:\\Out'",
         {}},
    };
    for (const auto& c : cases) {
        const std::string name = ::testing::PrintToString(c.arguments);
        SimulatedPc pc = SimulatedPc::windowsNt4();
        pc.addExistingPath(kOut);
        if (c.arrange)
            c.arrange(pc);
        SimulatedPc dialogPc = pc; // the same PC in the same state, for the dialog program
        const ConsoleRun run = [&] {
            ScopedPlatform use(pc);
            return runConsoleCheck(c.arguments);
        }();
        EXPECT_EQ(run.exitCode, c.exitCode) << name;
        EXPECT_NE(run.standardOutput.find(c.output), std::string::npos) << name;
        EXPECT_NE(run.standardError.find(c.error), std::string::npos) << name;
        EXPECT_EQ(c.error.empty(), run.standardError.empty()) << name;
        EXPECT_EQ(c.exitCode == 3, run.standardOutput.empty()) << name;
        std::vector<std::string> files;
        for (const auto& file : pc.files)
            files.push_back(file.first);
        EXPECT_EQ(files, c.files) << name;
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
    std::vector<PrerequisiteResult> entries(3);
    entries[0].setMinimumPrerequisite("96 MB RAM");
    entries[0].setStatus(BelowRecommended);
    entries[0].formatRecommendedLevel(128, 4);
    entries[0].setPcLevel("100 MB RAM");
    entries[0].setShownInReport(1);
    entries[1].setMinimumPrerequisite("Remote Access Service (RAS)");
    entries[1].setPcLevel("RAS not\ninstalled");
    entries[1].setMoreInfoPage("ras.html");
    entries[1].setShownInReport(1);
    entries[2].setMinimumPrerequisite("hidden");
    SimulatedPc pc;
    ScopedPlatform use(pc);
    const ProductAssessment product(entries.data(), "Wardline", 3, "WardlineStatus.htm",
                                    ReportDestination{false, ""});
    EXPECT_TRUE(pc.files.empty());
    const std::string table =
        "Wardline: below recommended\n"
        "  Status             Prerequisite                 Your PC's level\n"
        "  below recommended  96 MB RAM                    100 MB RAM\n"
        "                     recommended level: 128 MB RAM\n"
        "  not satisfied      Remote Access Service (RAS)  RAS not?installed\n"
        "                     more info: ras.html\n";
    EXPECT_EQ(textSummary({&product, &product}), table + "\n" + table);
    EXPECT_EQ(jsonSummary({&product}),
              "{\n  \"version\": \"" PREREQ_VERSION_TEXT "\",\n  \"products\": [\n    {\n"
              "      \"name\": \"Wardline\",\n      \"verdict\": \"below-recommended\",\n"
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
