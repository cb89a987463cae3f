// What a product row shows for each verdict, and where the minimised dialog's icon goes.
#include "app/RowDecision.h"

#include "checks/PrerequisiteResult.h"
#include "resources/StringIds.h"

#include <gtest/gtest.h>

#include <climits>

namespace prereq {
namespace {

TEST(RowDecision, OnlySatisfiedShowsTheCheckMark) {
    struct Case {
        std::int32_t status;
        bool satisfied;
    };
    const Case cases[] = {
        {Satisfied, true},
        {NotSatisfied, false},
        {BelowRecommended, false},
        {2, false},
        {-1, false},
        {INT32_MAX, false},
        {INT32_MIN, false},
        {Satisfied + 256, false},
    };
    for (const Case& c : cases) {
        const RowDecision row = decideRow(c.status);
        EXPECT_EQ(row.checkShown, c.satisfied) << c.status;
        EXPECT_EQ(row.crossShown, !c.satisfied) << c.status;
        EXPECT_EQ(row.detailsShown, !c.satisfied) << c.status;
        EXPECT_EQ(row.statusStringId, c.satisfied ? 14u : 15u) << c.status;
    }
}

TEST(RowDecision, StatusWordsAreTheTableEntries) {
    EXPECT_STREQ(builtInString(decideRow(Satisfied).statusStringId), "Prerequisites satisfied");
    EXPECT_STREQ(builtInString(decideRow(BelowRecommended).statusStringId),
                 "Prerequisites not satisfied");
}

TEST(RowDecision, MinimisedIconIsCentredRoundingTowardZero) {
    struct Case {
        int client, icon, offset;
    };
    const Case cases[] = {
        {0, 32, -15},                                 // -31 / 2: toward zero, not -16
        {1, 32, -15},                                 // -30 / 2
        {29, 32, -1},                                 // -2 / 2
        {30, 32, 0},                                  // -1 / 2: toward zero, not -1
        {31, 32, 0},                                  // 0 / 2
        {32, 32, 0},                                  // 1 / 2
        {33, 32, 1},                                  // 2 / 2
        {100, 32, 34},                                // 69 / 2
        {160, 16, 72},                                // 145 / 2
        {0, 16, -7},                                  // -15 / 2
        {0, 0, 0},     {INT_MAX, 0, INT_MAX / 2 + 1}, // no overflow in the sum
    };
    for (const Case& c : cases)
        EXPECT_EQ(centredIconOffset(c.client, c.icon), c.offset) << c.client << " " << c.icon;
}

} // namespace
} // namespace prereq
