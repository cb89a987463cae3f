// The simulated PC's system information: the version, memory, processor, the clocks (virtual
// and exact), the drives and the system metrics.
#include "platform/simulated/SimulatedPc.h"

#include "platform/simulated/SimulatedPcHelpers.h"

namespace prereq {

using namespace simulated;

bool SimulatedPc::getVersion(VersionInfo& info) {
    ++callCounts["GetVersionExA"];
    if (versionQueryFails)
        return false;
    info = version;
    return true;
}

std::uint64_t SimulatedPc::counterAt(long double perSecond) const {
    return static_cast<std::uint64_t>(perSecond * static_cast<long double>(clockNanoseconds) /
                                      1e9L);
}

bool SimulatedPc::performanceFrequency(std::int64_t& ticksPerSecond) {
    ticksPerSecond = performanceTicksPerSecond;
    return performanceTicksPerSecond != 0;
}

bool SimulatedPc::performanceCounter(std::int64_t& ticks) {
    clockCalls.push_back("counter");
    ticks = performanceCounterFrozen ? 0
                                     : static_cast<std::int64_t>(counterAt(
                                           static_cast<long double>(performanceTicksPerSecond)));
    if (performanceCounterRunsBackwards)
        ticks = -ticks;
    return performanceTicksPerSecond != 0;
}

void SimulatedPc::sleep(std::uint32_t milliseconds) {
    clockCalls.push_back("sleep");
    sleptMilliseconds += milliseconds;
    clockNanoseconds += std::uint64_t{milliseconds} * 1000000u;
}

bool SimulatedPc::readTimeStampCounter(std::uint64_t& cycles) {
    clockCalls.push_back("tsc");
    if (!hasTimeStampCounter)
        return false;
    cycles = timeStampCounterStart;
    if (!timeStampCounterFrozen)
        cycles += counterAt(processorHz) + timeStampReads;
    ++timeStampReads;
    return true;
}

std::uint32_t SimulatedPc::setErrorMode(std::uint32_t mode) {
    std::swap(errorMode, mode);
    return mode;
}

std::uint32_t SimulatedPc::tickCount() {
    return static_cast<std::uint32_t>(tickCountStart + clockNanoseconds / 1000000u);
}

void SimulatedPc::probed(const char* call, const std::string& argument) {
    if ((errorMode & kQuietErrorMode) != kQuietErrorMode)
        probesWithBoxesOn.push_back(std::string(call) + " " + argument);
}

// GetLogicalDrives (Win32 Programmer's Reference): bit 0 for A: up to bit 25 for Z:, one for each
// drive Windows has, whether or not a disk is in it; 0 when the call fails.
std::uint32_t SimulatedPc::logicalDrives() {
    ++callCounts["GetLogicalDrives"];
    if (logicalDrivesFail)
        return 0;
    std::uint32_t mask = 0;
    for (const auto& drive : drives)
        if (drive.first >= 'A' && drive.first <= 'Z')
            mask |= 1u << (drive.first - 'A');
    return mask;
}

std::uint32_t SimulatedPc::driveType(const std::string& rootPath) {
    driveTypeQueries.push_back(rootPath);
    ++callCounts["GetDriveTypeA"];
    probed("GetDriveTypeA", rootPath);
    if (rootPath.size() != 3 || rootPath.substr(1) != ":\\")
        return 1; // DRIVE_NO_ROOT_DIR
    const auto it = drives.find(rootPath[0]);
    return it == drives.end() ? 1 : it->second.type;
}

bool SimulatedPc::diskFreeSpace(const std::string& rootPath, DiskFreeSpace& space) {
    freeSpaceQueries.push_back(rootPath);
    ++callCounts["GetDiskFreeSpaceA"];
    probed("GetDiskFreeSpaceA", rootPath);
    if (rootPath.size() != 3 || rootPath.substr(1) != ":\\")
        return false;
    const auto it = drives.find(rootPath[0]);
    if (it == drives.end() || !it->second.readable)
        return false;
    space = it->second.space;
    return true;
}

int SimulatedPc::systemMetric(int index) {
    return index == kSmMousePresent && mousePresent;
}

} // namespace prereq
