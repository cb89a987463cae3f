// The process-wide WindowsServices that the probes, the report writer and the launcher use.
// The program runs against the real Windows API; tests swap in a SimulatedPc for the length
// of a scope with ScopedPlatform, so the probes keep their documented constructor arguments.
#pragma once

#include "platform/ResultFolders.h"
#include "platform/WindowsServices.h"

namespace prereq {

// The services in effect now. The native build has no real PC: there a ScopedPlatform must
// be in place.
WindowsServices& platform();

// Counts each change of the services in effect: a fact read once per run is read again when
// this differs from the count it was read at (a test's next simulated PC).
unsigned platformGeneration();

// Turns off the system's boxes for critical errors and files not found (kQuietErrorMode) in
// addition to the error mode the process inherited, whose other flags stay: SetErrorMode
// replaces the mode, and Windows 95 and NT 4.0 have no call that only reads it.
void addQuietErrorMode();

// Services standing in for the PC that judge, when a guard that put them in place goes out of
// scope, what the code that ran meanwhile left behind (a handle still open, for one).
class ScopeCheckedServices : public WindowsServices {
public:
    virtual void scopeEnded() = 0;
    // The same PC's answers to the fleet summary's calls.
    virtual ResultFolders& resultFolders() = 0;
};

// Makes services the process-wide instance until the guard goes out of scope. Services that
// check their scope are asked to, on the way out: no test can forget it.
class ScopedPlatform {
public:
    explicit ScopedPlatform(WindowsServices& services);
    explicit ScopedPlatform(ScopeCheckedServices& services);
    ~ScopedPlatform();
    // The services in place that check their scope; null when there are none.
    static ScopeCheckedServices* checkedServices();
    ScopedPlatform(const ScopedPlatform&) = delete;
    ScopedPlatform& operator=(const ScopedPlatform&) = delete;

private:
    WindowsServices* previous_;
    ScopeCheckedServices* previousChecked_;
    ScopeCheckedServices* checked_ = nullptr;
};

} // namespace prereq
