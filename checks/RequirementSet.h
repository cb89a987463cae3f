// RequirementSet: a product's fixed, ordered list of prerequisites, and the three program-wide
// lists. They are built once at start-up, before any window exists, by running every probe
// with its product's thresholds; nothing measures the PC again afterwards.
#pragma once

#include "checks/PrerequisiteResult.h"

#include <cstddef>
#include <utility>
#include <vector>

namespace prereq {

class RequirementSet {
public:
    // Appends a copy of the record part of a probe.
    void add(const PrerequisiteResult& entry) { entries_.push_back(entry); }
    // Takes over the texts of a probe that is done with them.
    void add(PrerequisiteResult&& entry) { entries_.push_back(std::move(entry)); }
    // Releases the entries, the last first.
    void release();

    const PrerequisiteResult* entries() const { return entries_.data(); }
    std::size_t size() const { return entries_.size(); }

private:
    std::vector<PrerequisiteResult> entries_;
};

extern RequirementSet plinthSetupRequirements; // installer list, 8 entries
extern RequirementSet wardlineLanRequirements; // LAN console list, 4 entries
extern RequirementSet wardlineRequirements;    // direct-connect console list, 7 entries

// Builds the three lists in the order installer, LAN console, direct-connect console.
void buildRequirementLists();
// Releases them in the reverse order.
void releaseRequirementLists();

} // namespace prereq
