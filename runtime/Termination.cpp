// The ends the C++ library calls where it would throw (the programs are compiled without
// exceptions), abort, and the pure virtual call. None of them runs exit functions: the program's
// state is not one its destructors expect.
#include "runtime/Termination.h"

#include <windows.h>

#include <bits/functexcept.h>

namespace {

constexpr UINT kAbortExitCode = 3;

[[noreturn]] void endNow() {
    ExitProcess(kAbortExitCode);
}

} // namespace

namespace prereq::runtime {

void endOnOutOfMemory() {
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

void __throw_bad_alloc() {
    endNow();
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
