// FleetStatus.csv: the fleet summary for a spreadsheet, one line per computer, product and
// failing prerequisite (one for a satisfied product, one for a computer that has not reported),
// and FleetTally.csv, what must be done, in the conventions the spreadsheets of these PCs read:
// separated by the PC's own list separator, a field in double quotes (its quotes doubled) where it
// holds a comma, a semicolon, a quote or a line break or begins or ends with a blank, CR LF line
// ends, the ANSI code page.
#pragma once

#include "fleet/FleetSummary.h"
#include "platform/ResultFolders.h"

#include <string>
#include <string_view>

namespace prereq {

// One CSV field: quoted where needed, and a text a spreadsheet would take for a formula (one
// beginning with '=', '+', '-' or '@') kept as text by a leading apostrophe. The append form adds
// it to out, as the writers do.
std::string csvField(const std::string& text);
void appendCsvField(std::string& out, std::string_view text);

// A UTF-8 field as it will be written in the PC's ANSI code page: hidden characters shown as
// '?', converted, then quoted and kept from reading as a formula by csvField on those bytes;
// given back as UTF-8 for the writer's one conversion at the end, which gives the same bytes. The
// append form adds it to out.
std::string csvFieldAsWritten(const std::string& utf8);
void appendCsvFieldAsWritten(std::string& out, std::string_view utf8);

// The separator of the spreadsheet files: the PC's list separator where it is one character a
// field can be quoted around, else ','.
char spreadsheetSeparator(const std::string& listSeparator);

// The file's bytes: a header line, then the lines by computer, each product in its result's
// order, then the computers not reported; the text converted through platform() into the PC's
// ANSI code page.
std::string fleetCsv(const FleetSummary& summary, const LocalTime& now, char separator);

// FleetTally.csv's bytes: a line per product and failing prerequisite, with the number of
// computers, their levels and names, ready for a purchase list.
std::string fleetTallyCsv(const FleetSummary& summary, char separator);

} // namespace prereq
