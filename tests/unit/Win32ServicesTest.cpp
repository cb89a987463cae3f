// The real Windows API behind the seam, as the Windows build sees it under Wine or Windows.
#include "platform/Win32Services.h"
#include "platform/TimeStampCounter.h"
#include "resources/StringIds.h"

#include <gtest/gtest.h>

namespace prereq {
namespace {

TEST(Win32Services, LoadsEveryStringTableEntryFromTheResources) {
    Win32Services services;
    for (std::uint32_t id = 1; id <= 24; ++id)
        EXPECT_EQ(services.loadString(id), builtInString(id)) << id;
    EXPECT_EQ(services.loadString(25), "");
}

TEST(Win32Services, TimeStampCounterIncreases) {
    Win32Services services;
    ASSERT_TRUE(processorHasTimeStampCounter());
    std::uint64_t first = 0, second = 0;
    ASSERT_TRUE(services.readTimeStampCounter(first));
    services.sleep(1);
    ASSERT_TRUE(services.readTimeStampCounter(second));
    EXPECT_GT(second, first);
}

TEST(Win32Services, ReportsAVersionAndMemory) {
    Win32Services services;
    VersionInfo info;
    EXPECT_TRUE(services.getVersion(info));
    EXPECT_NE(info.platformId, 0u);
    EXPECT_GT(services.totalPhysicalMemory(), 0u);
    EXPECT_FALSE(services.computerName().empty());
    EXPECT_EQ(services.ansiToOem("ASCII stays\r\n"), "ASCII stays\r\n");
    std::int64_t frequency = 0;
    EXPECT_TRUE(services.performanceFrequency(frequency));
    EXPECT_GT(frequency, 0);
}

TEST(Win32Services, MissingThingsFailQuietly) {
    Win32Services services;
    KeyHandle key = 0;
    EXPECT_NE(services.openKey("SOFTWARE\\No Such Key For PrereqCheck", key), 0);
    EXPECT_EQ(key, 0u);
    EXPECT_EQ(services.loadLibrary("no-such-library-prereqcheck.dll"), 0u);
    std::string value;
    EXPECT_FALSE(services.environmentVariable("PREREQCHECK_UNSET_VARIABLE", value));
    EXPECT_EQ(services.createReportFile("Z:\\no\\such\\folder\\report.htm"), 0u);
    EXPECT_FALSE(services.isFolder("Z:\\no\\such\\folder"));
    EXPECT_FALSE(services.moveFile("Z:\\no\\such\\a.tmp", "Z:\\no\\such\\a.json"));
    EXPECT_FALSE(services.replaceFile("Z:\\no\\such\\a.tmp", "Z:\\no\\such\\a.json"));
    EXPECT_EQ(services.createNewFile("Z:\\no\\such\\a.tmp"), 0u);
    EXPECT_EQ(services.findFirstFile("Z:\\no\\such\\*"), 3u); // ERROR_PATH_NOT_FOUND
    EXPECT_NE(services.errorMessage(3), "");
}

} // namespace
} // namespace prereq
