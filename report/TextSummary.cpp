// The text table: columns as wide as their widest cell, two blanks apart, no trailing blanks.
#include "report/TextSummary.h"

#include "report/SummaryFields.h"

#include <algorithm>
#include <array>

namespace prereq {

namespace {

using Row = std::array<std::string, 5>;
using Widths = std::array<std::size_t, 5>;

std::string printable(std::string text) {
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = '?';
    return text;
}

std::string spokenStatus(std::int32_t status) {
    std::string name = statusName(status);
    std::replace(name.begin(), name.end(), '-', ' ');
    return name;
}

std::string line(const Row& row, const Widths& widths) {
    std::string out = " ";
    for (std::size_t column = 0; column < row.size(); ++column)
        out += " " + row[column] + std::string(widths[column] - row[column].size() + 1, ' ');
    out.erase(out.find_last_not_of(' ') + 1);
    return out + "\n";
}

std::string productTable(const ProductAssessment& product) {
    std::vector<Row> rows = {
        {"Prerequisite", "Status", "Your PC's level", "Recommended level", "More info"}};
    for (const PrerequisiteResult& entry : shownEntries(product))
        rows.push_back({printable(entry.minimumPrerequisite()), spokenStatus(entry.status()),
                        printable(entry.pcLevel()), printable(entry.recommendedLevel()),
                        printable(helpPage(entry))});
    Widths widths = {};
    for (const Row& row : rows)
        for (std::size_t column = 0; column < widths.size(); ++column)
            widths[column] = std::max(widths[column], row[column].size());
    std::string out =
        printable(product.productName()) + ": " + spokenStatus(product.overallStatus()) + "\n";
    if (!product.writtenReport().empty())
        out += "  Report: " + printable(product.writtenReport()) + "\n";
    for (const Row& row : rows)
        out += line(row, widths);
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
