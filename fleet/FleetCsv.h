// FleetStatus.csv: the fleet summary for a spreadsheet, one line per computer and product with
// the prerequisites that fail, in the conventions the spreadsheets of these PCs read: comma
// separated, a field in double quotes (its quotes doubled) where it holds a comma, a semicolon,
// a quote or a line break or begins or ends with a blank, CR LF line ends, the ANSI code page.
#pragma once

#include "fleet/FleetSummary.h"
#include "platform/ResultFolders.h"

#include <string>

namespace prereq {

// One CSV field: quoted where needed, and a text a spreadsheet would take for a formula (one
// beginning with '=', '+', '-' or '@') kept as text by a leading apostrophe.
std::string csvField(const std::string& text);

// The file's bytes: a header line, then the lines by computer, each product in its result's
// order; the text converted through platform() into the PC's ANSI code page.
std::string fleetCsv(const FleetSummary& summary, const LocalTime& now);

} // namespace prereq
