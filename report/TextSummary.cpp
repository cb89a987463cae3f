// The text table: columns as wide as their widest cell, two blanks apart, no trailing blanks;
// notes on lines of their own under the prerequisite they belong to.
#include "report/TextSummary.h"

#include "report/SummaryFields.h"

#include <algorithm>
#include <array>

namespace prereq {

namespace {

using Row = std::array<std::string, 3>;

// Printable and without the blanks some texts end in (the processor's level texts).
std::string printable(std::string text) {
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = '?';
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

std::string spokenStatus(std::int32_t status) {
    std::string name = statusName(status);
    std::replace(name.begin(), name.end(), '-', ' ');
    return name;
}

std::string productTable(const ProductAssessment& product) {
    const std::vector<PrerequisiteResult> entries = shownEntries(product);
    std::vector<Row> rows = {{"Status", "Prerequisite", "Your PC's level"}};
    for (const PrerequisiteResult& entry : entries)
        rows.push_back({spokenStatus(entry.status()), printable(entry.minimumPrerequisite()),
                        printable(entry.pcLevel())});
    std::array<std::size_t, 2> widths = {};
    for (const Row& row : rows)
        for (std::size_t column = 0; column < widths.size(); ++column)
            widths[column] = std::max(widths[column], row[column].size());
    const std::string noteIndent(2 + widths[0] + 2, ' ');

    std::string out =
        printable(product.productName()) + ": " + spokenStatus(summaryVerdict(product)) + "\n";
    if (!product.writtenReport().empty())
        out += "  Report: " + printable(product.writtenReport()) + "\n";
    for (std::size_t index = 0; index < rows.size(); ++index) {
        const Row& row = rows[index];
        std::string line = "  " + row[0] + std::string(widths[0] - row[0].size() + 2, ' ') +
                           row[1] + std::string(widths[1] - row[1].size() + 2, ' ') + row[2];
        line.erase(line.find_last_not_of(' ') + 1);
        out += line + "\n";
        if (index == 0)
            continue;
        const PrerequisiteResult& entry = entries[index - 1];
        const std::string recommended = printable(entry.recommendedLevel());
        if (entry.status() != Satisfied && !recommended.empty())
            out += noteIndent + "recommended level: " + recommended + "\n";
        if (!helpPage(entry).empty())
            out += noteIndent + "more info: " + printable(helpPage(entry)) + "\n";
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
