// What the console program's two summaries (the text table and the JSON document) show of a
// status and of a prerequisite, so that both say the same.
#pragma once

#include "checks/PrerequisiteResult.h"
#include "report/ProductAssessment.h"

#include <cstdint>
#include <string>
#include <vector>

namespace prereq {

// "satisfied", "below-recommended" or "not-satisfied". Like every reader of a status, it takes
// any nonzero value other than BelowRecommended as meeting the prerequisite.
const char* statusName(std::int32_t status);

// The verdict a summary and the exit code give a product that is not satisfied: not satisfied
// when any of its prerequisites fails its minimum. The product's own verdict chooses its report's
// layout and stops at the first prerequisite below its recommended level, so it alone would call
// a PC that also lacks a required drive "below recommended".
std::int32_t summaryVerdict(const ProductAssessment& product);

// The help page of a failed prerequisite, as its report links it; empty for any other.
std::string helpPage(const PrerequisiteResult& entry);

// The entries of a product that its report shows, in list order, as they stand in its list.
std::vector<const PrerequisiteResult*> shownEntries(const ProductAssessment& product);

} // namespace prereq
