// The result record: level texts, copies, and the two ways readers test a status.
#include "checks/PrerequisiteResult.h"

#include "platform/Platform.h"
#include "platform/simulated/SimulatedPc.h"

#include <gtest/gtest.h>

namespace prereq {
namespace {

struct LevelCase {
    std::uint32_t id;
    std::int32_t value;
    const char* text;
};

TEST(FormatLevel, ReplacesThePlaceholderWithTheDecimalValue) {
    SimulatedPc pc;
    ScopedPlatform use(pc);
    const LevelCase cases[] = {
        {4, 128, "128 MB RAM"},
        {4, 0, "0 MB RAM"},
        {4, -5, "-5 MB RAM"},
        {5, 266, "Pentium 266 MHz processor    "},
        {5, 300, "Pentium 300 MHz processor    "},
        {3, 5120, "5120 MB available space"},
        {3, 2147483647, "2147483647 MB available space"},
        {4, -2147483647 - 1, "-2147483648 MB RAM"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(formatLevel(c.id, c.value), c.text) << c.id << " " << c.value;
        PrerequisiteResult record;
        record.formatRecommendedLevel(c.value, c.id);
        EXPECT_EQ(record.recommendedLevel(), c.text);
    }
}

TEST(PrerequisiteResult, StartsWithEmptyTextsAndNotSatisfied) {
    const PrerequisiteResult record;
    EXPECT_EQ(record.status(), NotSatisfied);
    EXPECT_EQ(record.shownInReport(), 0);
    EXPECT_EQ(record.recommendedLevel(), "");
    EXPECT_EQ(record.moreInfoPage(), "");
    EXPECT_EQ(record.pcLevel(), "");
    EXPECT_EQ(record.minimumPrerequisite(), "");
}

TEST(PrerequisiteResult, CopyIsDeepAndFieldForField) {
    SimulatedPc pc;
    ScopedPlatform use(pc);
    PrerequisiteResult source;
    source.setStatus(BelowRecommended);
    source.setShownInReport(1);
    source.setMoreInfoPage("ras.html");
    source.setPcLevel("97 MB RAM");
    source.setMinimumPrerequisite("96 MB RAM");
    source.formatRecommendedLevel(128, 4);

    PrerequisiteResult copy = source;
    EXPECT_EQ(copy.status(), BelowRecommended);
    EXPECT_EQ(copy.shownInReport(), 1);
    EXPECT_EQ(copy.moreInfoPage(), "ras.html");
    EXPECT_EQ(copy.pcLevel(), "97 MB RAM");
    EXPECT_EQ(copy.minimumPrerequisite(), "96 MB RAM");
    EXPECT_EQ(copy.recommendedLevel(), "128 MB RAM");

    copy.setPcLevel("changed");
    copy.setMoreInfoPage("");
    EXPECT_EQ(source.pcLevel(), "97 MB RAM");
    EXPECT_EQ(source.moreInfoPage(), "ras.html");

    PrerequisiteResult assigned;
    assigned = source;
    EXPECT_EQ(assigned.recommendedLevel(), "128 MB RAM");
}

TEST(PrerequisiteResult, BelowRecommendedMeetsTheMinimum) {
    PrerequisiteResult record;
    record.setStatus(BelowRecommended);
    EXPECT_NE(record.status(), 0);
    EXPECT_EQ(record.status(), BelowRecommended);
}

} // namespace
} // namespace prereq
