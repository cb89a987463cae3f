// The version tests. A failed version query leaves the record zeroed, so every test is false.
#include "checks/WindowsVersion.h"

#include "platform/PcSnapshot.h"

namespace prereq {

namespace {

VersionInfo queryVersion() {
    VersionInfo info;
    snapshot().version(info);
    return info;
}

} // namespace

bool isWindowsNT4() {
    const VersionInfo v = queryVersion();
    return v.platformId == kPlatformWin32Nt && v.majorVersion == 4;
}

bool isWindowsNT5() {
    const VersionInfo v = queryVersion();
    return v.platformId == kPlatformWin32Nt && v.majorVersion == 5;
}

bool isWindows95() {
    const VersionInfo v = queryVersion();
    return v.platformId == kPlatformWin32Windows && v.majorVersion == 4 && v.minorVersion == 0;
}

} // namespace prereq
