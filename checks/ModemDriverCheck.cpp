// The console modem driver check: the dial-up software, then the remote-access device list,
// then the modem class in the registry. Every device record and every modem subkey is looked at;
// what the system hands back is read only within the buffers it was given.
#include "checks/ModemDriverCheck.h"

#include "checks/RegistryKey.h"
#include "checks/RemoteAccessCheck.h"
#include "checks/WindowsVersion.h"
#include "platform/PcSnapshot.h"
#include "platform/Platform.h"
#include "resources/StringIds.h"

#include <algorithm>
#include <memory>
#include <new>

namespace prereq {

namespace {

constexpr char kNtModemClassKey[] =
    "SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E96D-E325-11CE-BFC1-08002BE10318}";
constexpr char kWindows95ModemClassKey[] = "SYSTEM\\CurrentControlSet\\Services\\Class\\Modem";

bool namesConsoleModem(const std::string& text) {
    return text.find(consoleModemModel) != std::string::npos;
}

// A modem-class entry counts when it is attached to a port and is of the console's model.
bool modemRegistered(bool ntFamily) {
    const std::string classPath = ntFamily ? kNtModemClassKey : kWindows95ModemClassKey;
    const RegistryKey modemClass(classPath);
    bool found = false;
    std::string subkey;
    for (std::uint32_t index = 0; modemClass.subkeyName(index, subkey); ++index) {
        const RegistryKey modem(classPath + "\\" + subkey);
        if (!modem.isOpen() || !modem.hasReadableValue("AttachedTo"))
            continue;
        std::string model;
        if (modem.readText("Model", model) && namesConsoleModem(model))
            found = true;
    }
    return found;
}

} // namespace

ModemDriverCheck::ModemDriverCheck() {
    const bool windowsNt4 = isWindowsNT4();
    const bool windowsNt5 = isWindowsNT5();
    setMinimumPrerequisite(snapshot().string(IDS_MODEM_DRIVER));
    setShownInReport(1);
    setMoreInfoPage(windowsNt4   ? "ntmodem.html"
                    : windowsNt5 ? "2000modem.html"
                                 : "9598memodem.html");

    bool installed = false;
    if (RemoteAccessCheck().status() != Satisfied) {
        // The driver needs the dial-up software: the help page says how to install that first.
        setMoreInfoPage(windowsNt4 ? "ras.html" : "dunfirst.html");
    } else if (isRemoteAccessUsable()) {
        bindRasEntryPoints();
        installed = RasEntryPoints.rasEnumDevicesA != 0 && deviceListed() &&
                    modemRegistered(windowsNt4 || windowsNt5);
    }
    setStatus(installed ? Satisfied : NotSatisfied);
    setPcLevel(snapshot().string(installed ? IDS_DRIVER_INSTALLED : IDS_DRIVER_NOT_INSTALLED));
}

ModemDriverCheck::~ModemDriverCheck() = default;

bool ModemDriverCheck::isRemoteAccessUsable() {
    const bool ntFamily = isWindowsNT4() || isWindowsNT5();
    if (!ntFamily && !RegistryKey(kDialUpClsidKey).isOpen())
        return false;
    remoteAccessLibrary = snapshot().loadLibrary("rasapi32.dll");
    if (remoteAccessLibrary == 0)
        return false;
    // Dial-Up Networking 1.2 on the Windows 95 family exports the call without its A suffix.
    if (snapshot().findExport(remoteAccessLibrary,
                              ntFamily ? "RasSetEntryPropertiesA" : "RasSetEntryProperties") == 0)
        return false;
    if (!ntFamily && isWindows95() && !RegistryKey(kDialUpUninstallKey).isOpen())
        return false;
    return true;
}

void ModemDriverCheck::bindRasEntryPoints() {
    RasEntryPointTable& e = RasEntryPoints;
    const LibraryHandle library = remoteAccessLibrary;
    e.rasSetEntryPropertiesA = snapshot().findExport(library, "RasSetEntryPropertiesA");
    e.rasGetEntryPropertiesA = snapshot().findExport(library, "RasGetEntryPropertiesA");
    e.rasEditPhonebookEntryA = snapshot().findExport(library, "RasEditPhonebookEntryA");
    e.rasValidateEntryNameA = snapshot().findExport(library, "RasValidateEntryNameA");
    e.rasRenameEntryA = snapshot().findExport(library, "RasRenameEntryA");
    e.rasDeleteEntryA = snapshot().findExport(library, "RasDeleteEntryA");
    e.rasEnumDevicesA = snapshot().findExport(library, "RasEnumDevicesA");
    e.rasEnumEntriesA = snapshot().findExport(library, "RasEnumEntriesA");
    e.rasEnumConnectionsA = snapshot().findExport(library, "RasEnumConnectionsA");
    e.rasDialA = snapshot().findExport(library, "RasDialA");
    e.rasHangUpA = snapshot().findExport(library, "RasHangUpA");
    e.rasGetErrorStringA = snapshot().findExport(library, "RasGetErrorStringA");
    e.rasGetConnectStatusA = snapshot().findExport(library, "RasGetConnectStatusA");
    e.rasGetProjectionInfoA = snapshot().findExport(library, "RasGetProjectionInfoA");
    e.rasGetEntryDialParamsA = snapshot().findExport(library, "RasGetEntryDialParamsA");
}

bool ModemDriverCheck::deviceListed() const {
    WindowsServices& pc = platform();
    const ExportAddress enumDevices = RasEntryPoints.rasEnumDevicesA;
    std::uint32_t byteCount = 0;
    std::uint32_t deviceCount = 0;
    // The first call only asks how many bytes the list needs; it fails by design.
    pc.rasEnumDevices(enumDevices, nullptr, byteCount, deviceCount);
    // Too few bytes for one record: there is nowhere to put even the record's size field.
    const std::size_t capacity = byteCount / sizeof(RasDeviceRecord);
    if (capacity == 0)
        return false;

    // Whole records covering at least the byte count asked for, zeroed; none when there is no
    // memory for them.
    const std::unique_ptr<RasDeviceRecord[]> records(
        new (std::nothrow)
            RasDeviceRecord[(byteCount + sizeof(RasDeviceRecord) - 1) / sizeof(RasDeviceRecord)]());
    if (!records)
        return false;
    records[0].size = sizeof(RasDeviceRecord);
    std::uint32_t bytes = byteCount;
    if (pc.rasEnumDevices(enumDevices, records.get(), bytes, deviceCount) != 0)
        return false;

    // Only the records within the bytes the system was allowed to fill are read, whatever count
    // it reports, and each name only within its field.
    const std::size_t examined = std::min<std::size_t>(deviceCount, capacity);
    bool found = false;
    for (std::size_t i = 0; i < examined; ++i) {
        const char* name = records[i].deviceName;
        const char* end = std::find(name, name + sizeof records[i].deviceName, '\0');
        if (namesConsoleModem(std::string(name, end)))
            found = true;
    }
    return found;
}

} // namespace prereq
