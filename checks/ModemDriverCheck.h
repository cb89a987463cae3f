// ModemDriverCheck: is the console's own modem driver installed? It counts as installed only
// when three sources agree: the dial-up software is installed and usable, the remote-access
// device list holds a device of the console's model, and the modem class in the registry holds
// an entry of that model attached to a port.
#pragma once

#include "checks/PrerequisiteResult.h"
#include "platform/WindowsServices.h"

namespace prereq {

// The model name under which Windows lists the console's driver as a modem.
constexpr char consoleModemModel[] = "Torvane Wardline Connection";

// Entry points of "rasapi32.dll", each 0 until bound or when the library lacks it.
struct RasEntryPointTable {
    ExportAddress rasDialA = 0;
    ExportAddress rasHangUpA = 0;
    ExportAddress rasSetEntryPropertiesA = 0;
    ExportAddress rasGetEntryPropertiesA = 0;
    ExportAddress rasEditPhonebookEntryA = 0;
    ExportAddress rasValidateEntryNameA = 0;
    ExportAddress rasRenameEntryA = 0;
    ExportAddress rasDeleteEntryA = 0;
    ExportAddress rasEnumDevicesA = 0;
    ExportAddress rasEnumEntriesA = 0;
    ExportAddress rasEnumConnectionsA = 0;
    ExportAddress rasGetErrorStringA = 0;
    ExportAddress rasGetConnectStatusA = 0;
    ExportAddress rasGetProjectionInfoA = 0;
    ExportAddress rasGetEntryDialParamsA = 0;
};

class ModemDriverCheck : public PrerequisiteResult {
public:
    ModemDriverCheck();
    virtual ~ModemDriverCheck();

    // Whether "rasapi32.dll" can be used on this system; loads it into remoteAccessLibrary,
    // where it stays loaded until the process ends.
    bool isRemoteAccessUsable();
    // Fills RasEntryPoints from remoteAccessLibrary; a missing export leaves its entry 0.
    void bindRasEntryPoints();

    RasEntryPointTable RasEntryPoints;
    LibraryHandle remoteAccessLibrary = 0;

private:
    bool deviceListed() const;
};

} // namespace prereq
