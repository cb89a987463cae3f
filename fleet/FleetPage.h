// FleetStatus.htm: the fleet summary as a page in the status reports' own style and with their
// pictures, in HTML 3.2 as the browsers of these PCs render it. A summary line first, then the
// counts and the history, what must be done, the computers that have not reported, the files
// that could not be used, then the computers: those not satisfied with what fails under each,
// those only below recommended, and the satisfied ones as one list of names. Past
// kDetailedComputers computers that are not satisfied everywhere, each gets one line instead.
#pragma once

#include "fleet/FleetHistory.h"
#include "fleet/FleetSummary.h"
#include "platform/ResultFolders.h"

#include <string>

namespace prereq {

// The page, with '\n' line ends. Every text from a result is escaped as the reports escape the
// PC's findings, and every character beyond ASCII is a character reference, so the page reads
// the same in every browser and code page. A result taken more than maxAgeDays days before now
// is marked old. history holds the rows of the history file, this summary's last;
// historyProblem, where not empty, says why the history file could not be read.
std::string fleetPage(const FleetSummary& summary, const LocalTime& now, int maxAgeDays,
                      const std::vector<HistoryRow>& history, const std::string& historyProblem);

// The page as FleetStatus.htm holds it, with the CR LF line ends that Windows programs read: made
// with them, so that the page is never copied to change them.
std::string fleetPageFile(const FleetSummary& summary, const LocalTime& now, int maxAgeDays,
                          const std::vector<HistoryRow>& history,
                          const std::string& historyProblem);

constexpr std::size_t kDetailedComputers = 200;

} // namespace prereq
