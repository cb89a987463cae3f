// The run's snapshot: each fact read on first use and kept with the services generation it was
// read under.
#include "platform/PcSnapshot.h"

#include "platform/Platform.h"

#include <utility>
#include <vector>

namespace prereq {

namespace {

struct Drive {
    bool typeRead = false;
    bool spaceRead = false;
    std::uint32_t type = 0;
    bool hasSpace = false;
    DiskFreeSpace space;
};

struct Library {
    LibraryHandle handle = 0; // 0: it could not be loaded
    unsigned loads = 0;
    std::vector<std::pair<std::string, ExportAddress>> exports; // each name looked up
};

struct Facts {
    unsigned generation = 0;
    bool drivesListed = false;
    std::uint32_t driveMask = 0; // GetLogicalDrives; every letter when that call fails
    bool versionRead = false;
    bool versionKnown = false;
    VersionInfo version;
    Drive drives[26];
    // A few dozen at most, so a list searched in order (the programs carry no tree code).
    std::vector<std::pair<std::uint32_t, std::string>> strings;
    std::vector<std::pair<std::string, Library>> libraries; // by the name the checks use
};

// Built on first use and never destroyed: a run ends without tearing it down.
Facts& facts() {
    static Facts* current = new Facts;
    if (current->generation != platformGeneration()) {
        delete current;
        current = new Facts;
        current->generation = platformGeneration();
    }
    return *current;
}

std::string rootOf(char letter) {
    return std::string(1, letter) + ":\\";
}

constexpr std::uint32_t kDriveNoRootDir = 1; // DRIVE_NO_ROOT_DIR

bool hasDrive(Facts& f, char letter) {
    if (!f.drivesListed) {
        f.driveMask = platform().logicalDrives();
        if (f.driveMask == 0)
            f.driveMask = (1u << 26) - 1; // A: to Z:
        f.drivesListed = true;
    }
    return (f.driveMask >> (letter - 'A') & 1) != 0;
}

} // namespace

bool PcSnapshot::version(VersionInfo& info) {
    Facts& f = facts();
    if (!f.versionRead) {
        f.versionKnown = platform().getVersion(f.version);
        if (!f.versionKnown)
            f.version = VersionInfo();
        f.versionRead = true;
    }
    info = f.version;
    return f.versionKnown;
}

std::uint32_t PcSnapshot::driveType(char letter) {
    Facts& f = facts();
    Drive& d = f.drives[letter - 'A'];
    if (!d.typeRead) {
        d.type = hasDrive(f, letter) ? platform().driveType(rootOf(letter)) : kDriveNoRootDir;
        d.typeRead = true;
    }
    return d.type;
}

bool PcSnapshot::diskFreeSpace(char letter, DiskFreeSpace& space) {
    Facts& f = facts();
    Drive& d = f.drives[letter - 'A'];
    if (!d.spaceRead) {
        d.hasSpace = hasDrive(f, letter) && platform().diskFreeSpace(rootOf(letter), d.space);
        d.spaceRead = true;
    }
    if (d.hasSpace)
        space = d.space;
    return d.hasSpace;
}

const std::string& PcSnapshot::string(std::uint32_t id) {
    auto& strings = facts().strings;
    for (const auto& entry : strings)
        if (entry.first == id)
            return entry.second;
    strings.emplace_back(id, platform().loadString(id));
    return strings.back().second;
}

LibraryHandle PcSnapshot::loadLibrary(const std::string& fileName) {
    auto& libraries = facts().libraries;
    for (auto& [name, library] : libraries)
        if (name == fileName) {
            if (library.handle != 0)
                ++library.loads;
            return library.handle;
        }
    const LibraryHandle handle = platform().loadLibrary(fileName);
    libraries.emplace_back(fileName, Library{handle, handle != 0 ? 1u : 0u, {}});
    return handle;
}

void PcSnapshot::freeLibrary(LibraryHandle library) {
    auto& libraries = facts().libraries;
    for (auto it = libraries.begin(); it != libraries.end(); ++it)
        if (it->second.handle == library && library != 0) {
            if (--it->second.loads == 0) {
                platform().freeLibrary(library);
                libraries.erase(it); // unloaded, not missing: a later load asks Windows again
            }
            return;
        }
    platform().freeLibrary(library); // not one of the snapshot's: Windows judges it
}

ExportAddress PcSnapshot::findExport(LibraryHandle library, const std::string& exportName) {
    for (auto& [name, loaded] : facts().libraries) {
        if (loaded.handle != library || library == 0)
            continue;
        for (const auto& [known, address] : loaded.exports)
            if (known == exportName)
                return address;
        const ExportAddress address = platform().findExport(library, exportName);
        loaded.exports.emplace_back(exportName, address);
        return address;
    }
    return platform().findExport(library, exportName); // not one of the snapshot's
}

PcSnapshot& snapshot() {
    static PcSnapshot instance;
    return instance;
}

} // namespace prereq
