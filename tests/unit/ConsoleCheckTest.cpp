// The console program against simulated PCs: options, exit codes, the reports it writes (or
// refuses to leave half written), and its two summaries, JSON escaping included.
#include "app/ConsoleCheck.h"
#include "app/ResultFile.h"
#include "app/StandardStreams.h"

#include "checks/RequirementSet.h"
#include "platform/Platform.h"
#include "platform/simulated/SimulatedPc.h"
#include "report/JsonSummary.h"
#include "report/TextSummary.h"
#include "resources/Version.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

namespace prereq {
namespace {

const std::string kOut = "D:\\Out";
const std::string kShare = "\\\\server\\results";
const std::string kOld = "from before";
const std::string kOtherRun = "another run's temporary file";

// The NT 4.0 preset (the Windows 95 one for "95-...") with D:\Out, varied: "100mb" of memory,
// "no-cdrom", both, and no CD-ROM drive with a report that cannot be created ("locked"), a disk
// that fills up ("full"), a result file that cannot take its name ("result-locked") or an empty
// share \\server\results ("share"); a result from before ("old-result"), held open by a reader
// ("held") or for the first half second only ("held-briefly"), another run's temporary file
// under the very name this run tries first ("clash"), this run's own held open by a virus
// scanner ("95-old-result-scanned"; "old-result-scanned-deleted" where the replace deletes the
// old result first), a plain file D:\Out\a.txt ("file"), a computer without a name
// ("nameless"), a fleet page that cannot be created ("page-locked"); the share as a drop box
// ("dropbox"), D:\Out on a server without a replacing rename ("older-server"), on one that takes
// 8.3 names only ("short-names"), behind a redirector that reports a full disk at the flush or
// the close ("flush-full", "close-full"); SEM_NOGPFAULTERRORBOX inherited ("gp-box-off").
SimulatedPc consolePc(const std::string& variant) {
    SimulatedPc pc =
        variant.compare(0, 3, "95-") == 0 ? SimulatedPc::windows95() : SimulatedPc::windowsNt4();
    pc.addFolder(kOut);
    if (variant == "file")
        pc.addExistingPath(kOut + "\\a.txt");
    if (variant.find("old-result") != std::string::npos ||
        variant.find("held") != std::string::npos || variant.find("-full") != std::string::npos ||
        variant.find("older-server") != std::string::npos)
        pc.files[kOut + "\\PC-1.json"] = kOld;
    if (variant.find("held") != std::string::npos)
        pc.heldFiles[kOut + "\\PC-1.json"] = variant == "held-briefly" ? 500 : ~0ull;
    if (variant == "old-result-scanned-deleted")
        pc.replaceDeletesFirst.insert(kOut);
    if (variant == "clash" || variant.find("old-result-scanned") != std::string::npos) {
        SimulatedPc twin = pc; // the same run up to its result tells its temporary file's name
        {
            ScopedPlatform use(twin);
            runConsoleCheck({"--json-to", kOut});
        }
        const auto tick = twin.tickCountStart + twin.clockNanoseconds / 1000000u;
        char name[64];
        std::snprintf(name, sizeof name, "\\PC-1.json.%x-%llx.tmp", pc.processIdValue,
                      static_cast<unsigned long long>(tick));
        if (variant == "clash")
            pc.files[kOut + name] = kOtherRun;
        else
            pc.heldFiles[kOut + name] = ~0ull; // a scanner opens it as soon as it appears
    }
    if (variant == "share" || variant.find("dropbox") != std::string::npos)
        pc.addFolder(kShare);
    if (variant.find("dropbox") != std::string::npos)
        pc.dropBoxes.insert(kShare);
    if (variant.find("older-server") != std::string::npos)
        pc.noReplacingRename.insert(kOut);
    if (variant == "short-names")
        pc.shortNamesOnly.insert(kOut);
    if (variant == "flush-full" || variant == "close-full")
        pc.writeBehind = SimulatedPc::WriteBehind{10, variant == "close-full"};
    if (variant == "gp-box-off")
        pc.errorMode = 0x0002; // SEM_NOGPFAULTERRORBOX, inherited from a login-script runner
    if (variant == "result-locked")
        pc.lockedFiles.insert(kOut + "\\PC-1.json");
    if (variant == "nameless")
        pc.computerNameText.clear();
    if (variant == "100mb" || variant == "100mb-no-cdrom")
        pc.setMemoryBytes(100u << 20);
    if (variant == "no-cdrom" || variant == "100mb-no-cdrom" || variant == "locked" ||
        variant == "full" || variant == "result-locked" || variant == "share" ||
        variant.find("dropbox") != std::string::npos)
        pc.drives.erase('D');
    if (variant == "locked")
        pc.lockedFiles.insert(kOut + "\\WardlineLANStatus.htm");
    if (variant == "full")
        pc.diskBytesLeft = 100;
    if (variant == "page-locked")
        pc.lockedFiles.insert(kOut + "\\FleetStatus.htm");
    return pc;
}

TEST(ConsoleCheck, AnswersEachCommandLineWithItsExitCodeOutputAndReports) {
    const auto refused = [](const std::string& problem) {
        return "PrereqCheck: " + problem +
               "; usage: PrereqCheck [--json] [--json-to FOLDER] [--reports FOLDER] "
               "[--summary FOLDER [--max-age DAYS] [--expect FILE]] [--help]\n";
    };
    // A failure of the PC's, not of the command line: no usage line.
    const auto failed = [](const std::string& problem) { return "PrereqCheck: " + problem + "\n"; };
    const std::string temporary = "'D:\\Out\\PC-1.json.5c-36eee4.tmp'"; // this run's own
    const std::string inUse =
        "The process cannot access the file because it is being used by another process";
    const std::string full =
        "cannot write the result " + temporary + ": There is not enough space on the disk";
    const std::string held = failed("cannot write the result 'D:\\Out\\PC-1.json': " + inUse);
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
        {{"--help"}, "", 0, "usage: PrereqCheck [--json] [--json-to FOLDER] [--reports", "", 0},
        {{"--json", "--verbose"}, "", 3, "", refused("unknown option '--verbose'"), 0},
        {{"report"}, "", 3, "", refused("unknown option 'report'"), 0},
        {{"--reports"}, "", 3, "", refused("--reports needs a folder"), 0},
        {{"--reports", kOut, "--reports", kOut}, "", 3, "", refused("--reports given twice"), 0},
        {{"--reports", "--json"}, "", 3, "", refused("--reports needs a folder, not '--json'"), 0},
        {{"--json-to", "/?"}, "", 3, "", refused("--json-to needs a folder, not '/?'"), 0},
        {{"--reports", kOut + "\\a.txt"},
         "file",
         3,
         "",
         failed("report folder 'D:\\Out\\a.txt' is not a folder"),
         0},
        {{"--json-to", "X:"}, "", 3, "", failed("result folder 'X:' does not exist"), 0},
        {{"--json-to", kOut}, "nameless", 3, "", failed("cannot read this computer's name"), 0},
        // The result replaces one from before, under the computer's name; stdout gets the same.
        {{"--json", "--json-to", kOut}, "", 0, "\"computer\": \"PC-1\",\n", "", 1},
        {{"--json", "--json-to", kOut}, "old-result", 0, "\"verdict\": \"satisfied\"", "", 1},
        {{"--json", "--json-to", kOut}, "95-old-result", 0, "\"computer\"", "", 1},
        // Another run's temporary file stays as it was.
        {{"--json-to", kOut}, "clash", 0, "Plinth-Setup: satisfied\n", "", 2},
        // A reader holds the result: tried again for a while, then refused; it stays as it was.
        {{"--json-to", kOut}, "held-briefly", 0, "Plinth-Setup: satisfied\n", "", 1},
        {{"--json-to", kOut},
         "held",
         3,
         "",
         failed("cannot write the result 'D:\\Out\\PC-1.json': Access is denied"),
         1},
        {{"--json-to", kOut}, "95-held", 3, "", held, 1},
        // Set aside, then put back: the new result cannot take its name. Nor can it be removed.
        {{"--json-to", kOut},
         "95-old-result-scanned",
         3,
         "",
         held.substr(0, held.size() - 1) + "; " + temporary + " is left: " + inUse + "\n",
         2},
        // A share's root fails GetFileAttributesA, but is listed as a folder.
        {{"--json-to", kShare}, "share", 2, "Wardline LAN: not satisfied\n", "", 1},
        {{"--reports", kShare + "\\", "--json-to", kShare + "\\"}, "share", 2, "", "", 4},
        {{"--json-to", "\\\\server\\missing\\"},
         "share",
         3,
         "",
         failed("result folder '\\\\server\\missing\\' cannot be reached: The network path was not "
                "found"),
         0},
        // A drop box lists nothing to its writers, and takes their results all the same.
        {{"--json-to", kShare}, "dropbox", 2, "Wardline LAN: not satisfied\n", "", 1},
        {{"--json-to", kShare + "\\"}, "95-dropbox", 2, "Wardline LAN: not satisfied\n", "", 1},
        // No replacing rename on the server: set aside and replaced, nothing left over.
        {{"--json", "--json-to", kOut}, "older-server", 0, "\"computer\"", "", 1},
        {{"--json", "--json-to", kOut}, "95-older-server", 0, "\"computer\"", "", 1},
        {{}, "gp-box-off", 0, "Plinth-Setup: satisfied\n", "", 0},
        // The server reports a full disk only at the flush or the close: the old result stays.
        // The redirector deleted the old result, and a scanner holds the new one: it is kept.
        {{"--json-to", kOut},
         "old-result-scanned-deleted",
         3,
         "",
         failed("cannot write the result 'D:\\Out\\PC-1.json': " + inUse +
                "; the new result is kept as " + temporary),
         1},
        {{"--json-to", kOut}, "flush-full", 3, "", failed(full), 1},
        {{"--json-to", kOut}, "close-full", 3, "", failed(full), 1},
        {{"--json-to", kOut},
         "short-names",
         3,
         "",
         failed("cannot write the result " + temporary +
                ": The filename, directory name, or volume label syntax is incorrect (the server "
                "may not take long file names)"),
         0},
        // No result file, so no reports either.
        {{"--reports", kOut, "--json-to", kOut},
         "result-locked",
         3,
         "",
         failed("cannot write the result 'D:\\Out\\PC-1.json': Access is denied"),
         0},
        {{"--reports", "X:"}, "", 3, "", failed("report folder 'X:' does not exist"), 0},
        // The third report cannot be created, or the disk fills up in the first: no report stays.
        {{"--reports", kOut},
         "locked",
         3,
         "",
         failed("cannot write the report 'D:\\Out\\WardlineLANStatus.htm': Access is denied"),
         0},
        {{"--reports", kOut},
         "full",
         3,
         "",
         failed("cannot write the report 'D:\\Out\\PlinthSetupStatus.htm': There is not enough "
                "space on the disk"),
         0},
        {{"--summary", kOut, "--json"},
         "",
         3,
         "",
         refused("--summary cannot be combined with --json, --json-to or --reports"),
         0},
        {{"--max-age", "3"}, "", 3, "", refused("--max-age belongs to --summary"), 0},
        {{"--summary", kOut, "--max-age", "1w"},
         "",
         3,
         "",
         refused("--max-age needs a number of days from 0 to 9999"),
         0},
        {{"--summary", "X:"}, "", 3, "", failed("result folder 'X:' does not exist"), 0},
        {{"--summary", kOut},
         "page-locked",
         3,
         "",
         failed("cannot write the page 'D:\\Out\\FleetStatus.htm': Access is denied"),
         0},
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
        // A refused run leaves a result from before under its name, as it was.
        if (c.exitCode == 3 && dialogPc.files.count(kOut + "\\PC-1.json") &&
            run.standardError.find("kept as") == std::string::npos) {
            EXPECT_EQ(pc.files[kOut + "\\PC-1.json"], kOld) << name;
        }
        // Every drive and library probe ran with the system's boxes off; the dialog's products
        // measured below without the program's start-up show that the record sees them.
        EXPECT_EQ(pc.probesWithBoxesOn, std::vector<std::string>()) << name;
        // The quiet error mode is added to the one the program inherited.
        EXPECT_EQ(pc.errorMode, dialogPc.errorMode | kQuietErrorMode) << name;
        // Each report is the one the dialog program writes into its current directory.
        ScopedPlatform use(dialogPc);
        buildRequirementLists();
        {
            const PlinthSetupProduct plinthSetup;
            const WardlineProduct wardline;
            const WardlineLanProduct wardlineLan;
        }
        releaseRequirementLists();
        EXPECT_NE(dialogPc.probesWithBoxesOn, std::vector<std::string>()) << name;
        for (const auto& file : pc.files) {
            const std::string fileName = file.first.substr(file.first.find_last_of('\\') + 1);
            if (file.second == kOtherRun || file.second == kOld || pc.heldFiles.count(file.first))
                continue; // as the test left it, or held open by the test
            if (fileName == "PC-1.json" && run.outputIsUtf8)
                EXPECT_EQ(file.second, windowsLineEnds(run.standardOutput)) << name;
            else if (fileName == "PC-1.json")
                EXPECT_EQ(file.second.find("{\r\n  \"version\": "), 0u) << name;
            else
                EXPECT_EQ(file.second, dialogPc.files["C:\\Reports\\" + fileName]) << file.first;
        }
    }
}

TEST(ConsoleCheck, JsonStringsHoldAnyBytesAsValidUtf8WithoutRawControlCharacters) {
    const struct {
        std::string text;
        std::string json;
        std::uint32_t codePage = 1252;
    } cases[] = {
        {"Service Pack 6", "\"Service Pack 6\""},
        {"say \"hi\" C:\\", "\"say \\\"hi\\\" C:\\\\\""},
        {std::string("\0\t\n\x1f\x7f", 5), "\"\\u0000\\u0009\\u000a\\u001f\\u007f\""},
        // Windows-1252: the euro sign, the undefined 0x81 and 0x9D as C1 controls, Latin-1.
        {"\x80\x81\x9d\x9f\xa0\xe9\xff",
         "\"\xe2\x82\xac\\u0081\\u009d\xc5\xb8\xc2\xa0\xc3\xa9\xc3\xbf\""},
        // The PC's own code page: Cyrillic 1251, its undefined 0x98 a C1 control; a code page the
        // PC cannot convert with falls back on Windows-1252.
        {"\xcf\xca-\xa8\xff\x98", "\"\xd0\x9f\xd0\x9a-\xd0\x81\xd1\x8f\\u0098\"", 1251},
        {"\xe9", "\"\xc3\xa9\"", 932},
    };
    for (const auto& c : cases) {
        SimulatedPc pc;
        pc.ansiCodePage = c.codePage;
        ScopedPlatform use(pc);
        EXPECT_EQ(jsonString(c.text), c.json) << c.text;
    }
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
    EXPECT_EQ(jsonSummary({&product}, "PC-1", "2026-12-09T14:05:30-03:30"),
              "{\n  \"version\": \"" PREREQ_FULL_VERSION_TEXT "\",\n  \"computer\": \"PC-1\",\n"
              "  \"checkedAt\": \"2026-12-09T14:05:30-03:30\",\n"
              "  \"windows\": \"Windows 0.0 build 0\",\n  \"servicePack\": \"\",\n"
              "  \"products\": [\n    {\n"
              "      \"name\": \"Wardline\",\n      \"verdict\": \"not-satisfied\",\n"
              "      \"reportFile\": \"WardlineStatus.htm\",\n      \"prerequisites\": [\n"
              "        {\"minimumPrerequisite\": \"96 MB RAM\", \"status\": \"below-recommended\", "
              "\"pcLevel\": \"100 MB RAM\", \"recommendedLevel\": \"128 MB RAM\", "
              "\"moreInfoPage\": \"\"},\n"
              "        {\"minimumPrerequisite\": \"Remote Access Service (RAS)\", \"status\": "
              "\"not-satisfied\", \"pcLevel\": \"RAS not\\u000ainstalled\", \"recommendedLevel\": "
              "\"\", \"moreInfoPage\": \"ras.html\"}\n      ]\n    }\n  ]\n}\n");
}

TEST(ConsoleCheck, ResultFilesAreNamedAfterTheComputerWithEveryAwkwardByteSpelledOut) {
    const struct {
        std::string computer;
        std::string file;
    } cases[] = {
        {"PC-17", "PC-17.json"},
        // The characters a Windows 95 name may hold beside letters and digits, a blank and a
        // Windows-1252 letter; '_' too, so that "A.B" and "A_2EB" get files of their own.
        {"!@#$%^&()_'{}.~", "_21_40_23_24_25_5E_26_28_29_5F_27_7B_7D_2E_7E.json"},
        {"A.B", "A_2EB.json"},
        {"A_2EB", "A_5F2EB.json"},
        {"K\xdc"
         "CHE 2",
         "K_DCCHE_202.json"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(resultFileName(c.computer), c.file) << c.computer;
}

TEST(ConsoleCheck, AConsoleGetsItsOemCodePageAndAFileOrPipeTheBytesAsTheyAre) {
    const struct {
        bool console;
        bool utf8;
        std::string text;
        std::string written;
    } cases[] = {
        {false, false, "K\xfc\x96\xe9\n", "K\xfc\x96\xe9\r\n"},
        {true, false, "K\xfc\x96\xe9\n", "K\x81-\x82\r\n"},
        {true, true, "\"K\xc3\xbc\"\n", "\"K\xc3\xbc\"\r\n"},
    };
    for (const auto& c : cases) {
        SimulatedPc pc;
        pc.outputStream.console = pc.errorStream.console = c.console;
        pc.errorStream.present = false;
        ScopedPlatform use(pc);
        writeStandardStream(kStdOutputHandle, c.text, c.utf8);
        writeStandardStream(kStdErrorHandle, c.text, c.utf8);
        EXPECT_EQ(pc.outputStream.written, c.written) << c.text;
    }
}

TEST(ConsoleCheck, TableLinesStayWithin79ColumnsAndKeepEveryCharacter) {
    const std::string servicePack = "Service Pack 6a " + std::string(111, 'x'); // 127 characters
    const std::string folder = "D:\\" + std::string(40, 'r') + "\\" + std::string(180, 'f');
    const struct {
        std::string pcLevel;
        std::string folder;
    } cases[] = {
        {servicePack, ""},
        {std::string(127, 'w'), ""},
        {"Service Pack 6", folder},
    };
    for (const auto& c : cases) {
        SimulatedPc pc;
        pc.addFolder(c.folder);
        ScopedPlatform use(pc);
        PrerequisiteResult entry;
        entry.setMinimumPrerequisite("NT Service Pack 3 or greater");
        entry.setStatus(NotSatisfied);
        entry.setPcLevel(c.pcLevel);
        entry.setShownInReport(1);
        const ProductAssessment product(&entry, "Wardline", 1, "WardlineStatus.htm",
                                        ReportDestination{!c.folder.empty(), c.folder});
        const std::string table = textSummary({&product});
        std::string squeezed;
        for (std::size_t start = 0, end; start < table.size(); start = end + 1) {
            end = table.find('\n', start);
            EXPECT_LE(end - start, 79u) << table;
            squeezed += table.substr(start, end - start);
        }
        squeezed.erase(std::remove(squeezed.begin(), squeezed.end(), ' '), squeezed.end());
        for (std::string whole : {c.pcLevel, c.folder}) {
            whole.erase(std::remove(whole.begin(), whole.end(), ' '), whole.end());
            EXPECT_NE(squeezed.find(whole), std::string::npos) << table;
        }
    }
}

} // namespace
} // namespace prereq
