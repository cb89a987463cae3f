// The free disk space probe.
#include "checks/DiskSpaceCheck.h"

#include "platform/PcSnapshot.h"
#include "resources/StringIds.h"

#include <limits>
#include <string>

namespace prereq {

namespace {

constexpr auto kLargestLevel = std::numeric_limits<std::int32_t>::max();

// A drive's free space in whole MB. The three 32-bit factors can reach 96 bits, so the byte
// count is multiplied with an overflow check; anything beyond a level's range counts as the
// largest level.
std::int32_t freeMegabytes(const DiskFreeSpace& space) {
    const std::uint64_t bytesPerCluster =
        std::uint64_t{space.sectorsPerCluster} * space.bytesPerSector; // fits: 64 bits
    if (space.freeClusters != 0 &&
        bytesPerCluster > std::numeric_limits<std::uint64_t>::max() / space.freeClusters)
        return kLargestLevel;
    const std::uint64_t megabytes = (bytesPerCluster * space.freeClusters) >> 20;
    if (megabytes > static_cast<std::uint64_t>(kLargestLevel))
        return kLargestLevel;
    return static_cast<std::int32_t>(megabytes);
}

} // namespace

DiskSpaceCheck::DiskSpaceCheck(std::int32_t minimumFreeMb) {
    setShownInReport(1);
    // A: and B: are floppy drives. Every other letter is tried: drive letters may have gaps.
    std::int32_t largestFreeMb = 0;
    for (char letter = 'C'; letter <= 'Z'; ++letter) {
        DiskFreeSpace space;
        if (!snapshot().diskFreeSpace(letter, space))
            continue;
        const std::int32_t freeMb = freeMegabytes(space);
        if (freeMb > largestFreeMb)
            largestFreeMb = freeMb;
    }
    setMinimumPrerequisite(formatLevel(IDS_MB_AVAILABLE_SPACE, minimumFreeMb));
    setPcLevel(formatLevel(IDS_MB_AVAILABLE_SPACE, largestFreeMb));
    setMoreInfoPage("");
    setStatus(largestFreeMb >= minimumFreeMb ? Satisfied : NotSatisfied);
}

} // namespace prereq
