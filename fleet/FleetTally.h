// What must be done across the fleet: per product, each prerequisite that fails somewhere, with
// the number of computers, the spread of their levels and their names. The prerequisites not
// satisfied and those only below recommended are tallied apart, as they ask for different work.
#pragma once

#include "fleet/FleetSummary.h"

#include <string>
#include <string_view>
#include <vector>

namespace prereq {

// The texts are views into the summary's results, which must outlive the lines.
struct TallyLine {
    std::string_view product;
    std::string_view prerequisite;
    std::string_view status;                 // "not-satisfied" or "below-recommended"
    std::vector<std::string_view> computers; // by name
    // The spread of the computers' levels: "16 MB RAM to 64 MB RAM" where every level holds a
    // number of MB or MHz; else each level with its count, "Service Pack 2 (38), none (3)".
    std::string levels;
};

// The lines of the not satisfied prerequisites first, then those below recommended; within
// each, by product in the summary's order, then by prerequisite in the results' order.
std::vector<TallyLine> tallyFleet(const FleetSummary& summary);

// The short name of a prerequisite, for a one-line list: "RAM", "CPU", "disk", "CD-ROM", "RAS"
// (the text in parentheses), "SP" (a service pack); else the text itself.
std::string shortPrerequisiteName(const std::string& prerequisite);

} // namespace prereq
