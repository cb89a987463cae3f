// The remote-access check: the Remote Access Service's libraries on Windows NT 4 and 2000; the
// registry keys and libraries of Dial-Up Networking 1.2 on the Windows 95 family, where an older
// installation that only has "rnaph.dll" gets a second chance.
#include "checks/RemoteAccessCheck.h"

#include "checks/RegistryKey.h"
#include "checks/WindowsVersion.h"
#include "platform/PcSnapshot.h"
#include "platform/Platform.h"
#include "resources/StringIds.h"

namespace prereq {

namespace {

// Libraries loaded here stay loaded until the process ends, except where one is released
// because it turned out to be the wrong one.
bool remoteAccessServiceInstalled(bool windowsNt4) {
    const LibraryHandle admin = snapshot().loadLibrary("rasadmin.dll");
    const LibraryHandle api = snapshot().loadLibrary("rasapi32.dll");
    const bool exported = api != 0 && snapshot().findExport(api, "RasSetEntryPropertiesA") != 0;
    // Windows 2000 no longer ships the administration library; NT 4 needs it.
    return exported && (admin != 0 || !windowsNt4);
}

// Dial-Up Networking as "rnaph.dll" provides it, with "rasapi32.dll" able to dial.
bool dialUpSecondChance() {
    const LibraryHandle helper = snapshot().loadLibrary("rnaph.dll");
    if (helper == 0)
        return false;
    if (snapshot().findExport(helper, "RasSetEntryProperties") == 0) {
        snapshot().freeLibrary(helper);
        return false;
    }
    const LibraryHandle api = snapshot().loadLibrary("rasapi32.dll");
    if (api != 0 && snapshot().findExport(api, "RasDialA") != 0)
        return true;
    snapshot().freeLibrary(helper);
    if (api != 0)
        snapshot().freeLibrary(api);
    return false;
}

bool dialUpNetworkingInstalled(bool windows95) {
    // Without its class registration Dial-Up Networking is not there at all.
    if (!RegistryKey(kDialUpClsidKey).isOpen())
        return false;
    const LibraryHandle api = snapshot().loadLibrary("rasapi32.dll");
    if (api != 0) {
        if (snapshot().findExport(api, "RasSetEntryProperties") == 0)
            snapshot().freeLibrary(api);
        else if (!windows95 || RegistryKey(kDialUpUninstallKey).isOpen())
            return true;
    }
    return dialUpSecondChance();
}

} // namespace

RemoteAccessCheck::RemoteAccessCheck() {
    setShownInReport(1);
    const bool windowsNt4 = isWindowsNT4();
    if (windowsNt4 || isWindowsNT5()) {
        setMinimumPrerequisite(snapshot().string(IDS_RAS));
        setMoreInfoPage("ras.html");
        const bool installed = remoteAccessServiceInstalled(windowsNt4);
        setStatus(installed ? Satisfied : NotSatisfied);
        setPcLevel(snapshot().string(installed ? IDS_RAS_INSTALLED : IDS_RAS_NOT_INSTALLED));
    } else {
        const bool windows95 = isWindows95();
        setMinimumPrerequisite(snapshot().string(IDS_DUN_12));
        setMoreInfoPage(windows95 ? "dun95.html" : "dunosr298.html");
        const bool installed = dialUpNetworkingInstalled(windows95);
        setStatus(installed ? Satisfied : NotSatisfied);
        setPcLevel(snapshot().string(installed ? IDS_DUN_INSTALLED : IDS_DUN_NOT_INSTALLED));
    }
}

RemoteAccessCheck::~RemoteAccessCheck() = default;

} // namespace prereq
