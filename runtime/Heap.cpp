// The programs' heap: the C allocation functions and C++'s operator new and delete. Small blocks
// come from SmallBlockHeap's classes, carved from blocks of the process heap that Windows gives
// every process; large ones are blocks of the process heap itself. The programs raise no
// exceptions, so an operator new that cannot allocate ends the program (as an exception nobody
// catches would); the nothrow forms return null for the caller to handle.
#include "runtime/SmallBlockHeap.h"
#include "runtime/Termination.h"

#include <windows.h>

#include <cstddef>
#include <new>

namespace {

HANDLE processHeap() {
    static const HANDLE heap = GetProcessHeap();
    return heap;
}

// HeapAlloc's blocks are aligned to 8 bytes, as SmallBlockHeap needs.
struct ProcessHeap {
    void* bigBlock(std::size_t bytes, bool zeroed) {
        return HeapAlloc(processHeap(), zeroed ? HEAP_ZERO_MEMORY : 0, bytes);
    }
    void* resizedBigBlock(void* block, std::size_t bytes) {
        return HeapReAlloc(processHeap(), 0, block, bytes);
    }
    void freeBigBlock(void* block) { HeapFree(processHeap(), 0, block); }
};

// Zero-initialised before anything runs, so that static constructors may allocate.
prereq::runtime::SmallBlockHeap<ProcessHeap> heap;

} // namespace

extern "C" {

void* malloc(std::size_t size) {
    return heap.allocate(size);
}

void* calloc(std::size_t count, std::size_t size) {
    if (size != 0 && count > prereq::runtime::kLargestRequest / size)
        return nullptr;
    return heap.allocateZeroed(count * size);
}

void free(void* block) {
    heap.release(block);
}

void* realloc(void* block, std::size_t size) {
    return heap.resize(block, size);
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
