// The fake remote-access libraries placed beside PrereqCheck.exe in the scenarios: rasapi32.dll
// (in several export sets), rnaph.dll and rasadmin.dll are all built from this one source; each
// library's .def file decides which of these entry points it exports, and under which names.
//
// RasEnumDevicesA lists the devices named in the environment variable E2E_RAS_DEVICES
// (separated by '|'; none when it is unset), as the platform's 152-byte RASDEVINFOA records.
#include <windows.h>

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// The platform's RASDEVINFOA: the names' lengths are RAS_MaxDeviceType + 1 and
// RAS_MaxDeviceName + 1; the record is padded to 152 bytes.
struct DeviceRecord {
    DWORD dwSize;
    char szDeviceType[17];
    char szDeviceName[129];
};
static_assert(sizeof(DeviceRecord) == 152, "RASDEVINFOA is 152 bytes");

const DWORD bufferTooSmall = 603; // ERROR_BUFFER_TOO_SMALL of the remote-access errors
const DWORD invalidSize = 632;    // ERROR_INVALID_SIZE
const DWORD notImplemented = 120; // ERROR_CALL_NOT_IMPLEMENTED

std::vector<std::string> deviceNames() {
    std::vector<std::string> names;
    char value[2048] = "";
    const DWORD length = GetEnvironmentVariableA("E2E_RAS_DEVICES", value, sizeof value);
    if (length == 0 || length >= sizeof value)
        return names;
    std::string list = value;
    for (std::size_t begin = 0; begin <= list.size();) {
        std::size_t end = list.find('|', begin);
        if (end == std::string::npos)
            end = list.size();
        if (end > begin)
            names.push_back(list.substr(begin, end - begin));
        begin = end + 1;
    }
    return names;
}

} // namespace

extern "C" {

DWORD WINAPI FakeRasEnumDevicesA(DeviceRecord* records, DWORD* byteCount, DWORD* deviceCount) {
    if (!byteCount || !deviceCount)
        return ERROR_INVALID_PARAMETER;
    const std::vector<std::string> names = deviceNames();
    const DWORD needed = static_cast<DWORD>(names.size() * sizeof(DeviceRecord));
    if (!records || *byteCount < needed) {
        *byteCount = needed;
        *deviceCount = static_cast<DWORD>(names.size());
        return bufferTooSmall;
    }
    if (records[0].dwSize != sizeof(DeviceRecord))
        return invalidSize;
    for (std::size_t i = 0; i < names.size(); ++i) {
        DeviceRecord& record = records[i];
        std::memset(&record, 0, sizeof record);
        record.dwSize = sizeof record;
        std::strncpy(record.szDeviceType, "modem", sizeof record.szDeviceType - 1);
        std::strncpy(record.szDeviceName, names[i].c_str(), sizeof record.szDeviceName - 1);
    }
    *byteCount = needed;
    *deviceCount = static_cast<DWORD>(names.size());
    return 0;
}

// Every other entry point the checks look up only needs to exist.
DWORD WINAPI FakeRasEntryPoint() {
    return notImplemented;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
    return TRUE;
}

} // extern "C"
