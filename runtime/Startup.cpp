// The programs' start-up and exit, shared by both entries (ConsoleEntry.cpp, WindowEntry.cpp):
// the floating-point unit put into a known state, the static constructors run, and at the end
// the functions registered with atexit (the static objects' destructors among them) run in
// reverse order before the process ends with the entry's exit code.
//
// This and the other files of runtime/ are the 32-bit programs' whole run-time: no start-up
// code, C library or compiler library of the toolchain is linked into them (-nostdlib). The
// toolchain's are built for later processors and import msvcrt.dll, which Windows 95 lacks; these
// are compiled for the 80486 with the rest of the program, and import only kernel32.dll.
#include "runtime/Startup.h"

#include <windows.h>

// The linker's script brackets the .ctors and .dtors entries: a -1, the functions, a 0.
extern "C" void (*__CTOR_LIST__[])();
extern "C" void (*__DTOR_LIST__[])();

namespace prereq::runtime {

namespace {

// The exit functions, most recent last. A program registers one per static object with a
// destructor; a fixed table spares the heap, and a full one refuses, as atexit may.
constexpr int kMostExitFunctions = 64;
void (*exitFunctions[kMostExitFunctions])();
int exitFunctionCount = 0;

void runConstructors() {
    int count = 0;
    while (__CTOR_LIST__[count + 1] != nullptr)
        ++count;
    // In reverse, as the compiler's own start-up does: later entries belong to earlier objects.
    for (int i = count; i >= 1; --i)
        __CTOR_LIST__[i]();
}

} // namespace

int registerExitFunction(void (*function)()) {
    if (exitFunctionCount == kMostExitFunctions)
        return -1;
    exitFunctions[exitFunctionCount++] = function;
    return 0;
}

void startProgram() {
    // The precision the programs' long double arithmetic has always had: 64-bit mantissas, all
    // exceptions masked (what the toolchain's start-up set with FNINIT).
    __asm__ __volatile__("fninit");
    runConstructors();
}

[[noreturn]] void endProgram(int exitCode) {
    while (exitFunctionCount > 0)
        exitFunctions[--exitFunctionCount]();
    for (int i = 1; __DTOR_LIST__[i] != nullptr; ++i)
        __DTOR_LIST__[i]();
    ExitProcess(static_cast<UINT>(exitCode));
}

} // namespace prereq::runtime

extern "C" {

// The compiler calls __main at the top of main() to run the constructors on systems without an
// init section; startProgram has run them by then.
void __main() {}

int atexit(void (*function)()) {
    return prereq::runtime::registerExitFunction(function);
}

} // extern "C"
