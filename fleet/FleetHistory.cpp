// Reading and writing the fleet's history. The header names each figure as "PRODUCT: WHAT", so a
// spreadsheet shows it as it is and a later summary finds the columns again, even where the
// products differ between rows.
#include "fleet/FleetHistory.h"

#include "fleet/CheckTime.h"
#include "fleet/FleetCsv.h"

#include <algorithm>
#include <iterator>
#include <string_view>

namespace prereq {

namespace {

const char* const kFigureNames[kHistoryFigures] = {"satisfied", "below recommended",
                                                   "not satisfied", "not reported", "old"};

// A history anyone can write: what a reason quotes of it is printable ASCII, '?' for the rest.
std::string printable(std::string text) {
    for (char& c : text)
        c = c >= 0x20 && c < 0x7F ? c : '?';
    return text;
}

// One line's fields: quoted fields may hold the separator and doubled quotes.
std::vector<std::string> splitLine(const std::string& line, char separator) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"')
            fields.back() += line[++i];
        else if (c == '"')
            quoted = !quoted;
        else if (!quoted && c == separator)
            fields.emplace_back();
        else
            fields.back() += c;
    }
    return fields;
}

bool readNumber(const std::string& text, int& value) {
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != text.npos)
        return false;
    value = 0;
    for (const char digit : text)
        value = value * 10 + (digit - '0');
    return true;
}

} // namespace

HistoryRow historyRow(const FleetSummary& summary, const LocalTime& now, int maxAgeDays) {
    HistoryRow row;
    row.time = isoCheckTime(now);
    std::vector<bool> olds; // each result's age worked out once, not once a product
    for (const ComputerResult& result : summary.results)
        olds.push_back(isOld(result, now, maxAgeDays));
    for (const ProductCounts& counts : summary.counts) {
        int old = 0;
        for (std::size_t index = 0; index < summary.results.size(); ++index)
            for (const ResultProduct& product : summary.results[index].products)
                old += olds[index] && product.name == counts.name ? 1 : 0;
        const int noResult = computersInAll(summary) - counts.satisfied - counts.belowRecommended -
                             counts.notSatisfied;
        row.products.emplace_back(counts.name,
                                  HistoryFigures{counts.satisfied, counts.belowRecommended,
                                                 counts.notSatisfied, noResult, old});
    }
    return row;
}

namespace {

std::string readRows(const std::string& text, std::vector<HistoryRow>& rows) {
    if (text.size() < 5 || text.compare(0, 4, "Time") != 0)
        return "it does not begin with the header's \"Time\"";
    const char separator = text[4];
    std::vector<std::vector<std::string>> lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find("\r\n", start), text.size());
        lines.push_back(splitLine(text.substr(start, end - start), separator));
        start = end + 2;
    }
    const std::vector<std::string>& header = lines[0];
    if ((header.size() - 1) % kHistoryFigures != 0)
        return "its header has " + std::to_string(header.size()) + " fields";
    std::vector<std::string> products;
    for (std::size_t i = 1; i < header.size(); i += kHistoryFigures) {
        const std::string suffix = std::string(": ") + kFigureNames[0];
        const std::string& name = header[i];
        if (name.size() <= suffix.size() ||
            name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
            return "its header's field " + std::to_string(i + 1) + " names no product";
        products.push_back(name.substr(0, name.size() - suffix.size()));
    }
    for (std::size_t number = 1; number < lines.size(); ++number) {
        const std::vector<std::string>& fields = lines[number];
        if (fields.size() == 1 && fields[0].empty())
            continue;
        if (fields.size() != header.size())
            return "line " + std::to_string(number + 1) + " has " + std::to_string(fields.size()) +
                   " fields, the header " + std::to_string(header.size());
        HistoryRow row;
        row.time = fields[0];
        for (std::size_t p = 0; p < products.size(); ++p) {
            HistoryFigures figures{};
            bool given = true;
            for (int f = 0; f < kHistoryFigures; ++f) {
                const std::string& field = fields[1 + p * kHistoryFigures + f];
                if (field.empty()) {
                    given = false; // a product this summary did not see
                } else if (!readNumber(field, figures[f])) {
                    return "line " + std::to_string(number + 1) + " holds '" +
                           printable(field.substr(0, 20)) + "' where a number belongs";
                }
            }
            if (given)
                row.products.emplace_back(products[p], figures);
        }
        rows.push_back(std::move(row));
    }
    return {};
}

} // namespace

// The rows are added only once every line has read: a history refused gives none.
std::string readFleetHistory(const std::string& text, std::vector<HistoryRow>& rows) {
    std::vector<HistoryRow> read;
    std::string problem = readRows(text, read);
    if (problem.empty())
        rows.insert(rows.end(), std::make_move_iterator(read.begin()),
                    std::make_move_iterator(read.end()));
    return problem;
}

std::string fleetHistoryText(const std::vector<HistoryRow>& rows, char separator) {
    std::vector<std::string_view> products;
    for (const HistoryRow& row : rows)
        for (const auto& product : row.products)
            if (std::find(products.begin(), products.end(), product.first) == products.end())
                products.push_back(product.first);
    std::string out = "Time";
    out.reserve(products.size() * kHistoryFigures * 40 +
                rows.size() * (32 + products.size() * kHistoryFigures * 6));
    std::string name;
    for (const std::string_view product : products)
        for (const char* figure : kFigureNames) {
            name.assign(product.data(), product.size()).append(": ").append(figure);
            out += separator;
            appendCsvFieldAsWritten(out, name);
        }
    out += "\r\n";
    for (const HistoryRow& row : rows) {
        appendCsvFieldAsWritten(out, row.time);
        for (const std::string_view product : products) {
            const auto it = std::find_if(row.products.begin(), row.products.end(),
                                         [&](const std::pair<std::string, HistoryFigures>& p) {
                                             return p.first == product;
                                         });
            for (int f = 0; f < kHistoryFigures; ++f) {
                out += separator;
                if (it != row.products.end())
                    out += std::to_string(it->second[f]);
            }
        }
        out += "\r\n";
    }
    return out;
}

} // namespace prereq
