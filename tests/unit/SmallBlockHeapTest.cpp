// The 32-bit programs' heap logic over the C library's heap, under the sanitizers: where its
// blocks lie, which are reused, how they cross between small and large, what a failing source
// leaves.
#include "runtime/SmallBlockHeap.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <set>
#include <string>

namespace prereq::runtime {
namespace {

// Takes back at the end what it still gave, the carved blocks among them.
struct LibrarySource {
    std::set<void*> given;
    std::size_t most = ~std::size_t{0};
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
constexpr std::size_t kSmall = Heap::kLargestSmall;

char* fill(void* block, std::size_t size, char byte) {
    return static_cast<char*>(block == nullptr ? nullptr : std::memset(block, byte, size));
}

std::string holds(const void* block, std::size_t size, char byte) {
    const char* bytes = static_cast<const char*>(block);
    for (std::size_t i = 0; i < size; ++i)
        if (bytes[i] != byte)
            return "byte " + std::to_string(i) + " changed";
    return "kept";
}

const struct {
    const char* name;
    std::function<std::string(Heap&)> run;
    std::string expected;
} kRows[] = {
    {"mixed sizes, some freed: 8-byte aligned, none overlapping",
     [](Heap& heap) {
         char* blocks[1500];
         std::string result;
         for (std::size_t i = 0; i < 1500; ++i) {
             const std::size_t size = i * 37 % (kSmall + 80);
             blocks[i] = fill(heap.allocate(size), size, char(i));
             if (reinterpret_cast<std::uintptr_t>(blocks[i]) % 8 != 0)
                 result += "block " + std::to_string(i) + " misplaced ";
             if (i % 3 == 1)
                 heap.release(blocks[i - 1]), blocks[i - 1] = nullptr;
         }
         for (std::size_t i = 0; i < 1500; ++i)
             if (blocks[i] != nullptr &&
                 holds(blocks[i], i * 37 % (kSmall + 80), char(i)) != "kept")
                 result += "block " + std::to_string(i) + " overwritten ";
         return result;
     },
     ""},
    {"zero bytes: a block of its own; a freed block serves the next request of its class",
     [](Heap& heap) {
         void* block = heap.allocate(40);
         heap.release(block);
         std::string result = std::to_string(heap.allocate(0) != heap.allocate(0));
         result += std::to_string(heap.allocate(40) == block);
         return result + std::to_string(heap.allocate(40) == block);
     },
     "110"},
    {"largest small carved, smallest large from the source and back to it: big blocks held",
     [](Heap& heap) {
         const auto held = [&heap] { return std::to_string(heap.source().given.size()); };
         heap.allocate(kSmall);
         std::string counts = held();
         void* large = heap.allocate(kSmall + 1);
         counts += held();
         heap.allocate(kSmall);
         counts += held();
         heap.release(large);
         return counts + held();
     },
     "1221"},
    {"realloc across the boundary, up and down, keeps the contents",
     [](Heap& heap) {
         char* block =
             static_cast<char*>(heap.resize(fill(heap.allocate(100), 100, 'a'), 4 * kSmall));
         const std::string up = holds(block, 100, 'a');
         block = static_cast<char*>(heap.resize(fill(block, 4 * kSmall, 'b'), 10));
         return up + holds(block, 10, 'b') + std::to_string(heap.source().given.size());
     },
     "keptkept1"},
    {"calloc of a reused small block and of a large one: zeroed",
     [](Heap& heap) {
         void* block = fill(heap.allocate(64), 64, 'x');
         heap.release(block);
         void* again = heap.allocateZeroed(64);
         return std::to_string(again == block) + holds(again, 64, 0) +
                holds(heap.allocateZeroed(kSmall + 1), kSmall + 1, 0);
     },
     "1keptkept"},
    {"a failing source: null, the blocks as they were, the heap still whole",
     [](Heap& heap) {
         heap.source().most = 0;
         std::string nulls = std::to_string(heap.allocate(8) == nullptr) +
                             std::to_string(heap.allocateZeroed(kSmall + 1) == nullptr);
         heap.source().most = ~std::size_t{0};
         char* small = fill(heap.allocate(20), 20, 's');
         char* large = fill(heap.allocate(1000), 1000, 'l');
         heap.source().most = 1000 + 8;
         nulls += std::to_string(heap.resize(small, 2000) == nullptr) +
                  std::to_string(heap.resize(large, 2000) == nullptr) +
                  std::to_string(heap.resize(large, kLargestRequest + 1) == nullptr) +
                  std::to_string(heap.allocate(kLargestRequest + 1) == nullptr);
         return nulls + holds(small, 20, 's') + holds(large, 1000, 'l') +
                holds(fill(heap.allocate(30), 30, 'n'), 30, 'n');
     },
     "111111keptkeptkept"},
    {"no big block to carve: a small request is served and freed as a large one",
     [](Heap& heap) {
         heap.source().most = 100;
         char* block = static_cast<char*>(heap.resize(fill(heap.allocate(20), 20, 'f'), 50));
         const std::string kept =
             holds(block, 20, 'f') + std::to_string(heap.source().given.size());
         heap.release(block);
         return kept + std::to_string(heap.source().given.size());
     },
     "kept10"},
};

TEST(SmallBlockHeap, KeepsItsBlocksApartReusesThemAndSurvivesAFailingSource) {
    for (const auto& row : kRows) {
        Heap heap;
        EXPECT_EQ(row.run(heap), row.expected) << row.name;
    }
}

} // namespace
} // namespace prereq::runtime
