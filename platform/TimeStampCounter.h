// Reading the processor's time-stamp counter on Windows without ever faulting the program.
#pragma once

#include <cstdint>

namespace prereq {

// True when CPUID says the processor has a time-stamp counter. On 32-bit processors CPUID
// itself may be missing; that is detected with the EFLAGS ID bit before it is used.
bool processorHasTimeStampCounter();

// Reads the counter (RDTSC). False when the processor has none, or when the read faults (the
// operating system may forbid the instruction): the fault is caught by an exception handler
// that steps over the instruction, and goes no further.
bool readTimeStampCounterGuarded(std::uint64_t& cycles);

} // namespace prereq
