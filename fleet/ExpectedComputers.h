// The computers an administrator expects results from: a text file of names, one a line, or the
// output of "net view" as it is. Matched against the results, it gives the computers that have
// not reported and the results from computers not on the list.
#pragma once

#include "fleet/FleetSummary.h"

#include <string>
#include <vector>

namespace prereq {

// Reads the list's text (the PC's ANSI bytes, decoded through platform()). Blank lines and
// everything from a ';' on are ignored. Where any line begins with "\\", the text is taken for
// "net view" output: only those lines count, each naming the computer up to its first blank, and
// the header and footer around them are skipped. Empty when the list was read, else "line N: WHY".
std::string readExpectedComputers(const std::string& text, std::vector<std::string>& names);

// Marks the summary against the expected names (ASCII case ignored): the names with no result
// become summary.notReported, the results whose computer is not named summary.notExpected.
void matchExpected(FleetSummary& summary, const std::vector<std::string>& names);

} // namespace prereq
