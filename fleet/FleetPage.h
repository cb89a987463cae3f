// FleetStatus.htm: the fleet summary as a page in the status reports' own style and with their
// pictures. Counts first, then the files that could not be used, then the computers that are not
// satisfied with what fails under each, then the satisfied ones as one list of names.
#pragma once

#include "fleet/FleetSummary.h"
#include "platform/ResultFolders.h"

#include <string>

namespace prereq {

// The page, with '\n' line ends. Every text from a result is escaped as the reports escape the
// PC's findings, and every character beyond ASCII is a character reference, so the page reads
// the same in every browser and code page. A result taken more than maxAgeDays days before now
// is marked old.
std::string fleetPage(const FleetSummary& summary, const LocalTime& now, int maxAgeDays);

} // namespace prereq
