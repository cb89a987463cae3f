// The two drive-letter scans over the drives the PC lists: the CD-ROM drive (B: to Z:, stopping
// at the first) and the largest free space (every letter from C: to Z:).
#include "checks/CdRomCheck.h"
#include "checks/DiskSpaceCheck.h"

#include "platform/Platform.h"
#include "platform/simulated/SimulatedPc.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace prereq {
namespace {

// The roots a scan from first to last asks about: only the drives the PC lists, or every
// letter when it cannot list them (an empty list counts as none: Windows always has one).
std::vector<std::string> rootPaths(const SimulatedPc& pc, char first, char last) {
    std::vector<std::string> paths;
    for (char letter = first; letter <= last; ++letter)
        if (pc.logicalDrivesFail || pc.drives.empty() || pc.drives.count(letter))
            paths.push_back(std::string(1, letter) + ":\\");
    return paths;
}

struct CdRomCase {
    const char* name;
    const char* cdRomLetters;
    const char* otherLetters; // drives of other types
    bool found;
    char lastLetterAsked;
    bool listFails = false; // GetLogicalDrives fails
};

TEST(CdRomCheck, ScansFromBAndStopsAtTheFirstCdRomDrive) {
    const CdRomCase cases[] = {
        {"only at A:", "A", "C", false, 'Z'}, {"at E: and F:", "EF", "C", true, 'E'},
        {"at B:", "B", "", true, 'B'},        {"at Z:", "Z", "CD", true, 'Z'},
        {"none", "", "CDEF", false, 'Z'},     {"at E:, no drive list", "E", "C", true, 'E', true},
    };
    for (const auto& c : cases) {
        SimulatedPc pc;
        pc.logicalDrivesFail = c.listFails;
        for (const char* letter = c.cdRomLetters; *letter; ++letter)
            pc.addCdRomDrive(*letter);
        // Removable, fixed, remote and RAM disk, in turn.
        const std::uint32_t otherTypes[] = {2, 3, 4, 6};
        for (int i = 0; c.otherLetters[i]; ++i) {
            pc.addFixedDrive(c.otherLetters[i], 100);
            pc.drives[c.otherLetters[i]].type = otherTypes[i % 4];
        }
        ScopedPlatform use(pc);
        const CdRomCheck check;
        EXPECT_EQ(check.status(), c.found ? Satisfied : NotSatisfied) << c.name;
        EXPECT_EQ(check.pcLevel(), c.found ? "CD-ROM drive" : "no CD-ROM drive") << c.name;
        EXPECT_EQ(check.minimumPrerequisite(), "CD-ROM drive") << c.name;
        EXPECT_EQ(check.recommendedLevel(), "") << c.name;
        EXPECT_EQ(check.moreInfoPage(), "") << c.name;
        EXPECT_EQ(check.shownInReport(), 1) << c.name;
        EXPECT_EQ(pc.driveTypeQueries, rootPaths(pc, 'B', c.lastLetterAsked)) << c.name;
    }
}

struct DiskCase {
    const char* name;
    std::vector<std::pair<char, SimulatedPc::Drive>> drives;
    std::int32_t minimumMb;
    const char* pcLevel;
    std::int32_t status;
    bool listFails = false; // GetLogicalDrives fails
};

SimulatedPc::Drive fixed(std::uint32_t sectorsPerCluster, std::uint32_t bytesPerSector,
                         std::uint32_t freeClusters, bool readable = true) {
    SimulatedPc::Drive drive;
    drive.readable = readable;
    drive.space = {sectorsPerCluster, bytesPerSector, freeClusters, freeClusters};
    return drive;
}

SimulatedPc::Drive megabytesFree(std::uint32_t megabytes, bool readable = true) {
    return fixed(8, 512, megabytes * 256, readable); // 4 KB clusters
}

SimulatedPc::Drive cdRom() {
    SimulatedPc::Drive drive;
    drive.type = kDriveCdRom;
    drive.readable = false;
    return drive;
}

TEST(DiskSpaceCheck, TakesTheLargestFreeSpaceOfDrivesCToZ) {
    const DiskCase cases[] = {
        {"5 GB free", {{'C', megabytesFree(5120)}}, 5120, "5120 MB available space", Satisfied},
        {"one MB short",
         {{'C', megabytesFree(5120)}},
         5121,
         "5120 MB available space",
         NotSatisfied},
        {"largest of several",
         {{'C', megabytesFree(100)},
          {'D', cdRom()},
          {'F', megabytesFree(300)},
          {'Z', megabytesFree(200)}},
         250,
         "300 MB available space",
         Satisfied},
        {"A: and B: never count",
         {{'A', megabytesFree(900)}, {'B', megabytesFree(900)}},
         1,
         "0 MB available space",
         NotSatisfied},
        {"unreadable drive adds nothing",
         {{'C', megabytesFree(50)}, {'D', megabytesFree(900, false)}},
         100,
         "50 MB available space",
         NotSatisfied},
        {"no drive at all, minimum 0", {}, 0, "0 MB available space", Satisfied},
        {"negative minimum", {}, -1, "0 MB available space", Satisfied},
        {"partial MB truncated",
         {{'C', fixed(1, 1, 1048575)}},
         1,
         "0 MB available space",
         NotSatisfied},
        {"exactly one MB", {{'C', fixed(1, 1, 1048576)}}, 1, "1 MB available space", Satisfied},
        {"largest level exactly",
         {{'C', fixed(1, 1048576, 0x7FFFFFFF)}},
         2147483647,
         "2147483647 MB available space",
         Satisfied},
        {"beyond the largest level",
         {{'C', fixed(1, 1048576, 0x80000000u)}},
         2147483647,
         "2147483647 MB available space",
         Satisfied},
        // 2^24 * 2^12 * 2^28 bytes is 2^64: a 64-bit product would wrap to 0.
        {"byte count beyond 64 bits",
         {{'C', fixed(1u << 24, 1u << 12, 1u << 28)}},
         2147483647,
         "2147483647 MB available space",
         Satisfied},
        {"every factor at its largest",
         {{'C', fixed(0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu)}},
         2147483647,
         "2147483647 MB available space",
         Satisfied},
        {"no drive list: every letter asked",
         {{'C', megabytesFree(10)}, {'Y', megabytesFree(20)}},
         20,
         "20 MB available space",
         Satisfied,
         true},
        {"huge drive among small ones",
         {{'C', megabytesFree(10)},
          {'K', fixed(0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu)},
          {'L', megabytesFree(20)}},
         3000,
         "2147483647 MB available space",
         Satisfied},
    };
    for (const auto& c : cases) {
        SimulatedPc pc;
        pc.logicalDrivesFail = c.listFails;
        for (const auto& [letter, drive] : c.drives)
            pc.drives[letter] = drive;
        ScopedPlatform use(pc);
        const DiskSpaceCheck check(c.minimumMb);
        EXPECT_EQ(check.pcLevel(), c.pcLevel) << c.name;
        EXPECT_EQ(check.status(), c.status) << c.name;
        EXPECT_EQ(check.minimumPrerequisite(), std::to_string(c.minimumMb) + " MB available space")
            << c.name;
        EXPECT_EQ(check.recommendedLevel(), "") << c.name;
        EXPECT_EQ(check.moreInfoPage(), "") << c.name;
        EXPECT_EQ(check.shownInReport(), 1) << c.name;
        EXPECT_EQ(pc.freeSpaceQueries, rootPaths(pc, 'C', 'Z')) << c.name;
    }
}

} // namespace
} // namespace prereq
