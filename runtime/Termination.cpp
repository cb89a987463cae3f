// The ends the C++ library calls where it would throw (the programs are compiled without
// exceptions), abort, the pure virtual call, and the end on running out of memory, which first
// runs the program's new handler (its one line on standard error). None of them runs exit
// functions: the program's state is not one its destructors expect.
#include "runtime/Termination.h"

#include <windows.h>

#include <bits/functexcept.h>
#include <new>

namespace {

constexpr UINT kAbortExitCode = 3;

[[noreturn]] void endNow() {
    ExitProcess(kAbortExitCode);
}

// What the program asked to run when memory runs out, before it ends (std::set_new_handler).
std::new_handler outOfMemoryHandler = nullptr;

} // namespace

namespace prereq::runtime {

void endOnOutOfMemory() {
    if (outOfMemoryHandler)
        outOfMemoryHandler();
    endNow();
}

} // namespace prereq::runtime

extern "C" {

void abort() {
    endNow();
}

void __cxa_pure_virtual() {
    endNow();
}

} // extern "C"

namespace std {

new_handler set_new_handler(new_handler handler) noexcept {
    const new_handler before = outOfMemoryHandler;
    outOfMemoryHandler = handler;
    return before;
}

void __throw_bad_alloc() {
    prereq::runtime::endOnOutOfMemory();
}
void __throw_bad_array_new_length() {
    endNow();
}
void __throw_logic_error(const char*) {
    endNow();
}
void __throw_invalid_argument(const char*) {
    endNow();
}
void __throw_length_error(const char*) {
    endNow();
}
void __throw_out_of_range(const char*) {
    endNow();
}
void __throw_out_of_range_fmt(const char*, ...) {
    endNow();
}

} // namespace std
