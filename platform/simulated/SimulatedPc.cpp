// SimulatedPc: answers each WindowsServices call from its data, with the results and error
// codes the real calls give, keeps a record of the calls made, and reports every misuse. Here:
// how names are ordered, how misuses are reported, and what each handle is. The calls are
// answered in SystemInformation.cpp, RegistryAndLibraries.cpp, ShellAndFiles.cpp and
// UserInterface.cpp of this folder; the PCs themselves are described in Presets.cpp.
#include "platform/simulated/SimulatedPc.h"

#include "platform/simulated/SimulatedPcHelpers.h"

#include <cstdio>
#include <cstdlib>

namespace prereq {

using namespace simulated;

namespace {

SimulatedPc::MisuseReport& misuseReport() {
    static SimulatedPc::MisuseReport report = [](const std::string& message) {
        std::fprintf(stderr, "%s\n", message.c_str());
        std::abort();
    };
    return report;
}

std::uint64_t keysCreated = 0;

} // namespace

SimulatedPc::MisuseReport SimulatedPc::reportMisuseWith(MisuseReport report) {
    std::swap(misuseReport(), report);
    return report;
}

std::uint64_t SimulatedPc::nextKeyCreation() {
    return ++keysCreated;
}

bool CaseInsensitiveLess::operator()(const std::string& a, const std::string& b) const {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(upper(x)) < static_cast<unsigned char>(upper(y));
    });
}

int SimulatedPc::loadedLibraryReferences(const std::string& name) const {
    for (const auto& loaded : loadedLibraries_)
        if (equalsIgnoringCase(loaded.second.name, name))
            return loaded.second.references;
    return 0;
}

std::string SimulatedPc::whatHandleIs(std::uintptr_t handle) const {
    const auto ended = endedHandles_.find(handle);
    if (ended != endedHandles_.end())
        return ended->second;
    if (openKeys_.count(handle))
        return "is the open key " + openKeys_.at(handle);
    if (loadedLibraries_.count(handle))
        return "is the loaded library " + loadedLibraries_.at(handle).name;
    if (openFiles_.count(handle))
        return "is the open file " + openFiles_.at(handle);
    return "was never issued";
}

void SimulatedPc::misuse(const char* call, const char* kind, std::uintptr_t handle) {
    misuse(std::string(call) + " given " + kind + " handle " + hex(handle) + ", which " +
           whatHandleIs(handle));
}

void SimulatedPc::misuse(const std::string& message) {
    ++invalidHandleUses;
    misuseReport()("simulated PC: " + message);
}

void SimulatedPc::scopeEnded() {
    for (const auto& key : openKeys_)
        misuseReport()("simulated PC: key handle " + hex(key.first) + " (" + key.second +
                       ") is still open as the ScopedPlatform ends: RegOpenKeyExA opened it, no "
                       "RegCloseKey closed it");
    for (const auto& file : openFiles_)
        misuseReport()("simulated PC: file handle " + hex(file.first) + " (" + file.second +
                       ") is still open as the ScopedPlatform ends: CreateFileA created it, no "
                       "CloseHandle closed it");
}

} // namespace prereq
