// A 32-bit Windows program run on an emulated processor posing as an 80486, a Pentium or a
// Pentium Pro: Unicorn executes it, Capstone reads each basic block before it first runs and
// fails the run on any instruction the posed processor lacks, CPUID and RDTSC are answered as
// the posed processor answers them, and each Windows call is answered by a SimulatedPc (through
// WindowsCalls). A run ends at ExitProcess, or once the dialog procedure has returned from
// WM_INITDIALOG (DialogBoxParamA calls it at once), or fails naming the address and its function.
#pragma once

#include "LinkMap.h"
#include "PeImage.h"

#include "platform/simulated/SimulatedPc.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace prereq {

struct PosedProcessor {
    std::string name;
    int family;              // 4, 5 or 6: what it executes
    bool hasCpuid;           // an early 80486 has none, and EFLAGS.ID does not toggle there
    std::uint32_t signature; // CPUID leaf 1 EAX
    std::uint32_t features;  // CPUID leaf 1 EDX
    int unicornModel;        // the engine's own model, which Debian 12's 2.0.1 gets wrong
    long double hz;          // the clock the simulated PC's time-stamp counter runs at
    std::string row;         // what the table's processor row shows for it
    bool hasTimeStampCounter() const { return (features & 0x10) != 0; }
};

// The four posed processors, in the order 80486 without CPUID, 80486, Pentium, Pentium Pro.
const std::vector<PosedProcessor>& posedProcessors();

// What the dialog program showed by the end of WM_INITDIALOG, by control id.
struct DialogRecord {
    bool initialised = false;         // its dialog procedure returned from WM_INITDIALOG
    std::map<int, bool> shown;        // ShowWindow: the last state each control was given
    std::map<int, std::string> texts; // SetDlgItemTextA: the last text each control was given
    std::vector<std::string> calls;   // every user32 call about the dialog, in order
};

struct EmulatedRunResult {
    DialogRecord dialog;
    bool exited = false; // reached ExitProcess
    std::uint32_t exitCode = 0;
    std::string failure; // why the run stopped short; empty when it exited
    std::uint64_t instructions = 0;
    std::uint64_t windowsCalls = 0;
    std::uint64_t distinctInstructions = 0;           // how much of the code the run reached
    std::map<std::string, std::uint64_t> callsByName; // "KERNEL32.dll!HeapAlloc" and the like
    // With PREREQ_EMULATED_PROFILE set: the instructions of each function of the link map.
    std::map<std::string, std::uint64_t> instructionsByFunction;
    std::map<std::string, std::uint64_t> entriesByFunction; // how often each was entered
    std::map<std::string, std::uint64_t> entriesByCaller;   // "callee  <-  caller"
};

// Runs image as the program at pc.programPath with commandLine (its arguments after its name)
// on processor, the PC answering every Windows call; map names the functions of a failure.
EmulatedRunResult runEmulated(const PeImage& image, const LinkMap& map,
                              const PosedProcessor& processor, SimulatedPc& pc,
                              const std::string& commandLine);

} // namespace prereq
