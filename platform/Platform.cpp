// The process-wide services: the real Windows API in the Windows build. The native build has no
// real PC to measure, so there every caller runs against a PC that a ScopedPlatform put in place.
#include "platform/Platform.h"

#ifdef _WIN32
#include "platform/Win32Services.h"
#else
#include <cstdio>
#include <cstdlib>
#endif

namespace prereq {

namespace {

WindowsServices* current = nullptr;
ScopeCheckedServices* currentChecked = nullptr;
unsigned generation = 0;

} // namespace

ScopeCheckedServices* ScopedPlatform::checkedServices() {
    return currentChecked;
}

WindowsServices& platform() {
    if (current)
        return *current;
#ifdef _WIN32
    static Win32Services services;
    return services;
#else
    std::fputs("prereq::platform(): no PC in place; use a ScopedPlatform\n", stderr);
    std::abort();
#endif
}

unsigned platformGeneration() {
    return generation;
}

void addQuietErrorMode() {
    WindowsServices& pc = platform();
    pc.setErrorMode(pc.setErrorMode(kQuietErrorMode) | kQuietErrorMode);
}

ScopedPlatform::ScopedPlatform(WindowsServices& services)
    : previous_(current), previousChecked_(currentChecked) {
    current = &services;
    currentChecked = nullptr;
    ++generation;
}

ScopedPlatform::ScopedPlatform(ScopeCheckedServices& services)
    : ScopedPlatform(static_cast<WindowsServices&>(services)) {
    checked_ = &services;
    currentChecked = &services;
}

ScopedPlatform::~ScopedPlatform() {
    current = previous_;
    currentChecked = previousChecked_;
    ++generation;
    if (checked_)
        checked_->scopeEnded();
}

} // namespace prereq
