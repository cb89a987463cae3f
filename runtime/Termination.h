// How the programs end when the C++ library or the heap meets what the programs never expect:
// at once, with the exit code the C run-time's abort has always given (3).
#pragma once

namespace prereq::runtime {

[[noreturn]] void endOnOutOfMemory();

} // namespace prereq::runtime
