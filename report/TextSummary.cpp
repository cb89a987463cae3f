// The text table: columns as wide as their widest cell, two blanks apart, no trailing blanks;
// notes on lines of their own under the prerequisite they belong to. A console is 80 columns
// wide and wraps a line that fills it, so no line is longer than 79: a cell too long for its
// column goes on in continuation lines under it, as does a long note or report path.
#include "report/TextSummary.h"

#include "report/SummaryFields.h"

#include <algorithm>
#include <array>

namespace prereq {

namespace {

using Row = std::array<std::string, 3>;

constexpr std::size_t kLineWidth = 79;
// The PC's level column keeps this many columns however wide the prerequisites are.
constexpr std::size_t kNarrowestLevelColumn = 24;

// Printable and without the blanks some texts end in (the processor's level texts).
std::string printable(std::string text) {
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = '?';
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

// text in lines of at most width characters: broken at the last blank (which the break takes)
// or after the last backslash that fits, else after width characters. Nothing else is dropped.
std::vector<std::string> wrapped(std::string text, std::size_t width) {
    std::vector<std::string> lines;
    while (text.size() > width) {
        const std::size_t blank = text.rfind(' ', width);
        const std::size_t backslash = text.rfind('\\', width - 1);
        std::size_t end = blank != std::string::npos && blank > 0 ? blank : 0;
        if (backslash != std::string::npos && backslash + 1 > end)
            end = backslash + 1;
        const bool atBlank = end > 0 && end == blank;
        if (end == 0)
            end = width;
        lines.push_back(text.substr(0, end));
        text.erase(0, end + (atBlank ? 1 : 0));
    }
    lines.push_back(text);
    return lines;
}

// "indent + lead + text", wrapped to the line width with continuation lines under the text.
std::string indented(const std::string& indent, const std::string& lead, const std::string& text) {
    const std::string under(indent.size() + lead.size(), ' ');
    std::string out;
    for (const std::string& line : wrapped(text, kLineWidth - under.size()))
        out += (out.empty() ? indent + lead : under) + line + "\n";
    return out;
}

std::string spokenStatus(std::int32_t status) {
    std::string name = statusName(status);
    std::replace(name.begin(), name.end(), '-', ' ');
    return name;
}

std::string tableRow(const Row& row, const std::array<std::size_t, 3>& widths) {
    std::array<std::vector<std::string>, 3> cells;
    std::size_t height = 0;
    for (std::size_t column = 0; column < cells.size(); ++column) {
        cells[column] = wrapped(row[column], widths[column]);
        height = std::max(height, cells[column].size());
    }
    const std::string kNoCell;
    std::string out;
    for (std::size_t index = 0; index < height; ++index) {
        std::string line = "  ";
        line.reserve(kLineWidth + 1);
        for (std::size_t column = 0; column < cells.size(); ++column) {
            const std::string& cell = index < cells[column].size() ? cells[column][index] : kNoCell;
            line += cell;
            if (column + 1 < cells.size())
                line.append(widths[column] - cell.size() + 2, ' ');
        }
        line.erase(line.find_last_not_of(' ') + 1);
        line += '\n';
        out += line;
    }
    return out;
}

std::string productTable(const ProductAssessment& product) {
    const std::vector<const PrerequisiteResult*> entries = shownEntries(product);
    std::vector<Row> rows = {{"Status", "Prerequisite", "Your PC's level"}};
    rows.reserve(entries.size() + 1);
    for (const PrerequisiteResult* entry : entries)
        rows.push_back({spokenStatus(entry->status()), printable(entry->minimumPrerequisite()),
                        printable(entry->pcLevel())});
    std::array<std::size_t, 3> widths = {};
    for (const Row& row : rows)
        for (std::size_t column = 0; column < widths.size(); ++column)
            widths[column] = std::max(widths[column], row[column].size());
    const std::size_t margins = 2 + 2 + 2;
    widths[1] = std::min(widths[1], kLineWidth - margins - widths[0] - kNarrowestLevelColumn);
    widths[2] = kLineWidth - margins - widths[0] - widths[1];
    const std::string noteIndent(2 + widths[0] + 2, ' ');

    std::string out =
        printable(product.productName()) + ": " + spokenStatus(summaryVerdict(product)) + "\n";
    if (!product.writtenReport().empty())
        out += indented("  ", "Report: ", printable(product.writtenReport()));
    for (std::size_t index = 0; index < rows.size(); ++index) {
        out += tableRow(rows[index], widths);
        if (index == 0)
            continue;
        const PrerequisiteResult& entry = *entries[index - 1];
        const std::string recommended = printable(entry.recommendedLevel());
        if (entry.status() != Satisfied && !recommended.empty())
            out += indented(noteIndent, "recommended level: ", recommended);
        const std::string page = helpPage(entry);
        if (!page.empty())
            out += indented(noteIndent, "more info: ", printable(page));
    }
    return out;
}

} // namespace

std::string textSummary(const std::vector<const ProductAssessment*>& products) {
    std::string out;
    for (const ProductAssessment* product : products)
        out += (out.empty() ? "" : "\n") + productTable(*product);
    return out;
}

} // namespace prereq
