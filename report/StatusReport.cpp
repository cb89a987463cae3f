// The HTML status report of a product that is not satisfied: one line of HTML, written
// fragment by fragment into the current directory or the folder the product was given. Texts that
// come from the PC's findings or the product name are escaped; the fixed fragments go out exactly
// as the browser expects them.
#include "report/ProductAssessment.h"
#include "text/HtmlEscape.h"

#include "platform/PcSnapshot.h"
#include "platform/Platform.h"
#include "resources/StringIds.h"

namespace prereq {

namespace {

const char kTableStart[] = "<table BORDER WIDTH=100% >";
const char kBlankCell[] = "<td>&nbsp </td>";

// The check mark with "Yes" when the minimum is met, else the cross with "No".
std::string satisfiedText(std::int32_t status) {
    if (status != NotSatisfied)
        return "<img SRC=\"green_check.gif\" NOSAVE height=16 width=15> " +
               snapshot().string(IDS_YES);
    return "<img SRC=\"red_x.gif\" NOSAVE height=16 width=15> " + snapshot().string(IDS_NO);
}

// A "More Info" link only for a failed prerequisite that has a help page.
std::string linkCell(const PrerequisiteResult& entry) {
    const std::string page = entry.moreInfoPage();
    if (entry.status() != NotSatisfied || page.empty())
        return kBlankCell;
    return "<td><a href=\"" + escapeHtml(page) + "\">More Info</a></td>";
}

} // namespace

void ProductAssessment::write(std::string_view fragment) {
    if (reportWriteFailed_ || fragment.empty())
        return;
    if (!platform().writeFile(reportFile_, fragment.data(),
                              static_cast<std::uint32_t>(fragment.size()))) {
        reportWriteFailed_ = true;
        reportError_ = platform().lastErrorCode();
    }
}

void ProductAssessment::writeCell(std::string_view text) {
    write("<td>");
    write(text);
    write("</td>");
}

void ProductAssessment::writeReport(int entryCount, const std::string& path) {
    // A report that cannot be created is simply not written: the verdict stands on its own.
    reportFile_ = platform().createReportFile(path);
    if (!reportFile_) {
        reportError_ = platform().lastErrorCode();
        return;
    }
    reportWriteFailed_ = false;

    write("<!doctype html public -//w3c//dtd html 4.0 transitional//en>");
    write("<html>");
    write("<head>");
    write("<meta content=text/html; charset=iso-8859-1>");
    write("<title>PC Status Report</title>");
    write("</head>");
    write("<body>");
    write("<strong>" + escapeHtml(productName_) + "</strong>");
    if (overallStatus_ == BelowRecommended)
        writeRecommendedLevelTables(entryCount);
    else
        writePrerequisiteTable(entryCount);
    write("</table>");
    write("</body>");
    write("</html>");

    platform().closeFile(reportFile_);
    reportFile_ = 0;
    // A truncated report (a full disk) must not be opened later as if it were complete.
    if (reportWriteFailed_)
        platform().deleteFile(path);
    else
        writtenReport_ = path;
}

void ProductAssessment::writeRecommendedLevelTables(int entryCount) {
    write(kTableStart);
    write("<tr>");
    write("<td>Minimum Prerequisite</td>");
    write("<td>Minimum<br>Prerequisite Satisfied?</td>");
    write("<td>Recommended Level</td>");
    write("<td>Your PC's level</td>");
    write(kBlankCell);
    write("</tr>");
    for (int index = 0; index < entryCount; ++index) {
        const PrerequisiteResult& entry = requirements_[index];
        if (entry.status() != BelowRecommended || !entry.shownInReport())
            continue;
        write("<p><p>");
        write("<tr>");
        writeCell(escapeHtml(entry.minimumPrerequisite()));
        writeCell(satisfiedText(entry.status()));
        writeCell(escapeHtml(entry.recommendedLevel()));
        writeCell(escapeHtml(entry.pcLevel()));
        write(linkCell(entry));
        write("</tr>");
    }
    write("</table>");
    write("<p><p>");

    writePrerequisiteHeader();
    for (int index = 0; index < entryCount; ++index) {
        const PrerequisiteResult& entry = requirements_[index];
        if (entry.status() != BelowRecommended && entry.shownInReport())
            writePrerequisiteRow(entry);
    }
}

void ProductAssessment::writePrerequisiteTable(int entryCount) {
    writePrerequisiteHeader();
    for (int index = 0; index < entryCount; ++index) {
        const PrerequisiteResult& entry = requirements_[index];
        if (entry.shownInReport())
            writePrerequisiteRow(entry);
    }
}

void ProductAssessment::writePrerequisiteHeader() {
    write(kTableStart);
    write("<tr>");
    write("<td>Prerequisite</td>");
    write("<td>Prerequisite Satisfied?</td>");
    write("<td>Your PC's level</td>");
    write(kBlankCell);
    write("</tr>");
}

void ProductAssessment::writePrerequisiteRow(const PrerequisiteResult& entry) {
    write("<tr>");
    writeCell(escapeHtml(entry.minimumPrerequisite()));
    writeCell(satisfiedText(entry.status()));
    writeCell(escapeHtml(entry.pcLevel()));
    write(linkCell(entry));
    write("</tr></br>");
}

} // namespace prereq
