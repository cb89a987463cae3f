// Tallying the failing prerequisites. The levels are the PCs' own texts ("101 MB RAM",
// "Pentium 2447 MHz processor"), so the spread is read from the number before "MB" or "MHz".
#include "fleet/FleetTally.h"

#include <algorithm>
#include <string_view>

namespace prereq {

namespace {

using namespace std::string_view_literals; // texts whose length is known where they are written

// The number before " MB" or " MHz" in a level; -1 where there is none.
long long levelNumber(std::string_view level) {
    for (const std::string_view unit : {" MB"sv, " MHz"sv}) {
        const std::size_t at = level.find(unit);
        if (at == std::string_view::npos || at == 0)
            continue;
        std::size_t start = at;
        while (start > 0 && level[start - 1] >= '0' && level[start - 1] <= '9' && at - start < 12)
            --start;
        if (start == at)
            continue;
        long long value = 0;
        for (std::size_t i = start; i < at; ++i)
            value = value * 10 + (level[i] - '0');
        return value;
    }
    return -1;
}

std::string spread(const std::vector<std::string_view>& levels) {
    bool numeric = true;
    std::size_t lowest = 0, highest = 0;
    for (std::size_t i = 0; i < levels.size() && numeric; ++i) {
        const long long value = levelNumber(levels[i]);
        numeric = value >= 0;
        if (numeric && value < levelNumber(levels[lowest]))
            lowest = i;
        if (numeric && value > levelNumber(levels[highest]))
            highest = i;
    }
    std::string out;
    if (numeric && !levels.empty()) {
        out = levels[lowest];
        if (levelNumber(levels[lowest]) != levelNumber(levels[highest])) {
            out += " to "sv;
            out += levels[highest];
        }
        return out;
    }
    std::vector<std::pair<std::string_view, int>> counted;
    for (const std::string_view level : levels) {
        const std::string_view text = level.empty() ? "none given"sv : level;
        auto it =
            std::find_if(counted.begin(), counted.end(),
                         [&](const std::pair<std::string_view, int>& c) { return c.first == text; });
        if (it == counted.end())
            counted.emplace_back(text, 1);
        else
            ++it->second;
    }
    for (const auto& level : counted) {
        if (!out.empty())
            out += ", "sv;
        out += level.first;
        out += " ("sv;
        out += std::to_string(level.second);
        out += ')';
    }
    return out;
}

} // namespace

std::vector<TallyLine> tallyFleet(const FleetSummary& summary) {
    std::vector<TallyLine> lines;
    // Views, so that each comparison below knows the status's length beforehand.
    const std::string_view statuses[] = {"not-satisfied", "below-recommended"};
    std::vector<TallyLine> product;                    // one product's lines in one status
    std::vector<std::vector<std::string_view>> levels; // and the levels of each
    for (const std::string_view status : statuses) {
        for (const ProductCounts& counted : summary.counts) {
            product.clear();
            levels.clear();
            for (const ComputerResult& result : summary.results)
                for (const ResultProduct& entry : result.products) {
                    if (entry.name != counted.name)
                        continue;
                    for (const ResultPrerequisite& prerequisite : entry.prerequisites) {
                        if (prerequisite.status != status)
                            continue;
                        auto it = std::find_if(
                            product.begin(), product.end(), [&](const TallyLine& line) {
                                return line.prerequisite == prerequisite.minimumPrerequisite;
                            });
                        if (it == product.end()) {
                            it = product.insert(it, TallyLine{counted.name,
                                                              prerequisite.minimumPrerequisite,
                                                              status,
                                                              {},
                                                              {}});
                            levels.emplace_back();
                        }
                        if (it->computers.empty() || it->computers.back() != result.computer) {
                            it->computers.push_back(result.computer);
                            levels[static_cast<std::size_t>(it - product.begin())].push_back(
                                prerequisite.pcLevel);
                        }
                    }
                }
            for (std::size_t i = 0; i < product.size(); ++i) {
                product[i].levels = spread(levels[i]);
                lines.push_back(std::move(product[i]));
            }
        }
    }
    return lines;
}

std::string shortPrerequisiteName(const std::string& prerequisite) {
    const std::size_t open = prerequisite.find('('), close = prerequisite.rfind(')');
    if (open != std::string::npos && close != std::string::npos && close > open + 1)
        return prerequisite.substr(open + 1, close - open - 1);
    const struct {
        const char* word;
        const char* shortName;
    } kWords[] = {{"RAM", "RAM"},       {"MHz", "CPU"},         {"available space", "disk"},
                  {"CD-ROM", "CD-ROM"}, {"Service Pack", "SP"}, {"modem", "modem"},
                  {"Mouse", "mouse"},   {"Dial-Up", "DUN"}};
    for (const auto& word : kWords)
        if (prerequisite.find(word.word) != std::string::npos)
            return word.shortName;
    return prerequisite;
}

} // namespace prereq
