// The HTML status report, compared byte for byte with text built from the report's documented
// fragments, and the report's failure paths: a file that cannot be created or written.
#include "report/ProductAssessment.h"

#include "platform/Platform.h"
#include "platform/simulated/SimulatedPc.h"
#include "resources/StringIds.h"

#include "tests/unit/WorkedExampleReport.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

namespace prereq {
namespace {

const std::string kDocumentStart =
    "<!doctype html public -//w3c//dtd html 4.0 transitional//en><html><head>"
    "<meta content=text/html; charset=iso-8859-1><title>PC Status Report</title></head><body>";
const std::string kDocumentEnd = "</table></body></html>";
const std::string kPrerequisiteHeader =
    "<table BORDER WIDTH=100% ><tr><td>Prerequisite</td><td>Prerequisite Satisfied?</td>"
    "<td>Your PC's level</td><td>&nbsp </td></tr>";
const std::string kRecommendedHeader =
    "<table BORDER WIDTH=100% ><tr><td>Minimum Prerequisite</td>"
    "<td>Minimum<br>Prerequisite Satisfied?</td><td>Recommended Level</td>"
    "<td>Your PC's level</td><td>&nbsp </td></tr>";
const std::string kBetweenTables = "</table><p><p>";
const std::string kYes = "<img SRC=\"green_check.gif\" NOSAVE height=16 width=15> Yes";
const std::string kNo = "<img SRC=\"red_x.gif\" NOSAVE height=16 width=15> No";
const std::string kBlankCell = "<td>&nbsp </td>";

std::string heading(const std::string& product) {
    return "<strong>" + product + "</strong>";
}

std::string moreInfo(const std::string& page) {
    return "<td><a href=\"" + page + "\">More Info</a></td>";
}

std::string prerequisiteRow(const std::string& minimum, const std::string& satisfied,
                            const std::string& pcLevel, const std::string& linkCell) {
    return "<tr><td>" + minimum + "</td><td>" + satisfied + "</td><td>" + pcLevel + "</td>" +
           linkCell + "</tr></br>";
}

std::string recommendedRow(const std::string& minimum, const std::string& recommended,
                           const std::string& pcLevel) {
    return "<p><p><tr><td>" + minimum + "</td><td>" + kYes + "</td><td>" + recommended +
           "</td><td>" + pcLevel + "</td>" + kBlankCell + "</tr>";
}

PrerequisiteResult entry(std::int32_t status, const std::string& minimum,
                         const std::string& pcLevel, const std::string& moreInfoPage = "",
                         std::int32_t shown = 1) {
    PrerequisiteResult result;
    result.setStatus(status);
    result.setMinimumPrerequisite(minimum);
    result.setPcLevel(pcLevel);
    result.setMoreInfoPage(moreInfoPage);
    result.setShownInReport(shown);
    return result;
}

// A memory entry as the probe makes it on NT: string 4 for every level.
PrerequisiteResult memory(std::int32_t status, int minimumMb, int recommendedMb, int pcMb) {
    PrerequisiteResult result =
        entry(status, formatLevel(IDS_MB_RAM, minimumMb), formatLevel(IDS_MB_RAM, pcMb));
    result.formatRecommendedLevel(recommendedMb, IDS_MB_RAM);
    return result;
}

class StatusReport : public ::testing::Test {
protected:
    static constexpr const char* kFile = "WardlineStatus.htm";
    static constexpr const char* kPath = "C:\\Reports\\WardlineStatus.htm";

    // Assesses entries as the product "Wardline" and returns the verdict.
    std::int32_t assess(const std::vector<PrerequisiteResult>& entries,
                        const std::string& product = "Wardline") {
        const ProductAssessment assessment(entries.data(), product,
                                           static_cast<int>(entries.size()), kFile);
        return assessment.overallStatus();
    }

    bool reportExists() const { return pc.files.count(kPath) != 0; }
    std::string report() const {
        const auto it = pc.files.find(kPath);
        return it == pc.files.end() ? "(no report file)" : it->second;
    }

