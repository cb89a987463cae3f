// The process-wide services: the real Windows API in the Windows build, an empty simulated PC
// in the native build (which has no real PC to measure).
#include "platform/Platform.h"

#ifdef _WIN32
#include "platform/Win32Services.h"
#else
#include "platform/SimulatedPc.h"
#endif

namespace prereq {

namespace {

WindowsServices& defaultServices() {
#ifdef _WIN32
    static Win32Services services;
#else
    static SimulatedPc services;
#endif
    return services;
}

WindowsServices* current = nullptr;

} // namespace

WindowsServices& platform() {
    return current ? *current : defaultServices();
}

ScopedPlatform::ScopedPlatform(WindowsServices& services) : previous_(current) {
    current = &services;
}

ScopedPlatform::~ScopedPlatform() {
    current = previous_;
}

} // namespace prereq
