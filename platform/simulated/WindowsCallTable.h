// The table of the Windows calls WindowsCalls answers, by name, filled by one function for each
// part of the PC. Sources: the Win32 Programmer's Reference for each call's arguments and
// failures, unless said otherwise.
#pragma once

#include "platform/simulated/WindowsCalls.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>

namespace prereq {

// A call's stack arguments, 32 bits each.
struct CallArguments {
    GuestMemory& memory;
    std::uint32_t first;
    std::uint32_t operator[](int i) const { return memory.read32(first + 4 * i); }
    std::string text(int i) const { return memory.readString((*this)[i]); }
};

struct Call {
    std::uint32_t argumentCount;
    std::function<std::uint32_t(WindowsCalls&, const CallArguments&)> answer;
};
using CallTable = std::map<std::string, Call>;

void addSystemInformationCalls(CallTable& calls);
void addRegistryAndLibraryCalls(CallTable& calls);
void addShellAndFileCalls(CallTable& calls);
void addUserInterfaceCalls(CallTable& calls);
void addResultFolderCalls(CallTable& calls);

// Where Windows 95 maps kernel32.dll: its module handle.
constexpr std::uint32_t kKernel32 = 0xBFF70000;
constexpr std::uint32_t kHkeyLocalMachine = 0x80000002;
constexpr std::uint32_t kInvalidHandleValue = 0xFFFFFFFF;
constexpr std::uint32_t kErrorInvalidHandleCode = 6;
constexpr std::uint32_t kErrorInvalidParameter = 87;
constexpr std::uint32_t kErrorInsufficientBuffer = 122;
constexpr std::uint32_t kErrorMessageNotFound = 317; // ERROR_MR_MID_NOT_FOUND
// The one search FindFirstFileA hands out: the program closes each at once.
constexpr std::uint32_t kFindHandle = 0xF1D0;
constexpr std::uint32_t kErrorEnvVarNotFound = 203;
constexpr std::uint32_t kGenericRead = 0x80000000; // CreateFileA's dwDesiredAccess

// FindFirstFileA's first entry into the program's WIN32_FIND_DATAA; 0 when nothing matched,
// with the call's error set (ResultFolderCalls).
std::uint32_t beginSearch(WindowsCalls& w, const std::string& pattern, std::uint32_t data);
// CreateFileA(GENERIC_READ, OPEN_EXISTING) of a result: its handle, or INVALID_HANDLE_VALUE.
std::uint32_t openForReading(WindowsCalls& w, const std::string& name);

} // namespace prereq
