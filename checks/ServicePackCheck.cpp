// The service-pack check. The verdict compares the system's service-pack text as a whole, byte
// for byte: only no text, "Service Pack 1" and "Service Pack 2" fall short.
#include "checks/ServicePackCheck.h"

#include "checks/RemoteAccessCheck.h"
#include "checks/WindowsVersion.h"
#include "platform/PcSnapshot.h"
#include "resources/StringIds.h"

namespace prereq {

ServicePackCheck::ServicePackCheck() {
    setMinimumPrerequisite(snapshot().string(IDS_NT_SERVICE_PACK_3));
    if (!isWindowsNT4()) {
        setPcLevel("Not a WINDOWS NT System - SP3 Not Installed");
        setShownInReport(0);
        setStatus(Satisfied);
        return;
    }
    // Without the Remote Access Service the help page sends the reader to install it first.
    setMoreInfoPage(RemoteAccessCheck().status() == Satisfied ? "ntsp.html" : "rasfirst.html");

    VersionInfo version;
    snapshot().version(version);
    const std::string& servicePack = version.csdVersion;
    setPcLevel(servicePack);
    setShownInReport(1);
    const bool sufficient =
        !servicePack.empty() && servicePack != "Service Pack 2" && servicePack != "Service Pack 1";
    setStatus(sufficient ? Satisfied : NotSatisfied);
}

ServicePackCheck::~ServicePackCheck() = default;

} // namespace prereq
