// Win32Calls: the Windows calls of a 32-bit program answered by a SimulatedPc, reading and
// writing the Win32 structures (OSVERSIONINFOA, MEMORYSTATUS, SYSTEM_INFO, the registry's and
// the files' buffers, the counters) in the program's own memory. So a program run on an emulated
// processor meets the very PC the unit tests describe.
#pragma once

#include "GuestMemory.h"

#include "platform/SimulatedPc.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace prereq {

class Win32Calls {
public:
    // What a call returns in EAX, and how many bytes of arguments it removes (stdcall).
    struct Answer {
        std::uint32_t result;
        std::uint32_t argumentBytes;
    };

    // imageBase answers GetModuleHandleA(NULL); entry points that GetProcAddress hands out are
    // numbered from exportStubs, 16 bytes apart.
    Win32Calls(SimulatedPc& pc, GuestMemory& memory, std::uint32_t imageBase,
               std::uint32_t exportStubs);

    // Answers the import name, its arguments on the stack from arguments on; nothing when the
    // PC does not answer that call.
    std::optional<Answer> call(const std::string& name, std::uint32_t arguments);
    // A call through an entry point that GetProcAddress handed out; nothing for any other.
    std::optional<Answer> callExport(std::uint32_t address, std::uint32_t arguments);

    std::uint32_t lastError = 0; // GetLastError

private:
    struct Arguments;
    std::uint32_t string(std::uint32_t address, const std::string& text, std::uint32_t size);

    SimulatedPc& pc_;
    GuestMemory& memory_;
    std::uint32_t imageBase_;
    std::uint32_t exportStubs_;
    std::map<std::uint32_t, ExportAddress> exports_; // stub address -> the PC's entry point
};

} // namespace prereq
