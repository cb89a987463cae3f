// The start-up and exit that both program entries share (Startup.cpp).
#pragma once

namespace prereq::runtime {

// Prepares the floating-point unit and runs the static constructors; the entry calls it first.
void startProgram();

// Runs the exit functions and the static destructors, then ends the process with exitCode.
[[noreturn]] void endProgram(int exitCode);

// atexit: 0 once function is registered to run at endProgram, nonzero when the table is full.
int registerExitFunction(void (*function)());

} // namespace prereq::runtime
