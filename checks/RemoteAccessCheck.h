// RemoteAccessCheck: is the system's own dial-up software installed? The Remote Access Service
// on Windows NT 4 and 2000, Dial-Up Networking 1.2 on the Windows 95 family. Each construction
// runs the whole check again.
#pragma once

#include "checks/PrerequisiteResult.h"

namespace prereq {

// Keys that Dial-Up Networking 1.2 leaves under HKEY_LOCAL_MACHINE; only their presence counts.
constexpr char kDialUpClsidKey[] =
    "SOFTWARE\\Classes\\CLSID\\{992CFFA0-F557-101A-88EC-00DD010CCC48}\\InprocServer32";
constexpr char kDialUpUninstallKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\MSDUN";

class RemoteAccessCheck : public PrerequisiteResult {
public:
    RemoteAccessCheck();
    virtual ~RemoteAccessCheck();
};

} // namespace prereq
