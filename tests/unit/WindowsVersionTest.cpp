// The version tests over the systems PrereqCheck tells apart, and a failing version query.
#include "checks/WindowsVersion.h"

#include "platform/Platform.h"
#include "platform/simulated/SimulatedPc.h"

#include <gtest/gtest.h>

namespace prereq {
namespace {

struct VersionCase {
    const char* name;
    std::uint32_t platformId, major, minor;
    bool queryFails;
    bool nt4, nt5, win95;
};

TEST(WindowsVersion, TellsTheSystemsApart) {
    const VersionCase cases[] = {
        {"NT 4.0", kPlatformWin32Nt, 4, 0, false, true, false, false},
        {"NT 4.x", kPlatformWin32Nt, 4, 10, false, true, false, false},
        {"Windows 2000", kPlatformWin32Nt, 5, 0, false, false, true, false},
        {"Windows XP", kPlatformWin32Nt, 5, 1, false, false, true, false},
        {"Windows 7", kPlatformWin32Nt, 6, 1, false, false, false, false},
        {"NT 3.51", kPlatformWin32Nt, 3, 51, false, false, false, false},
        {"Windows 95", kPlatformWin32Windows, 4, 0, false, false, false, true},
        {"Windows 98", kPlatformWin32Windows, 4, 10, false, false, false, false},
        {"Windows Me", kPlatformWin32Windows, 4, 90, false, false, false, false},
        {"Win32s 4.0", 0, 4, 0, false, false, false, false},
        {"query fails", kPlatformWin32Nt, 4, 0, true, false, false, false},
    };
    for (const auto& c : cases) {
        SimulatedPc pc;
        pc.version = {c.major, c.minor, 0, c.platformId, ""};
        pc.versionQueryFails = c.queryFails;
        ScopedPlatform use(pc);
        EXPECT_EQ(isWindowsNT4(), c.nt4) << c.name;
        EXPECT_EQ(isWindowsNT5(), c.nt5) << c.name;
        EXPECT_EQ(isWindows95(), c.win95) << c.name;
    }
}

TEST(WindowsVersion, AsksOncePerPc) {
    SimulatedPc pc = SimulatedPc::windowsNt4();
    {
        ScopedPlatform use(pc);
        EXPECT_TRUE(isWindowsNT4());
        EXPECT_FALSE(isWindowsNT5());
    }
    pc.version.majorVersion = 5;
    ScopedPlatform next(pc);
    EXPECT_FALSE(isWindowsNT4());
    EXPECT_TRUE(isWindowsNT5());
    EXPECT_EQ(pc.callCounts["GetVersionExA"], 2u);
}

} // namespace
} // namespace prereq
