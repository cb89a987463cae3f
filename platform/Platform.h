// The process-wide WindowsServices that the probes, the report writer and the launcher use.
// The program runs against the real Windows API; tests swap in a SimulatedPc for the length
// of a scope with ScopedPlatform, so the probes keep their documented constructor arguments.
#pragma once

#include "platform/WindowsServices.h"

namespace prereq {

// The services in effect now. The native build has no real PC: there a ScopedPlatform must
// be in place.
WindowsServices& platform();

// Makes services the process-wide instance until the guard goes out of scope.
class ScopedPlatform {
public:
    explicit ScopedPlatform(WindowsServices& services);
    ~ScopedPlatform();
    ScopedPlatform(const ScopedPlatform&) = delete;
    ScopedPlatform& operator=(const ScopedPlatform&) = delete;

private:
    WindowsServices* previous_;
};

} // namespace prereq
