// WindowsCalls: the Windows calls of a 32-bit program run elsewhere (an emulated processor)
// answered by a SimulatedPc, reading and writing the Win32 structures (OSVERSIONINFOA,
// MEMORYSTATUS, SYSTEM_INFO, the registry's and the files' buffers, the counters) in the
// program's own memory. So such a program meets the very PC the unit tests describe.
#pragma once

#include "platform/simulated/GuestMemory.h"
#include "platform/simulated/SimulatedPc.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace prereq {

class WindowsCalls {
public:
    // What a call returns in EAX, and how many bytes of arguments it removes (stdcall).
    struct Answer {
        std::uint32_t result;
        std::uint32_t argumentBytes;
    };

    // imageBase answers GetModuleHandleA(NULL); entry points that GetProcAddress hands out are
    // numbered from exportStubs, 16 bytes apart.
    WindowsCalls(SimulatedPc& pc, GuestMemory& memory, std::uint32_t imageBase,
                 std::uint32_t exportStubs);

    // Answers the import function, its arguments on the stack from arguments on; nothing when
    // the PC does not answer that call.
    std::optional<Answer> call(const std::string& function, std::uint32_t arguments);
    // A call through an entry point that GetProcAddress handed out; nothing for any other.
    std::optional<Answer> callExport(std::uint32_t address, std::uint32_t arguments);

    std::uint32_t lastError = 0; // GetLastError

    // The search FindFirstFileA began: the entries FindNextFileA has still to give, and the
    // error that ends it (ERROR_NO_MORE_FILES, or a share gone part-way).
    struct Search {
        std::vector<FoundFile> entries;
        std::size_t next = 0;
        std::uint32_t endError = 0;
    };
    Search search;
    // Files open for reading, by handle: their content and how much ReadFile has given.
    struct ReadFile {
        std::string content;
        std::size_t position = 0;
    };
    std::map<std::uint32_t, ReadFile> readFiles;
    std::uint32_t nextReadHandle = 0x5EAD0000;

    // Sets the error GetLastError answers; the call's answer.
    std::uint32_t fail(std::uint32_t error, std::uint32_t answer) {
        lastError = error;
        return answer;
    }

    // ---- For the calls' answers.
    SimulatedPc& pc() { return pc_; }
    GuestMemory& memory() { return memory_; }
    std::uint32_t imageBase() const { return imageBase_; }
    // The address the program is given for the PC's entry point.
    std::uint32_t exportStub(ExportAddress entry);
    // The address the program is given for a kernel32 call it looks up rather than imports;
    // 0 for a call the table does not answer.
    std::uint32_t kernelExportStub(const std::string& function);
    // Copies text and its NUL into a buffer of size bytes when it fits: the length without the
    // NUL. Else nothing is copied and the answer is the size needed, NUL included, as
    // GetFullPathNameA and GetEnvironmentVariableA answer.
    std::uint32_t copyString(std::uint32_t address, const std::string& text, std::uint32_t size);

private:
    SimulatedPc& pc_;
    GuestMemory& memory_;
    std::uint32_t imageBase_;
    std::uint32_t exportStubs_;
    std::map<std::uint32_t, ExportAddress> exports_;     // stub address -> the PC's entry point
    std::map<std::uint32_t, std::string> kernelExports_; // stub address -> a kernel32 call
};

} // namespace prereq
