// The three tests that tell apart the Windows systems PrereqCheck knows. Each asks the system
// again on every call. They are not a partition: Windows 98 makes all three false.
#pragma once

namespace prereq {

bool isWindowsNT4(); // NT platform, major version 4, any minor version
bool isWindowsNT5(); // NT platform, major version 5, any minor version
bool isWindows95();  // Windows 95 family platform, version 4.0

} // namespace prereq
