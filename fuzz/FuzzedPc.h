// FuzzedPc: turns a fuzzer's input bytes into a simulated PC. The first byte picks a starting
// preset (so the deep paths of the software checks are reachable at once); every following
// step changes one thing the program reads from the PC: the Windows version and service-pack
// text, memory, the processor and its counters, drives, the mouse, registry keys and values of
// any length and type, libraries and their exports, remote-access devices and what the device
// enumeration claims, files that exist, PATH, file associations, the launch result, the current
// directory, report files that cannot be created and a disk that fills up.
#pragma once

#include "platform/simulated/SimulatedPc.h"

#include <cstddef>
#include <cstdint>

namespace prereq {

SimulatedPc fuzzedPc(const std::uint8_t* data, std::size_t size);

// The report files of the three products.
constexpr const char* kReportFileNames[] = {"PlinthSetupStatus.htm", "WardlineStatus.htm",
                                            "WardlineLANStatus.htm"};

} // namespace prereq
