// The 32-bit programs' heap logic over the C library's heap, under the sanitizers: the run-time's
// heap cases, and what a source without big blocks, or without any, leaves.
#include "runtime/SmallBlockHeap.h"
#include "tests/runtime/HeapCases.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

namespace prereq::runtime {
namespace {

// Takes back at the end what it still gave, the carved blocks among them.
struct LibrarySource {
    std::set<void*> given;
    std::size_t most = std::size_t{1} << 30;
    void* bigBlock(std::size_t bytes, bool zeroed) {
        void* block = bytes > most ? nullptr : zeroed ? std::calloc(1, bytes) : std::malloc(bytes);
        return block != nullptr ? *given.insert(block).first : nullptr;
    }
    void* resizedBigBlock(void* block, std::size_t bytes) {
        void* moved = bytes > most ? nullptr : std::realloc(block, bytes);
        return moved != nullptr && given.erase(block) ? *given.insert(moved).first : moved;
    }
    void freeBigBlock(void* block) {
        given.erase(block);
        std::free(block);
    }
    ~LibrarySource() {
        for (void* block : given)
            std::free(block);
    }
};
using Heap = SmallBlockHeap<LibrarySource>;

Heap* heap;
const HeapFunctions kFunctions{
    [](std::size_t size) { return heap->allocate(size); },
    [](std::size_t count, std::size_t size) { return heap->allocateZeroed(count * size); },
    [](void* block, std::size_t size) { return heap->resize(block, size); },
    [](void* block) { heap->release(block); }};

TEST(SmallBlockHeap, HoldsTheRunTimesHeapCases) {
    for (const auto& c : kHeapCases) {
        Heap fresh;
        heap = &fresh;
        EXPECT_EQ(c.run(kFunctions), c.expected) << c.name;
    }
}

TEST(SmallBlockHeap, CarvesEachBigBlockTwiceTheLastAndASmallOneWhenMemoryIsShort) {
    Heap fresh;
    for (int block = 0; block < 109; ++block) // 15, 31 and 63 of the largest class: 3 big blocks
        fresh.allocate(kLargestSmallBlock);
    EXPECT_EQ(fresh.source().given.size(), 3u);
    fresh.source().most = Heap::kFirstCarvedBytes; // 128 KiB refused, 16 KiB given
    EXPECT_NE(fresh.allocate(kLargestSmallBlock), nullptr);
    EXPECT_EQ(fresh.source().given.size(), 4u);
}

TEST(SmallBlockHeap, WithoutBigBlocksServesSmallOnesAsLargeAndFailsHarmlessly) {
    Heap fresh;
    fresh.release(fresh.allocate(kLargestSmallBlock + 1));
    EXPECT_TRUE(fresh.source().given.empty()); // the smallest large block went back at once
    fresh.source().most = 100;
    char* block = static_cast<char*>(fresh.resize(std::memcpy(fresh.allocate(20), "small", 6), 50));
    EXPECT_STREQ(block, "small");
    EXPECT_EQ(fresh.source().given.size(), 1u);
    fresh.source().most = 0;
    EXPECT_EQ(fresh.allocate(8), nullptr);
    EXPECT_EQ(fresh.allocateZeroed(kLargestSmallBlock + 1), nullptr);
    EXPECT_EQ(fresh.resize(block, 60), block);
    EXPECT_EQ(fresh.resize(block, kLargestSmallBlock + 1), nullptr);
    EXPECT_STREQ(block, "small");
    fresh.release(block);
    EXPECT_TRUE(fresh.source().given.empty());
}

} // namespace
} // namespace prereq::runtime
