// FleetHistory.csv: one line per summary, so the administrator sees how the round goes. The time,
// then per product the computers satisfied, below recommended, not satisfied, not reported (no
// result for it) and old. The file is read back before a line is added; one that does not read
// as such a history is left as it is.
#pragma once

#include "fleet/FleetSummary.h"

#include <array>
#include <string>
#include <utility>
#include <vector>

namespace prereq {

constexpr int kHistoryFigures = 5;
constexpr std::size_t kHistoryShown = 12; // rows the page shows, the latest last

using HistoryFigures = std::array<int, kHistoryFigures>;

struct HistoryRow {
    std::string time; // as isoCheckTime gives it
    std::vector<std::pair<std::string, HistoryFigures>> products;
};

// The figures of this summary.
HistoryRow historyRow(const FleetSummary& summary, const LocalTime& now, int maxAgeDays);

// Reads a history's UTF-8 text, in whichever list separator it was written with, adding its rows
// to rows. Empty when it read, else why not ("line 3 has 7 fields, the header 16"), and no row
// added.
std::string readFleetHistory(const std::string& text, std::vector<HistoryRow>& rows);

// The file's text (UTF-8, CR LF): a header naming every product of any row, then the rows.
std::string fleetHistoryText(const std::vector<HistoryRow>& rows, char separator);

} // namespace prereq
