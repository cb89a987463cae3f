// The guarded time-stamp counter read. g++ has no __try, so the guard is an exception handler
// installed around the read: a vectored handler where the system offers one (resolved at run
// time, so the program still loads where it does not), else the top-level filter. The handler
// accepts only an illegal- or privileged-instruction fault on an RDTSC (0F 31) while a guarded
// read is in progress; it then skips the two bytes and the read reports failure.
#include "platform/TimeStampCounter.h"

#include <windows.h>

#include <cpuid.h>

namespace prereq {

namespace {

volatile LONG guardActive = 0;
volatile LONG readFaulted = 0;

LONG WINAPI skipFaultingRead(EXCEPTION_POINTERS* exception) {
    const DWORD code = exception->ExceptionRecord->ExceptionCode;
    if (!guardActive ||
        (code != EXCEPTION_ILLEGAL_INSTRUCTION && code != EXCEPTION_PRIV_INSTRUCTION))
        return EXCEPTION_CONTINUE_SEARCH;
    CONTEXT* context = exception->ContextRecord;
#ifdef _WIN64
    auto* instruction = reinterpret_cast<const unsigned char*>(context->Rip);
#else
    auto* instruction = reinterpret_cast<const unsigned char*>(context->Eip);
#endif
    if (instruction[0] != 0x0F || instruction[1] != 0x31)
        return EXCEPTION_CONTINUE_SEARCH;
    readFaulted = 1;
#ifdef _WIN64
    context->Rip += 2;
    context->Rax = 0;
    context->Rdx = 0;
#else
    context->Eip += 2;
    context->Eax = 0;
    context->Edx = 0;
#endif
    return EXCEPTION_CONTINUE_EXECUTION;
}

using AddHandler = PVOID(WINAPI*)(ULONG, PVECTORED_EXCEPTION_HANDLER);
using RemoveHandler = ULONG(WINAPI*)(PVOID);

// Installs skipFaultingRead for its lifetime.
class FaultGuard {
public:
    FaultGuard() {
        // Looked up once a run: kernel32 either has them (XP on) or not.
        static bool resolved = false;
        static AddHandler add = nullptr;
        static RemoveHandler remove = nullptr;
        if (!resolved) {
            const HMODULE kernel = GetModuleHandleA("kernel32.dll");
            add = reinterpret_cast<AddHandler>(
                reinterpret_cast<void*>(GetProcAddress(kernel, "AddVectoredExceptionHandler")));
            remove = reinterpret_cast<RemoveHandler>(
                reinterpret_cast<void*>(GetProcAddress(kernel, "RemoveVectoredExceptionHandler")));
            resolved = true;
        }
        add_ = add;
        remove_ = remove;
        if (add_ && remove_)
            handler_ = add_(1, skipFaultingRead);
        if (!handler_)
            previousFilter_ = SetUnhandledExceptionFilter(skipFaultingRead);
        readFaulted = 0;
        guardActive = 1;
    }
    ~FaultGuard() {
        guardActive = 0;
        if (handler_)
            remove_(handler_);
        else
            SetUnhandledExceptionFilter(previousFilter_);
    }
    FaultGuard(const FaultGuard&) = delete;
    FaultGuard& operator=(const FaultGuard&) = delete;

private:
    AddHandler add_ = nullptr;
    RemoveHandler remove_ = nullptr;
    PVOID handler_ = nullptr;
    LPTOP_LEVEL_EXCEPTION_FILTER previousFilter_ = nullptr;
};

} // namespace

bool processorHasTimeStampCounter() {
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    // __get_cpuid checks the EFLAGS ID bit on 32-bit processors before executing CPUID, and
    // fails when leaf 1 is not supported.
    if (!__get_cpuid(1, &eax, &ebx, &ecx, &edx))
        return false;
    return (edx & (1u << 4)) != 0; // CPUID.1:EDX.TSC
}

bool readTimeStampCounterGuarded(std::uint64_t& cycles) {
    if (!processorHasTimeStampCounter())
        return false;
    unsigned low = 0, high = 0;
    {
        FaultGuard guard;
        __asm__ __volatile__("rdtsc" : "=a"(low), "=d"(high) : : "memory");
    }
    if (readFaulted)
        return false;
    cycles = (std::uint64_t{high} << 32) | low;
    return true;
}

} // namespace prereq