    SimulatedPc pc = SimulatedPc::windowsNt4();
    ScopedPlatform use{pc};
};

TEST_F(StatusReport, WorkedExample) {
    EXPECT_EQ(assess({entry(NotSatisfied, "CD-ROM drive", "no CD-ROM drive")}, "Wardline LAN"),
              NotSatisfied);
    EXPECT_EQ(report(), kWorkedExampleReport);

    // Each fragment reaches the file in a write of its own.
    const std::vector<std::string> expected = {
        "<!doctype html public -//w3c//dtd html 4.0 transitional//en>",
        "<html>",
        "<head>",
        "<meta content=text/html; charset=iso-8859-1>",
        "<title>PC Status Report</title>",
        "</head>",
        "<body>",
        "<strong>Wardline LAN</strong>",
        "<table BORDER WIDTH=100% >",
        "<tr>",
        "<td>Prerequisite</td>",
        "<td>Prerequisite Satisfied?</td>",
        "<td>Your PC's level</td>",
        "<td>&nbsp </td>",
        "</tr>",
        "<tr>",
        "<td>",
        "CD-ROM drive",
        "</td>",
        "<td>",
        "<img SRC=\"red_x.gif\" NOSAVE height=16 width=15> No",
        "</td>",
        "<td>",
        "no CD-ROM drive",
        "</td>",
        "<td>&nbsp </td>",
        "</tr></br>",
        "</table>",
        "</body>",
        "</html>",
    };
    EXPECT_EQ(pc.fileWrites, expected);
}

TEST_F(StatusReport, OneTableListsEveryShownEntryWhenNothingIsBelowRecommended) {
    const std::vector<PrerequisiteResult> entries = {
        memory(Satisfied, 32, 64, 128),
        entry(NotSatisfied, "Pentium processor", "not Pentium processor"),
        entry(Satisfied, "CD-ROM drive", "CD-ROM drive"),
        entry(NotSatisfied, "Remote Access Service (RAS)", "RAS not installed", "ras.html"),
        entry(Satisfied, "NT Service Pack 3 or greater", "Service Pack 6", "ntsp.html"),
    };
    EXPECT_EQ(assess(entries), NotSatisfied);
    EXPECT_EQ(
        report(),
        kDocumentStart + heading("Wardline") + kPrerequisiteHeader +
            prerequisiteRow("32 MB RAM", kYes, "128 MB RAM", kBlankCell) +
            prerequisiteRow("Pentium processor", kNo, "not Pentium processor", kBlankCell) +
            prerequisiteRow("CD-ROM drive", kYes, "CD-ROM drive", kBlankCell) +
            prerequisiteRow("Remote Access Service (RAS)", kNo, "RAS not installed",
                            moreInfo("ras.html")) +
            prerequisiteRow("NT Service Pack 3 or greater", kYes, "Service Pack 6", kBlankCell) +
            kDocumentEnd);
}

TEST_F(StatusReport, TwoTablesWhenAnEntryIsBelowRecommendedEvenIfAnotherFailed) {
    const std::vector<PrerequisiteResult> entries = {
        memory(BelowRecommended, 96, 128, 100),
        entry(Satisfied, "Pentium 266 MHz processor    ", "Pentium 300 MHz processor    "),
        entry(NotSatisfied, "Remote Access Service (RAS)", "RAS not installed", "ras.html"),
        entry(NotSatisfied, "CD-ROM drive", "no CD-ROM drive"),
    };
    EXPECT_EQ(assess(entries), BelowRecommended);
    EXPECT_EQ(report(), kDocumentStart + heading("Wardline") + kRecommendedHeader +
                            recommendedRow("96 MB RAM", "128 MB RAM", "100 MB RAM") +
                            kBetweenTables + kPrerequisiteHeader +
                            prerequisiteRow("Pentium 266 MHz processor    ", kYes,
                                            "Pentium 300 MHz processor    ", kBlankCell) +
                            prerequisiteRow("Remote Access Service (RAS)", kNo, "RAS not installed",
                                            moreInfo("ras.html")) +
                            prerequisiteRow("CD-ROM drive", kNo, "no CD-ROM drive", kBlankCell) +
                            kDocumentEnd);
}

TEST_F(StatusReport, HiddenEntriesDecideTheVerdictButAreNoRow) {
    const struct {
        const char* name;
        std::vector<PrerequisiteResult> entries;
        std::int32_t verdict;
        std::string tables;
    } cases[] = {
        {"hidden failure, one table",
         {entry(Satisfied, "CD-ROM drive", "CD-ROM drive"),
          entry(NotSatisfied, "Wardline modem driver ", "driver not installed", "ntmodem.html", 0)},
         NotSatisfied,
         kPrerequisiteHeader + prerequisiteRow("CD-ROM drive", kYes, "CD-ROM drive", kBlankCell)},
        {"hidden below-recommended, empty first table",
         {[] {
              PrerequisiteResult hidden = memory(BelowRecommended, 96, 128, 100);
              hidden.setShownInReport(0);
              return hidden;
          }(),
          entry(NotSatisfied, "Mouse", "no Mouse")},
         BelowRecommended,
         kRecommendedHeader + kBetweenTables + kPrerequisiteHeader +
             prerequisiteRow("Mouse", kNo, "no Mouse", kBlankCell)},
        {"nothing shown, heading rows alone",
         {entry(NotSatisfied, "Mouse", "no Mouse", "", 0)},
         NotSatisfied,
         kPrerequisiteHeader},
    };
    for (const auto& c : cases) {
        pc.files.clear();
        EXPECT_EQ(assess(c.entries), c.verdict) << c.name;
        EXPECT_EQ(report(), kDocumentStart + heading("Wardline") + c.tables + kDocumentEnd)
            << c.name;
    }
}

TEST_F(StatusReport, EmptyTextsGiveEmptyCellsAndNoEmptyWrites) {
    PrerequisiteResult noRecommendedText = entry(BelowRecommended, "16 MB RAM", "24 MB RAM");
    const std::vector<PrerequisiteResult> entries = {
        noRecommendedText,
        entry(NotSatisfied, "", ""),
        entry(Satisfied, "", ""),
    };
    EXPECT_EQ(assess(entries), BelowRecommended);
    EXPECT_EQ(report(), kDocumentStart + heading("Wardline") + kRecommendedHeader +
                            recommendedRow("16 MB RAM", "", "24 MB RAM") + kBetweenTables +
                            kPrerequisiteHeader + "<tr><td></td><td>" + kNo +
                            "</td><td></td><td>&nbsp </td></tr></br>" + "<tr><td></td><td>" + kYes +
                            "</td><td></td><td>&nbsp </td></tr></br>" + kDocumentEnd);
    for (const auto& fragment : pc.fileWrites)
        EXPECT_FALSE(fragment.empty()) << "a zero-length fragment must write nothing";
}

TEST_F(StatusReport, OnlyAFailedEntryLinksItsHelpPage) {
    const std::vector<PrerequisiteResult> entries = {
        entry(Satisfied, "Remote Access Service (RAS)", "RAS installed", "ras.html"),
        [] {
            PrerequisiteResult belowWithPage = memory(BelowRecommended, 32, 64, 48);
            belowWithPage.setMoreInfoPage("memory.html");
            return belowWithPage;
        }(),
        entry(NotSatisfied, "NT Service Pack 3 or greater", "Service Pack 2", "ntsp.html"),
    };
    EXPECT_EQ(assess(entries), BelowRecommended);
    EXPECT_EQ(report(), kDocumentStart + heading("Wardline") + kRecommendedHeader +
                            recommendedRow("32 MB RAM", "64 MB RAM", "48 MB RAM") + kBetweenTables +
                            kPrerequisiteHeader +
                            prerequisiteRow("Remote Access Service (RAS)", kYes, "RAS installed",
                                            kBlankCell) +
                            prerequisiteRow("NT Service Pack 3 or greater", kNo, "Service Pack 2",
                                            moreInfo("ntsp.html")) +
                            kDocumentEnd);
}

// Texts from the PC (a service-pack name is whatever Windows reports) and the product name are
// escaped, so that they show as text and cannot break the page or the link.
TEST_F(StatusReport, EscapesTextsTakenFromTheFindingsAndTheProductName) {
    const std::vector<PrerequisiteResult> entries = {
        entry(NotSatisfied, "NT Service Pack 3 or greater", "Service Pack 2 <beta> & \"RC1\"",
              "nt\"><script>.html"),
        entry(Satisfied, "<b>Mouse</b>", "Mouse & pen"),
    };
    EXPECT_EQ(assess(entries, "Wardline <LAN> & \"Co\""), NotSatisfied);
    EXPECT_EQ(report(),
              kDocumentStart + heading("Wardline &lt;LAN&gt; &amp; &quot;Co&quot;") +
                  kPrerequisiteHeader +
                  prerequisiteRow("NT Service Pack 3 or greater", kNo,
                                  "Service Pack 2 &lt;beta&gt; &amp; &quot;RC1&quot;",
                                  moreInfo("nt&quot;&gt;&lt;script&gt;.html")) +
                  prerequisiteRow("&lt;b&gt;Mouse&lt;/b&gt;", kYes, "Mouse &amp; pen", kBlankCell) +
                  kDocumentEnd);
}

TEST_F(StatusReport, SatisfiedProductWritesNothingAndLeavesAnOldReport) {
    pc.files[kPath] = "an earlier run's report";
    EXPECT_EQ(assess({entry(Satisfied, "CD-ROM drive", "CD-ROM drive"),
                      entry(Satisfied, "Mouse", "Mouse", "", 0)}),
              Satisfied);
    EXPECT_EQ(report(), "an earlier run's report");
    EXPECT_TRUE(pc.fileWrites.empty());
}

TEST_F(StatusReport, AReportFileThatCannotBeCreatedIsLeftAloneAndTheVerdictStands) {
    pc.lockedFiles.insert(kPath);
    pc.files[kPath] = "held open by another program";
    EXPECT_EQ(assess({entry(NotSatisfied, "CD-ROM drive", "no CD-ROM drive")}), NotSatisfied);
    EXPECT_EQ(report(), "held open by another program");
    EXPECT_TRUE(pc.fileWrites.empty());
}

// A full disk must not leave a truncated report that the Details button would show as if it
// were complete: the partial file is closed and removed, and the verdict is unaffected.
TEST_F(StatusReport, AFailingWriteRemovesThePartialReport) {
    const struct {
        const char* layout;
        std::vector<PrerequisiteResult> entries;
        std::int32_t verdict;
    } cases[] = {
        {"one table",
         {entry(NotSatisfied, "CD-ROM drive", "no CD-ROM drive"),
          entry(Satisfied, "Mouse", "Mouse")},
         NotSatisfied},
        {"two tables",
         {memory(BelowRecommended, 96, 128, 100),
          entry(NotSatisfied, "CD-ROM drive", "no CD-ROM drive")},
         BelowRecommended},
    };
    for (const auto& c : cases) {
        pc.files.clear();
        pc.diskBytesLeft.reset();
        ASSERT_EQ(assess(c.entries), c.verdict) << c.layout;
        const std::uint64_t fullSize = report().size();
        ASSERT_TRUE(reportExists()) << c.layout;

        for (const std::uint64_t budget :
             {std::uint64_t{0}, std::uint64_t{1}, std::uint64_t{30}, fullSize / 2, fullSize - 1}) {
            pc.files[kPath] = "an earlier run's report";
            pc.fileWrites.clear();
            pc.diskBytesLeft = budget;
            EXPECT_EQ(assess(c.entries), c.verdict) << c.layout << " " << budget;
            EXPECT_FALSE(reportExists()) << c.layout << " " << budget;
            // Writing stopped at the write that failed.
            ASSERT_FALSE(pc.fileWrites.empty()) << c.layout << " " << budget;
            const std::uint64_t beforeLast = std::accumulate(
                pc.fileWrites.begin(), pc.fileWrites.end() - 1, std::uint64_t{0},
                [](std::uint64_t sum, const std::string& w) { return sum + w.size(); });
            EXPECT_LE(beforeLast, budget) << c.layout;
            EXPECT_GT(beforeLast + pc.fileWrites.back().size(), budget) << c.layout;
        }

        pc.files.clear();
        pc.diskBytesLeft = fullSize;
        EXPECT_EQ(assess(c.entries), c.verdict) << c.layout;
        EXPECT_EQ(report().size(), fullSize) << c.layout << ": a report that just fits is kept";
    }
}

} // namespace
} // namespace prereq
