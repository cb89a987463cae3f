// RowDecision: what one product row of the main dialog shows for the product's verdict, and
// where the icon of the minimised dialog is drawn. Kept apart from the dialog so the decisions
// are tested without a window.
#pragma once

#include <cstdint>

namespace prereq {

struct RowDecision {
    bool detailsShown;            // the row's Details button
    bool crossShown;              // the not-satisfied picture
    bool checkShown;              // the satisfied picture
    std::uint32_t statusStringId; // the status words, a string-table entry
};

// Only Satisfied counts as satisfied. BelowRecommended, NotSatisfied and any other value give
// the cross, "Prerequisites not satisfied" and the Details button that leads to the report.
RowDecision decideRow(std::int32_t overallStatus);

// Where an icon of iconExtent pixels starts, along one axis, to sit centred in a client area of
// clientExtent pixels: (clientExtent - iconExtent + 1) / 2, rounded toward zero.
int centredIconOffset(int clientExtent, int iconExtent);

} // namespace prereq
