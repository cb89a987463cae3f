// The simulated PC's registry (read-only, under HKEY_LOCAL_MACHINE) and its libraries, with
// the one entry point it can call, RasEnumDevicesA.
#include "platform/simulated/SimulatedPc.h"

#include "platform/simulated/SimulatedPcHelpers.h"

#include <cstring>
#include <iterator>

namespace prereq {

using namespace simulated;

bool SimulatedPc::keyExists(const std::string& path) const {
    if (registry.count(path))
        return true;
    // A key exists also when it only holds subkeys.
    const std::string prefix = path + "\\";
    const auto it = registry.lower_bound(prefix);
    return it != registry.end() && startsWithIgnoringCase(it->first, prefix);
}

std::int32_t SimulatedPc::openKey(const std::string& path, KeyHandle& key) {
    key = 0;
    if (!keyExists(path))
        return kErrorFileNotFound;
    const auto it = registry.find(path);
    if (it != registry.end() && !it->second.openable)
        return 5; // ERROR_ACCESS_DENIED
    key = nextHandle_++;
    openKeys_[key] = path;
    openedKeys.push_back(path);
    ++openKeyCount;
    return kErrorSuccess;
}

const std::string* SimulatedPc::openKeyPath(KeyHandle key, const char* call) {
    const auto open = openKeys_.find(key);
    if (open != openKeys_.end())
        return &open->second;
    misuse(call, "key", key);
    return nullptr;
}

std::int32_t SimulatedPc::enumerateSubkey(KeyHandle key, std::uint32_t index, char* name,
                                          std::uint32_t nameSize) {
    const std::string* path = openKeyPath(key, "RegEnumKeyA");
    if (!path)
        return kErrorInvalidHandle;
    const std::string prefix = *path + "\\";
    // The first components of the paths below the key, each dated by the first key created
    // under it. Deeper keys sort among the children ("0000\\Init" between "0000-1" and "0001"),
    // so each name is kept once, whatever follows it.
    std::map<std::string, std::uint64_t, CaseInsensitiveLess> created;
    for (auto it = registry.lower_bound(prefix);
         it != registry.end() && startsWithIgnoringCase(it->first, prefix); ++it) {
        const std::string rest = it->first.substr(prefix.size());
        const auto child = created.emplace(rest.substr(0, rest.find('\\')), it->second.created);
        child.first->second = std::min(child.first->second, it->second.created);
    }
    if (index >= created.size())
        return kErrorNoMoreItems;
    std::vector<std::pair<std::string, std::uint64_t>> children(created.begin(), created.end());
    if (!isNtFamily())
        std::stable_sort(children.begin(), children.end(),
                         [](const auto& a, const auto& b) { return a.second < b.second; });
    const std::string& child = children[index].first;
    if (child.size() + 1 > nameSize) {
        std::memcpy(name, child.data(), nameSize); // what fit, without its NUL
        return kErrorMoreData;
    }
    std::memcpy(name, child.c_str(), child.size() + 1);
    return kErrorSuccess;
}

std::int32_t SimulatedPc::queryValue(KeyHandle key, const std::string& valueName,
                                     std::uint32_t& type, unsigned char* data,
                                     std::uint32_t& dataSize) {
    const std::string* path = openKeyPath(key, "RegQueryValueExA");
    if (!path)
        return kErrorInvalidHandle;
    const auto k = registry.find(*path);
    if (k == registry.end())
        return kErrorFileNotFound;
    const auto v = k->second.values.find(valueName);
    if (v == k->second.values.end())
        return kErrorFileNotFound;
    const auto size = static_cast<std::uint32_t>(v->second.data.size());
    type = v->second.type;
    if (data && size > dataSize) {
        std::memcpy(data, v->second.data.data(), dataSize); // what fit, without its NUL
        dataSize = size;
        return kErrorMoreData;
    }
    if (data)
        std::memcpy(data, v->second.data.data(), size);
    dataSize = size;
    return kErrorSuccess;
}

void SimulatedPc::closeKey(KeyHandle key) {
    const auto open = openKeys_.find(key);
    if (open == openKeys_.end()) {
        misuse("RegCloseKey", "key", key);
        return;
    }
    endedHandles_[key] = "was the key " + open->second + " until RegCloseKey closed it";
    openKeys_.erase(open);
    --openKeyCount;
}

LibraryHandle SimulatedPc::loadLibrary(const std::string& fileName) {
    probed("LoadLibraryA", fileName);
    ++callCounts["LoadLibraryA"];
    const auto it = libraries.find(fileName);
    if (it == libraries.end() || !it->second.loads)
        return 0;
    loadedLibraries.push_back(fileName);
    // A library that is loaded already keeps its handle and counts one load more.
    for (auto& loaded : loadedLibraries_)
        if (equalsIgnoringCase(loaded.second.name, fileName)) {
            ++loaded.second.references;
            return loaded.first;
        }
    const LibraryHandle library = nextHandle_++;
    loadedLibraries_[library] = LoadedLibrary{fileName, 1};
    return library;
}

ExportAddress SimulatedPc::findExport(LibraryHandle library, const std::string& exportName) {
    exportLookups.push_back(exportName);
    const auto loaded = loadedLibraries_.find(library);
    if (loaded == loadedLibraries_.end()) {
        misuse("GetProcAddress", "library", library);
        return 0;
    }
    const auto it = libraries.find(loaded->second.name);
    if (it == libraries.end() || !it->second.exports.count(exportName))
        return 0;
    exportAddresses_.emplace_back(library, exportName);
    return kFirstExportAddress + exportAddresses_.size() - 1;
}

void SimulatedPc::freeLibrary(LibraryHandle library) {
    const auto loaded = loadedLibraries_.find(library);
    if (loaded == loadedLibraries_.end()) {
        misuse("FreeLibrary", "library", library);
        return;
    }
    freedLibraries.push_back(loaded->second.name);
    if (--loaded->second.references > 0)
        return;
    endedHandles_[library] =
        "was the library " + loaded->second.name + " until FreeLibrary unloaded it";
    loadedLibraries_.erase(loaded);
}

std::uint32_t SimulatedPc::rasEnumDevices(ExportAddress entry, RasDeviceRecord* buffer,
                                          std::uint32_t& byteCount, std::uint32_t& deviceCount) {
    rasEnumByteCounts.push_back(byteCount);
    // On Windows either call would run code that is not RasEnumDevicesA, or no code at all.
    const auto calledThrough = [&](const std::string& what) {
        misuse("RasEnumDevicesA called through " + hex(entry) + ", " + what);
        return kErrorInvalidHandle;
    };
    if (entry < kFirstExportAddress || entry - kFirstExportAddress >= exportAddresses_.size())
        return calledThrough("which GetProcAddress never returned");
    const auto& address = exportAddresses_[entry - kFirstExportAddress];
    if (address.second != "RasEnumDevicesA")
        return calledThrough("the entry point of " + address.second);
    if (!loadedLibraries_.count(address.first))
        return calledThrough("its entry point in library handle " + hex(address.first) +
                             ", which " + whatHandleIs(address.first));
    const auto count = static_cast<std::uint32_t>(rasDevices.size());
    const std::uint32_t needed = rasReportedBytes.value_or(count * sizeof(RasDeviceRecord));
    if (buffer == nullptr || byteCount < needed) {
        byteCount = needed;
        deviceCount = count;
        return kRasErrorBufferTooSmall;
    }
    if (buffer->size != sizeof(RasDeviceRecord))
        return 632; // ERROR_INVALID_SIZE
    const std::uint32_t fits = std::min<std::uint32_t>(count, byteCount / sizeof(RasDeviceRecord));
    for (std::uint32_t i = 0; i < fits; ++i) {
        RasDeviceRecord& record = buffer[i];
        record.size = sizeof(RasDeviceRecord);
        std::strncpy(record.deviceType, "modem", sizeof record.deviceType);
        // A name of 129 characters or more fills the field with no terminating NUL.
        std::memset(record.deviceName, 0, sizeof record.deviceName);
        std::memcpy(record.deviceName, rasDevices[i].data(),
                    std::min(rasDevices[i].size(), sizeof record.deviceName));
    }
    deviceCount = rasReportedCount.value_or(fits);
    return rasFillResult;
}

} // namespace prereq
