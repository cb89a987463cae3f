// The heap's edge cases, one table for two heaps: the 32-bit programs' malloc and free under
// 32-bit Wine (RuntimeEdgeCases), and SmallBlockHeap over the C library's heap under the native
// sanitizers (SmallBlockHeapTest), whose source, like the process heap, has no 2 GB to give.
#pragma once

#include "runtime/SmallBlockHeap.h"

#include <cstdint>
#include <cstring>
#include <string>

namespace prereq::runtime {

struct HeapFunctions {
    void* (*allocate)(std::size_t);
    void* (*zeroed)(std::size_t, std::size_t);
    void* (*resize)(void*, std::size_t);
    void (*release)(void*);
};

constexpr std::size_t kSizesTried = kLargestSmallBlock + 100; // coprime to 37

inline const struct {
    const char* name;
    std::string (*run)(const HeapFunctions&);
    const char* expected;
} kHeapCases[] = {
    {"every size either side of the small limit, some freed: 8-byte boundaries, no overlap",
     [](const HeapFunctions& heap) {
         static char* blocks[kSizesTried];
         std::string faults;
         for (std::size_t i = 0; i < kSizesTried; ++i) {
             blocks[i] = static_cast<char*>(heap.allocate(i * 37 % kSizesTried));
             std::memset(blocks[i], int(i), i * 37 % kSizesTried);
             faults += reinterpret_cast<std::uintptr_t>(blocks[i]) % 8 != 0 ? "misplaced " : "";
             if (i % 3 == 1)
                 heap.release(blocks[i - 1]), blocks[i - 1] = nullptr;
         }
         for (std::size_t i = 0; i < kSizesTried; ++i)
             for (std::size_t at = 0; blocks[i] != nullptr && at < i * 37 % kSizesTried; ++at)
                 faults += blocks[i][at] != char(i) ? "overwritten " : "";
         return faults;
     },
     ""},
    {"free, then calloc of its class: that block, zeroed; zero bytes twice: two blocks",
     [](const HeapFunctions& heap) {
         void* freed = std::memset(heap.allocate(40), 'x', 40);
         heap.release(freed);
         char* block = static_cast<char*>(heap.zeroed(5, 8));
         const bool zeroed = std::string(block, 40) == std::string(40, '\0');
         const bool apart = heap.allocate(0) != heap.allocate(0);
         return std::to_string(block == freed) + std::to_string(zeroed) + std::to_string(apart);
     },
     "111"},
    {"realloc from small to large and back keeps the contents",
     [](const HeapFunctions& heap) {
         char* block =
             static_cast<char*>(heap.resize(std::memcpy(heap.allocate(4), "abc", 4), 3000));
         const std::string kept = block;
         std::memset(block + 4, 'y', 2996);
         block = static_cast<char*>(heap.resize(block, 8));
         return kept + block + std::string(block + 4, 2);
     },
     "abcabcyy"},
    {"realloc that the heap beneath cannot serve keeps a small and a large block",
     [](const HeapFunctions& heap) {
         char* small = static_cast<char*>(std::memcpy(heap.allocate(4), "abc", 4));
         char* large = static_cast<char*>(std::memcpy(heap.allocate(3000), "def", 4));
         const bool failed = heap.resize(small, kLargestRequest) == nullptr &&
                             heap.resize(large, kLargestRequest) == nullptr;
         return std::to_string(failed) + small + large;
     },
     "1abcdef"},
};

} // namespace prereq::runtime
