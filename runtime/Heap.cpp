// The programs' heap: the C allocation functions and C++'s operator new and delete, all on the
// process heap that Windows gives every process. The programs raise no exceptions, so an
// operator new that cannot allocate ends the program (as an exception nobody catches would);
// the nothrow forms return null for the caller to handle.
#include "runtime/Termination.h"

#include <windows.h>

#include <cstddef>
#include <new>

namespace {

HANDLE heap() {
    static const HANDLE processHeap = GetProcessHeap();
    return processHeap;
}

// The heap's own limit lies below this; a larger request could only wrap around in the sums
// callers make with it.
constexpr std::size_t kLargestRequest = 0x7FFFFFF0;

} // namespace

extern "C" {

void* malloc(std::size_t size) {
    if (size > kLargestRequest)
        return nullptr;
    // Zero bytes still get a block of their own, so that every successful call differs.
    return HeapAlloc(heap(), 0, size == 0 ? 1 : size);
}

void* calloc(std::size_t count, std::size_t size) {
    if (size != 0 && count > kLargestRequest / size)
        return nullptr;
    return HeapAlloc(heap(), HEAP_ZERO_MEMORY, count * size == 0 ? 1 : count * size);
}

void free(void* block) {
    if (block != nullptr)
        HeapFree(heap(), 0, block);
}

void* realloc(void* block, std::size_t size) {
    if (block == nullptr)
        return malloc(size);
    if (size > kLargestRequest)
        return nullptr; // the block stays as it was
    return HeapReAlloc(heap(), 0, block, size == 0 ? 1 : size);
}

} // extern "C"

const std::nothrow_t std::nothrow{};

void* operator new(std::size_t size) {
    void* block = malloc(size);
    if (block == nullptr)
        prereq::runtime::endOnOutOfMemory();
    return block;
}

void* operator new[](std::size_t size) {
    return operator new(size);
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return malloc(size);
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return malloc(size);
}

void operator delete(void* block) noexcept {
    free(block);
}

void operator delete[](void* block) noexcept {
    free(block);
}

void operator delete(void* block, std::size_t) noexcept {
    free(block);
}

void operator delete[](void* block, std::size_t) noexcept {
    free(block);
}

void operator delete(void* block, const std::nothrow_t&) noexcept {
    free(block);
}

void operator delete[](void* block, const std::nothrow_t&) noexcept {
    free(block);
}
