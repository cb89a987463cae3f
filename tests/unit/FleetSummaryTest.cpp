// The fleet summary against simulated folders of results: results written by the console program
// itself on simulated PCs, and files that are broken, foreign, doubled or hostile; the strict
// reader's refusals; the check times.
#include "app/ConsoleCheck.h"
#include "app/OutOfMemory.h"
#include "app/StandardStreams.h"
#include "fleet/CheckTime.h"
#include "fleet/JsonReader.h"
#include "fleet/ResultFileName.h"
#include "platform/Platform.h"
#include "platform/simulated/SimulatedPc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace prereq {
namespace {

const std::string kOut = "D:\\Out";

// The result the console program writes on an NT 4.0 PC named computer: "no-cdrom" fails the
// drive, "100mb" is below the installer's recommended memory; checked on day of December 2026.
std::string result(const std::string& computer, const std::string& variant, int day = 9) {
    SimulatedPc pc = SimulatedPc::windowsNt4();
    pc.addFolder(kOut);
    pc.computerNameText = computer;
    pc.clock.day = day;
    if (variant == "no-cdrom")
        pc.drives.erase('D');
    if (variant == "100mb")
        pc.setMemoryBytes(100u << 20);
    ScopedPlatform use(pc);
    runConsoleCheck({"--json-to", kOut});
    return pc.files.begin()->second;
}

std::string edited(std::string text, const std::string& from, const std::string& to) {
    return text.replace(text.find(from), from.size(), to);
}

// The cells of CSV text as a spreadsheet reads them, quotes removed.
std::vector<std::string> csvCells(const std::string& csv, char separator) {
    std::vector<std::string> cells(1);
    bool quoted = false;
    for (std::size_t at = 0; at < csv.size(); ++at) {
        if (csv[at] == '"')
            quoted = !quoted;
        else if (!quoted && (csv[at] == separator || csv[at] == '\n'))
            cells.emplace_back();
        else if (quoted || csv[at] != '\r')
            cells.back() += csv[at];
    }
    return cells;
}

// A hundred computers and one hostile file for each way a file could attack the summary.
std::string manyProducts() {
    std::string text = "{\"computer\": \"MANY\", \"version\": \"1\", \"products\": [";
    for (int n = 0; n < 1000; ++n)
        text += "{\"name\": \"P" + std::to_string(n) +
                "\", \"verdict\": \"satisfied\", \"prerequisites\": []},";
    return text.substr(0, text.size() - 1) + "]}";
}

TEST(FleetSummary, SummarisesEveryResultAndListsEachUnusableFileWithItsReason) {
    const std::string satisfied = result("PC-1", ""), failing = result("ACCT-7", "no-cdrom");
    std::string hostile = result("PC-1", "no-cdrom");
    hostile.replace(hostile.find("\"PC-1\""), 6, "\"=<b>caf\\u00e9</b>\"");
    hostile.replace(hostile.find("no CD-ROM drive"), 15, "=1+2, \\\"x\\\"\\u007f");
    // Fullwidth forms that the code page's best fit makes '=', '"' and ','; a right-to-left
    // override that would reverse the text after it.
    std::string bestFit = result("PC-1", "no-cdrom");
    bestFit.replace(bestFit.find("no CD-ROM drive"), 15,
                    "\\uff1dHYPERLINK(\\uff02x\\uff02)\\u202eAB1\\uff0c=2+3");
    // A result that names no product has checked none.
    std::string noProducts = result("LAB", "");
    noProducts.replace(noProducts.find("\"products\""), std::string::npos, "\"products\": []}");
    // A help page anywhere else than beside the program is no link.
    const std::string noHelp = "\"moreInfoPage\": \"\"";
    bestFit.replace(bestFit.find(noHelp, bestFit.find("2+3")), noHelp.size(),
                    "\"moreInfoPage\": \"javascript:x\"");
    bestFit.replace(bestFit.find(noHelp, bestFit.find("no CD-ROM drive")), noHelp.size(),
                    "\"moreInfoPage\": \"ras.html\"");
    const std::string netView =
        "Server Name            Remark\r\n\r\n-----------------------------\r\n"
        "\\\\PC-1                 Front desk\r\n\\\\acct-7\r\n\\\\LAB\r\n"
        "\\\\GONE  ; retired?\r\nThe command completed successfully.\r\n";
    const std::string future =
        edited(result("ACCT-7", ""), "2026-12-09T14:05:30", "9999-12-31T23:59:59");
    const std::string mixed = result("MIX", "", 8);
    const struct {
        const char* name;
        std::map<std::string, std::string> files;
        std::vector<std::string> arguments;
        std::vector<std::string> inPage, inSpreadsheet;
        std::string output;
        int failing = 0;             // that many more computers without a CD-ROM drive
        std::string separator = ","; // the PC's list separator
        std::string error;           // a refused run's standard error
    } cases[] = {
        {"a good folder",
         {{"PC-1.json", satisfied}, {"ACCT-7.json", failing}, {"LAB.json", result("LAB", "100mb")}},
         {},
         {"<tr><td>Plinth-Setup</td><td>1</td><td>1</td><td>1</td><td>0</td><td>3</td></tr>",
          "<p><b>Computers: 3. Ready for every product: 1 (33%). Plinth-Setup: 1 ready (33%).",
          "Computers not satisfied (1)</strong>\n<table BORDER WIDTH=100% ><tr><td>Computer</td>"
          "<td>Plinth-Setup</td><td>Wardline</td><td>Wardline LAN</td><td>Checked</td>",
          "<tr><td><b>ACCT-7</b></td><td><img SRC=\"red_x.gif\" NOSAVE height=16 width=15> not "
          "satisfied</td>",
          "<td>Wardline</td><td>CD-ROM drive</td><td><img SRC=\"red_x.gif\" NOSAVE height=16 "
          "width=15> No</td><td>&nbsp </td><td>no CD-ROM drive</td><td>&nbsp </td></tr>",
          "Computers that satisfy every product (1)</strong>\n<p>PC-1\n"},
         {"Computer,Product,Verdict,Prerequisite,Status,Your PC's level,Recommended level,Checked,"
          "Days since check,Version,Windows,Service pack,File,Note\r\nACCT-7,Plinth-Setup,not "
          "satisfied,CD-ROM drive,"
          "not satisfied,no CD-ROM drive,,2026-12-09T14:05:30+01:00,0,",
          "LAB,Plinth-Setup,below recommended,96 MB RAM,below recommended,101 MB RAM,128 MB RAM,",
          "Time,Plinth-Setup: satisfied,Plinth-Setup: below recommended,",
          ",Windows NT 4.0 build "},
         "Result files read in D:\\Out: 3 (computers: 3, files not used: 0)\nPlinth-Setup: 1 "
         "satisfied, 1 below recommended, 1 not satisfied\n",
         0,
         ",",
         ""},
        {"an empty folder",
         {},
         {},
         {"<p>Result files read: 0 on 2026-12-09T14:05:30+01:00 (computers: 0).",
          "Computers not satisfied (0)</strong>\n<p><p><strong>Computers only below recommended "
          "(0)</strong>\n<p><p><strong>Computers that satisfy every product (0)</strong>\n</body>"},
         {},
         "Result files read in D:\\Out: 0 (computers: 0, files not used: 0)\nWrote "
         "D:\\Out\\FleetStatus.htm, FleetStatus.csv, FleetTally.csv and FleetHistory.csv.\n",
         0,
         ",",
         ""},
        {"broken and foreign files",
         {{"PC-1.json", satisfied},
          {"CUT.json", satisfied.substr(0, 100)},
          {"other.JSON", "{\"name\": \"x\", \"products\": []}"},
          {"list.json", "[[[[[[[[[1]]]]]]]]]"},
          {"latin.json", "{\"computer\": \"caf\xe9\"}"},
          {"big.json", std::string(70000, ' ')},
          {"notes.txt", "not a result"},
          {"con.Json", satisfied}},
         {},
         {"Files that could not be used (6)",
          "<tr><td>big.json</td><td>larger than 65536 bytes</td></tr>\n"
          "<tr><td>con.Json</td><td>named as a device (CON, AUX, COM1 and the like), so it was not "
          "opened</td></tr>\n"
          "<tr><td>CUT.json</td><td>ends early (truncated?) at byte 100</td></tr>\n"
          "<tr><td>latin.json</td><td>not UTF-8 at byte 17</td></tr>\n"
          "<tr><td>list.json</td><td>nested deeper than 8 levels at byte 9</td></tr>\n"
          "<tr><td>other.JSON</td><td>not a PrereqCheck result: no &quot;computer&quot; "
          "text</td></tr>\n"},
         {},
         "Result files read in D:\\Out: 7 (computers: 1, files not used: 6)\n",
         0,
         ",",
         ""},
        // The later of two results of one computer counts; so does the one that has a time.
        {"duplicate names and hostile text",
         {{"PC-1.json", satisfied},
          {"copy.json", result("PC-1", "no-cdrom", 2)},
          {resultFileName("=<b>caf\xe9</b>"), hostile}},
         {"--max-age", "6"},
         {"<tr><td>copy.json</td><td>names another computer than its file name does</td></tr>",
          "<b>=&lt;b&gt;caf&#233;&lt;/b&gt;</b>", "<td>=1+2, &quot;x&quot;&#65533;</td>",
          "taken more than 6 days before", "<p>PC-1\n"},
         {"'=<b>caf\xe9</b>,Plinth-Setup,not satisfied,CD-ROM drive,not satisfied,"
          "\"'=1+2, \"\"x\"\"?\"",
          "\r\nPC-1,Plinth-Setup,satisfied,,"},
         "",
         0,
         ",",
         ""},
        {"an old result",
         {{"OLD.json", result("OLD", "", 1)}},
         {},
         {"<p>OLD (<b>old</b>)\n"},
         {"OLD,Wardline,satisfied,,,,,2026-12-01T14:05:30+01:00,8,"},
         "",
         0,
         ",",
         ""},
        // The list as net view gives it; the history of the day before, its change shown.
        {"expected computers, what must be done and the history",
         {{"PC-1.json", satisfied},
          {"ACCT-7.json", failing},
          {"LAB.json", result("LAB", "100mb")},
          {"STRAY.json", result("STRAY", "no-cdrom")},
          {"expected.txt", netView},
          {"FleetHistory.csv", "Time,Plinth-Setup: satisfied,Plinth-Setup: below recommended,"
                               "Plinth-Setup: not satisfied,Plinth-Setup: not reported,"
                               "Plinth-Setup: old\r\n2026-12-08T14:05:30+01:00,0,1,2,1,0\r\n"}},
         {"--expect", kOut + "\\expected.txt"},
         {"<tr><td>Plinth-Setup</td><td>1</td><td>1</td><td>2</td><td>1</td><td>5</td></tr>",
          "<tr><td>2026-12-09T14:05:30+01:00</td><td>1 (+1), 1 (=), 2 (=), 1 (=)</td>",
          "<tr><td>Plinth-Setup</td><td>CD-ROM drive</td><td>2</td><td>no CD-ROM drive (2)</td>"
          "<td><small>ACCT-7, STRAY</small></td></tr>",
          "<tr><td>Plinth-Setup</td><td>96 MB RAM</td><td>1</td><td>101 MB RAM</td>",
          "Not reported (1)</strong>\n<p>GONE\n", "<b>STRAY (not expected)</b>"},
         {"\r\n2026-12-09T14:05:30+01:00,1,1,2,1,0,", "GONE,,no result,,,,,,,,,,,not reported\r\n",
          "Plinth-Setup,not satisfied,CD-ROM drive,2,no CD-ROM drive (2),ACCT-7 STRAY\r\n",
          "STRAY.json,not expected\r\n"},
         "Computers expected: 4, not reported: 1, results not expected: 1\n",
         0,
         ",",
         ""},
        {"a history that does not read",
         {{"PC-1.json", satisfied}, {"FleetHistory.csv", "Date;x\r\n"}},
         {},
         {"<b>FleetHistory.csv could not be read</b>: it does not begin with the header's "
          "&quot;Time&quot;. It was left as it was"},
         {"Date;x\r\n"},
         "FleetHistory.csv was left as it was and has no line for this summary",
         0,
         ",",
         ""},
        {"a bad line in the list",
         {{"PC-1.json", satisfied}, {"expected.txt", "PC-1\r\n; the lab\r\n\r\nLAB 2\r\n"}},
         {"--expect", kOut + "\\expected.txt"},
         {},
         {},
         "",
         0,
         ",",
         "the list of expected computers 'D:\\Out\\expected.txt', line 4: 'LAB 2' is not a "
         "computer's name"},
        {"a list that cannot be read",
         {},
         {"--expect", kOut + "\\missing.txt"},
         {},
         {},
         "",
         0,
         ",",
         "cannot read the list of expected computers 'D:\\Out\\missing.txt'"},
        // The page and the spreadsheet files are replaced together, or not at all.
        {"a spreadsheet file held open",
         {{"PC-1.json", satisfied},
          {"FleetStatus.htm", "the page before"},
          {"held:FleetTally.csv", "the tally before"}},
         {},
         {"the page before"},
         {"the tally before"},
         "",
         0,
         ",",
         "cannot write the spreadsheet file 'D:\\Out\\FleetTally.csv': "},
        {"text that the code page or the browser would turn into something else",
         {{"PC-1.json", bestFit}},
         {},
         {"<td>&#65309;HYPERLINK(&#65282;x&#65282;)?AB1&#65292;=2+3</td>", "<td>javascript:x</td>",
          "<a href=\"file:///C:/Program%20Files/PrereqCheck/ras.html\">More Info</a>"},
         {",\"'=HYPERLINK(\"\"x\"\")?AB1,=2+3\","},
         "Result files read in D:\\Out: 1 (computers: 1, files not used: 0)\n",
         0,
         ",",
         ""},
        // A clock years ahead is no newer result, and no products are no satisfied ones.
        {"a wrong clock and a result of no products",
         {{"PC-1.json", result("PC-1", "", 20)}, {"LAB.json", noProducts}},
         {},
         {"<p>PC-1 (<b>in the future</b>: a wrong clock)\n", "<td>not checked</td>",
          "Computers only below recommended (1)"},
         {",in the future,"},
         "Result files read in D:\\Out: 2 (computers: 2, files not used: 0)\n",
         0,
         ",",
         ""},
        // A share that drops part-way through the listing: no summary of part of the folder.
        {"a listing that stops part-way",
         {{"FleetStatus.htm", "<p>the last page"},
          {"PC-1.json", satisfied},
          {"ACCT-7.json", failing},
          {"listing drops:64", ""}},
         {},
         {"<p>the last page"},
         {},
         "",
         0,
         ",",
         "cannot list the result folder 'D:\\Out': "},
        // "old:DAYS:NAME" was last written that many days ago, "short:NAME83:NAME" has a short
        // name. A result of ACCT-7 from the future, under a second name for it ("_2D" for '-',
        // which no writer escapes), speaks for no computer.
        {"a hundred results and hostile files",
         {{"ACCT-7.json", failing},
          {"ACCT_2D7.json", future},
          {"zz.json", future},
          {"PC-1.json", bestFit},
          {"COM1.json", satisfied},
          {resultFileName(std::string(40, 'L')), result(std::string(40, 'L'), "")},
          {"MANY.json", manyProducts()},
          {"ODD.json", edited(result("ODD", ""), "\"Plinth-Setup\"", "\"Notepad\"")},
          {"TWICE.json", edited(result("TWICE", ""), "\"Wardline LAN\"", "\"Wardline\"")},
          {"TEXT.json",
           edited(result("TEXT", "no-cdrom"), "no CD-ROM drive", std::string(201, 'x'))},
          {"old:3:PC-9.json.5c-36efac.tmp", ""},
          {"LAB.json.old", satisfied},
          {"short:CAF~1.JSO:caf?.json", satisfied},
          {"CAF_C9.json", result("caf\xe9", "")},
          {"MIX.json", edited(mixed, "14:05:30+01:00", "14:05:30")},
          {"_4DIX.json", edited(mixed, "14:05:30+01:00", "14:35:30+01:00")},
          {"M_49X.json", edited(mixed, "14:05:30+01:00", "13:50:30+00:00")}},
         {},
         {"<tr><td><b>ACCT-7</b></td><td><img SRC=\"red_x.gif\" NOSAVE height=16 width=15> not "
          "satisfied</td>",
          "<td>ACCT_2D7.json</td><td>names another computer than its file name does</td>",
          "<td>caf?.json</td><td>names another computer than its file name does</td>",
          "its &quot;computer&quot; is longer than 15 characters</td>",
          "<td>LAB.json.old</td><td>left by a run still writing or one that could not clean up, "
          "written less than a day ago</td>",
          "<td>MANY.json</td><td>more than 32 products</td>",
          "<td>M_49X.json</td><td>names another computer than its file name does</td>",
          "<td>ODD.json</td><td>names a product this program does not know</td>",
          "<td>PC-9.json.5c-36efac.tmp</td><td>left by a run still writing or one that could not "
          "clean up, written 3 days ago</td>",
          "<td>TEXT.json</td><td>product 1 has a &quot;pcLevel&quot; longer than 200 characters",
          "<td>TWICE.json</td><td>names a product twice</td>",
          "<td>zz.json</td><td>names another computer than its file name does</td>", "caf&#233;"},
         {"ACCT-7,Plinth-Setup,not satisfied,CD-ROM drive,"},
         "Result files read in D:\\Out: 117 (computers: 104, files not used: 13)\n",
         100,
         ",",
         ""},
        // Past the limit, one line per computer; the separator of a German PC.
        {"many computers not satisfied",
         {},
         {},
         {"Computers not satisfied everywhere (201)</strong>",
          "<pre>\nF-000           NO    NO    NO    CD-ROM\n"},
         {"F-000;Plinth-Setup;not satisfied;CD-ROM drive;not satisfied;no CD-ROM drive;;"},
         "",
         201,
         ";",
         ""},
    };
    for (const auto& c : cases) {
        SimulatedPc pc = SimulatedPc::windows98();
        pc.addFolder(kOut);
        pc.addFolder(kOut + "\\sub.json");
        // "held:NAME": a file from before that a spreadsheet holds open all along.
        for (const auto& file : c.files) {
            // "listing drops:ERROR": FindNextFileA fails with it after the first entries.
            if (file.first.compare(0, 14, "listing drops:") == 0) {
                pc.listingDrops[kOut] = {3, std::stoul(file.first.substr(14))};
                continue;
            }
            const bool held = file.first.compare(0, 5, "held:") == 0;
            std::string name = file.first.substr(held ? 5 : 0), shortName;
            long long daysAgo = 0;
            if (name.compare(0, 4, "old:") == 0 || name.compare(0, 6, "short:") == 0) {
                const std::size_t colon = name.find(':'), next = name.find(':', colon + 1);
                const std::string value = name.substr(colon + 1, next - colon - 1);
                if (name[0] == 'o')
                    daysAgo = std::stoll(value);
                else
                    shortName = value;
                name = name.substr(next + 1);
            }
            const std::string path = kOut + "\\" + name;
            pc.files[path] = file.second;
            pc.fileTimes[path] = fileTimeOf(pc.clock) - daysAgo * 864000000000ull;
            if (!shortName.empty())
                pc.shortNames[path] = shortName;
            if (held)
                pc.heldFiles[path] = ~0ull;
        }
        for (int n = 0; n < c.failing; ++n) {
            std::string copy = failing;
            const std::string name = "F-" + std::to_string(1000 + n).substr(1);
            copy.replace(copy.find("\"ACCT-7\""), 8, "\"" + name + "\"");
            pc.files[kOut + "\\" + name + ".json"] = copy;
        }
        pc.listSeparatorText = c.separator;
        // One of the page's pictures beside the program: copied beside the page.
        pc.files["C:\\Program Files\\PrereqCheck\\red_x.gif"] = "GIF89a";
        std::vector<std::string> arguments = {"--summary", kOut};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        ScopedPlatform use(pc);
        const ConsoleRun run = runConsoleCheck(arguments);
        EXPECT_EQ(run.exitCode, c.error.empty() ? 0 : 3) << c.name;
        EXPECT_NE(run.standardError.find(c.error), std::string::npos) << run.standardError;
        EXPECT_NE(run.standardOutput.find(c.output), std::string::npos) << run.standardOutput;
        const std::string page = pc.files[kOut + "\\FleetStatus.htm"];
        for (const std::string& part : c.inPage)
            EXPECT_NE(page.find(windowsLineEnds(part)), std::string::npos) << c.name << part;
        std::string lines = page; // each line of the page ends in CR LF, and no CR stands alone
        lines.erase(std::remove(lines.begin(), lines.end(), '\r'), lines.end());
        EXPECT_EQ(page, windowsLineEnds(lines)) << c.name;
        const std::string spreadsheets = pc.files[kOut + "\\FleetStatus.csv"] +
                                         pc.files[kOut + "\\FleetTally.csv"] +
                                         pc.files[kOut + "\\FleetHistory.csv"];
        for (const std::string& part : c.inSpreadsheet)
            EXPECT_NE(spreadsheets.find(part), std::string::npos) << c.name << part;
        // Whatever the files hold: bounded outputs, no cell a spreadsheet takes for a formula,
        // no link but to the fleet's files and the help pages beside the program.
        EXPECT_LT(page.size() + spreadsheets.size(), 3u << 20) << c.name;
        for (const std::string& cell : csvCells(spreadsheets, c.separator[0]))
            EXPECT_TRUE(cell.empty() || std::string("=+-@").find(cell[0]) == std::string::npos)
                << cell;
        for (std::size_t at = page.find("href=\""); at != std::string::npos;
             at = page.find("href=\"", at + 1)) {
            const std::string link = page.substr(at + 6, page.find('"', at + 6) - at - 6);
            EXPECT_TRUE(link.find_first_of(":/") == std::string::npos ||
                        (link.rfind("file:///C:/Program%20Files/PrereqCheck/", 0) == 0 &&
                         link.find_first_of(":/", 39) == std::string::npos))
                << link;
        }
        sayOutOfMemory(); // as memory running out in the summary would
        EXPECT_EQ(pc.errorStream.written,
                  "cannot summarise the result folder 'D:\\Out': Not "
                  "enough storage is available to process this command\r\n");
        EXPECT_EQ(pc.files[kOut + "\\red_x.gif"],
                  c.error.find("list") == std::string::npos ? "GIF89a" : "")
            << c.name;
        for (const auto& file : pc.files) // no temporary or set-aside file of the run stays
            EXPECT_TRUE(pc.fileTimes.count(file.first) ||
                        file.first.find(".tmp") + file.first.find(".old") == 2 * std::string::npos)
                << c.name << file.first;
    }
}

TEST(FleetSummary, ReaderRefusesWhatIsNotStrictJson) {
    const struct {
        std::string text;
        std::string reason; // empty: read
    } cases[] = {
        {"\xEF\xBB\xBF{\"a\": [1, -0.5e+3, true, null, \"\\ud83d\\ude00\\n\"]}", ""},
        {"", "ends early (truncated?) at byte 0"},
        {"{\"a\": 1, \"a\": 2}", "a name given twice in the object ending at byte 16"},
        {"{\"ab\": 1, \"a\\u0062\": 2}", "a name given twice in the object ending at byte 23"},
        {"\"\\ud800x\"", "a lone high surrogate before byte 7"},
        {"\"\\udc00\"", "a lone low surrogate before byte 7"},
        {"\"a\tb\"", "a control character in a string at byte 2"},
        {"\"\xC0\xAF\"", "not UTF-8 at byte 1"},
        {"\"\xED\xA0\x80\"", "not UTF-8 at byte 1"},
        {"01", "more after the document at byte 1"},
        {"[1,]", "unexpected ']' at byte 3"},
        {"{} x", "more after the document at byte 3"},
        {"{\"a\" 1}", "unexpected '1' at byte 5"},
        {"tru", "ends early (truncated?) at byte 3"},
        {"\"\\x\"", "unexpected 'x' at byte 2"},
    };
    for (const auto& c : cases) {
        JsonDocument value;
        std::string reason;
        EXPECT_EQ(readJson(c.text, value, reason), c.reason.empty()) << c.text;
        EXPECT_EQ(reason, c.reason) << c.text;
    }
}

TEST(FleetSummary, CheckTimesReadBackAndCountWholeDaysInUtc) {
    const struct {
        std::string then, now;
        long long days; // -99: then does not read
    } cases[] = {
        {"2026-12-01T23:30:00+01:00", "2026-12-09T14:05:30+01:00", 7},
        {"2026-12-02T14:05:30", "2026-12-09T14:05:30-03:30", 7},
        {"2026-12-02T14:05:30Z", "2026-12-09T14:05:29+00:00", 6},
        {"2024-02-29T00:00:00-12:00", "2025-03-01T00:00:00+14:00", 364},
        {"2026-12-10T00:00:00+01:00", "2026-12-09T14:05:30+01:00", -1},
        {"2025-02-29T00:00:00", "2026-12-09T14:05:30", -99},
        {"2026-12-09 14:05:30", "2026-12-09T14:05:30", -99},
    };
    for (const auto& c : cases) {
        LocalTime then, now;
        ASSERT_TRUE(parseCheckTime(c.now, now)) << c.now;
        EXPECT_EQ(isoCheckTime(now), c.now);
        EXPECT_EQ(secondsBetween(utcTimeOfFileTime(fileTimeOf(now)), now), 0) << c.now;
        EXPECT_EQ(parseCheckTime(c.then, then) ? daysBetween(then, now) : -99, c.days) << c.then;
    }
}

} // namespace
} // namespace prereq
