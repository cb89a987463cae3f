// PcSnapshot: the Windows facts that the checks and the reports read, each read from Windows at
// most once a run. None of them changes while the program runs, and on the PCs it judges every
// call is dear: Windows 95 searches PATH again for each library that is not there, and a 486
// pays for each string table lookup. A snapshot is taken afresh whenever the services in
// effect change (platformGeneration), so each test's simulated PC is read anew.
#pragma once

#include "platform/WindowsServices.h"

#include <cstdint>
#include <string>

namespace prereq {

class PcSnapshot {
public:
    // GetVersionExA: false when the call failed; info is then left zeroed.
    bool version(VersionInfo& info);
    // GetDriveTypeA and GetDiskFreeSpaceA on the root of drive letter 'A' to 'Z'. Only the
    // drives GetLogicalDrives names are asked: a letter with no drive has no root directory
    // (DRIVE_NO_ROOT_DIR) and no free space, as Windows would answer for it.
    std::uint32_t driveType(char letter);
    bool diskFreeSpace(char letter, DiskFreeSpace& space);
    // LoadStringA of the program's string table; empty for an unknown id.
    const std::string& string(std::uint32_t id);
    // LoadLibraryA and FreeLibrary, counted as Windows counts them: a library loaded already
    // costs no call, and FreeLibrary is called when the last of its loads is released. A
    // library that could not be loaded is not looked for again.
    LibraryHandle loadLibrary(const std::string& fileName);
    void freeLibrary(LibraryHandle library);
    // GetProcAddress, once for each name in each library while it stays loaded.
    ExportAddress findExport(LibraryHandle library, const std::string& exportName);
};

// The run's snapshot of the services in effect.
PcSnapshot& snapshot();

} // namespace prereq
