// The console program's --summary: the fleet summary of a folder of results, written into that
// folder as FleetStatus.htm (with the reports' pictures beside it) and FleetStatus.csv, and a
// few lines of counts for the console.
#pragma once

#include <string>

namespace prereq {

// Summarises the results in folder (which exists) and writes both files, each first under a
// temporary name and then renamed. Returns the console's lines (ANSI); problem is empty when
// both files were written, else the one line that says which could not be.
std::string writeFleetStatus(const std::string& folder, int maxAgeDays, std::string& problem);

} // namespace prereq
