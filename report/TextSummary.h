// The console program's summary for a person: per product its verdict, then a table of the
// prerequisites its report shows (status, prerequisite, what this PC has), each followed, where
// it applies, by the recommended level it does not reach and the help page of a failed one.
#pragma once

#include "report/ProductAssessment.h"

#include <string>
#include <vector>

namespace prereq {

// Lines end in "\n" and hold at most 79 characters whatever the PC's texts: a long one goes on
// in continuation lines under its column, never cut short. Control characters in
// the PC's texts are shown as "?" so that no text can break a line or move the cursor; other
// bytes go out as they are.
std::string textSummary(const std::vector<const ProductAssessment*>& products);

} // namespace prereq
