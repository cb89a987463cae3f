// Tallying the failing prerequisites. The levels are the PCs' own texts ("101 MB RAM",
// "Pentium 2447 MHz processor"), so the spread is read from the number before "MB" or "MHz".
#include "fleet/FleetTally.h"

#include <algorithm>
#include <iterator>
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
        auto it = std::find_if(
            counted.begin(), counted.end(),
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
    // Views, so that each comparison below knows the status's length beforehand.
    const std::string_view statuses[] = {"not-satisfied", "below-recommended"};
    struct Gathered {
        TallyLine line;
        std::vector<std::string_view> levels; // of line's computers
    };
    // The lines of each status and product, in that order, gathered in one pass over the results.
    const std::size_t products = summary.counts.size();
    std::vector<std::vector<Gathered>> groups(std::size(statuses) * products);
    for (const ComputerResult& result : summary.results)
        for (const ResultProduct& entry : result.products) {
            std::size_t product = 0;
            while (product < products && summary.counts[product].name != entry.name)
                ++product;
            for (const ResultPrerequisite& prerequisite : entry.prerequisites) {
                std::size_t status = 0;
                while (status < std::size(statuses) && prerequisite.status != statuses[status])
                    ++status;
                if (product == products || status == std::size(statuses))
                    continue; // satisfied
                std::vector<Gathered>& group = groups[status * products + product];
                auto it = std::find_if(group.begin(), group.end(), [&](const Gathered& g) {
                    return g.line.prerequisite == prerequisite.minimumPrerequisite;
                });
                if (it == group.end())
                    it = group.insert(it, Gathered{{summary.counts[product].name,
                                                    prerequisite.minimumPrerequisite,
                                                    statuses[status],
                                                    {},
                                                    {}},
                                                   {}});
                if (it->line.computers.empty() || it->line.computers.back() != result.computer) {
                    it->line.computers.push_back(result.computer);
                    it->levels.push_back(prerequisite.pcLevel);
                }
            }
        }
    std::vector<TallyLine> lines;
    for (std::vector<Gathered>& group : groups)
        for (Gathered& gathered : group) {
            gathered.line.levels = spread(gathered.levels);
            lines.push_back(std::move(gathered.line));
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
