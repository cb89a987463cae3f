// The rules the fuzzing target holds every status report to: each one must catch the fault it
// stands for, and a report as the program writes it must pass them all.
#include "fuzz/ReportInvariants.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace prereq {
namespace {

using report_invariants::cellTexts;
using report_invariants::violations;

const std::string kStart = "<!doctype html public -//w3c//dtd html 4.0 transitional//en><html>"
                           "<head><meta content=text/html; charset=iso-8859-1>"
                           "<title>PC Status Report</title></head><body><strong>Wardline</strong>"
                           "<table BORDER WIDTH=100% ><tr><td>Prerequisite</td>"
                           "<td>Prerequisite Satisfied?</td><td>Your PC's level</td>"
                           "<td>&nbsp </td></tr>";
const std::string kEnd = "</table></body></html>";

// One prerequisite row holding pcLevel as it stands in the file.
std::string reportWithLevel(const std::string& pcLevel) {
    return kStart + "<tr><td>NT Service Pack 3 or greater</td><td><img SRC=\"red_x.gif\" " +
           "NOSAVE height=16 width=15> No</td><td>" + pcLevel +
           "</td><td><a href=\"ntsp.html\">More Info</a></td></tr></br>" + kEnd;
}

TEST(ReportInvariants, AReportAsWrittenKeepsEveryRule) {
    const std::string reports[] = {
        reportWithLevel("Service Pack 2"),
        reportWithLevel(""),
        reportWithLevel("&lt;b&gt; &amp; &quot;x&quot; &#10;"),
        kStart + "<p><p><tr><td>Minimum<br>Prerequisite Satisfied?</td></tr>" + kEnd,
    };
    for (const std::string& report : reports)
        EXPECT_EQ(violations(report), std::vector<std::string>{}) << report;
}

TEST(ReportInvariants, EachFaultIsCaught) {
    const struct {
        const char* fault;
        std::string report;
        std::string expected;
    } cases[] = {
        {"a line feed", reportWithLevel("Service\nPack 2"), "holds a line break"},
        {"a carriage return", reportWithLevel("Service\rPack 2"), "holds a line break"},
        {"text before the doctype", " " + reportWithLevel("x"), "does not start with the doctype"},
        {"a truncated end", reportWithLevel("x").substr(0, kStart.size() + 20),
         "does not end with </table></body></html>"},
        {"a tag from the PC", reportWithLevel("<b>SP6</b>"),
         "a tag the report does not write: <b>"},
        {"a raw '>'", reportWithLevel("SP>6"), "a '>' outside any tag"},
        {"a raw '&'", reportWithLevel("R&D build"), "an '&' that starts no character reference"},
        {"an unterminated numeric reference", reportWithLevel("&#10 x"),
         "an '&' that starts no character reference"},
        {"a '<' that never closes", kStart + "<td>SP<6", "a '<' that opens no tag"},
        {"a link target leaving its quotes",
         kStart + "<td><a href=\"x\" onclick=\"y\">More Info</a></td>" + kEnd,
         "a tag the report does not write: <a href=\"x\" onclick=\"y\">"},
    };
    for (const auto& c : cases) {
        const std::vector<std::string> found = violations(c.report);
        EXPECT_NE(std::find(found.begin(), found.end(), c.expected), found.end())
            << c.fault << ": " << ::testing::PrintToString(found);
    }
}

TEST(ReportInvariants, CellTextsAreUnescapedInDocumentOrder) {
    const std::vector<std::string> cells =
        cellTexts(reportWithLevel("&lt;SP &amp; &quot;6a&quot;&gt;&#13;&#10;&#999;"));
    ASSERT_EQ(cells.size(), 8u);
    EXPECT_EQ(cells[0], "Prerequisite");
    EXPECT_EQ(cells[3], "&nbsp ");
    EXPECT_EQ(cells[4], "NT Service Pack 3 or greater");
    EXPECT_EQ(cells[5], "<img SRC=\"red_x.gif\" NOSAVE height=16 width=15> No");
    // A reference beyond one 8-bit character is left as it stands.
    EXPECT_EQ(cells[6], "<SP & \"6a\">\r\n&#999;");
    EXPECT_EQ(cells[7], "<a href=\"ntsp.html\">More Info</a>");
}

} // namespace
} // namespace prereq
