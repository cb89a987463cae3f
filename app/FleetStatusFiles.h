// The console program's --summary: the fleet summary of a folder of results, written into that
// folder as FleetStatus.htm (with the reports' pictures beside it), FleetStatus.csv and
// FleetTally.csv, a line added to FleetHistory.csv there, and a few lines of counts for the
// console.
#pragma once

#include <string>

namespace prereq {

// Summarises the results in folder (which exists) against the computers listed in expectFile
// (none where it is empty) and writes the files, each first under a temporary name and then
// renamed. Returns the console's lines (ANSI); problem is empty when the files were written,
// else the one line that says which could not be, or what is wrong with the list. A history
// that cannot be read is left as it is and said so on the page and the console.
std::string writeFleetStatus(const std::string& folder, int maxAgeDays,
                             const std::string& expectFile, std::string& problem);

} // namespace prereq
