// The heap's own logic, apart from Windows: small blocks in size classes, carved from big blocks
// of a source and kept on a free list per class once freed; large blocks straight from the
// source. Heap.cpp puts it over the process heap; the native tests put it over the C library's.
//
// The process heap of Windows 95 takes a long path for every call, and the programs make most of
// their allocations for a few dozen bytes of text, so each small one costs here a class index
// and a list pop, and its free a list push. The big blocks are kept for the whole run: carved
// memory is never handed back. There is no locking: the programs run one thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace prereq::runtime {

// The process heap's own limit lies below this; a larger request could only wrap around in the
// sums callers make with it.
constexpr std::size_t kLargestRequest = 0x7FFFFFF0;

// The programs' blocks are mostly strings of a line or a few; at 1 KiB only the reports' and
// documents' texts go to the process heap, and a big block still carves 15 of the largest class.
constexpr std::size_t kLargestSmallBlock = 1024;

// Source gives big blocks aligned to 8 bytes: bigBlock(bytes, zeroed) and
// resizedBigBlock(block, bytes) give null when they cannot, the latter leaving the block as it
// was; freeBigBlock(block) takes one back.
template <typename Source> class SmallBlockHeap : private Source {
public:
    // The first big block, and the most any later one takes: each is twice the one before, so a
    // program that holds much (the fleet summary's thousands of texts) asks the process heap
    // a few times, and one that holds little no more than the first block.
    static constexpr std::size_t kFirstCarvedBytes = 16384;
    static constexpr std::size_t kMostCarvedBytes = 262144;

    Source& source() { return *this; }

    void* allocate(std::size_t size) {
        if (size > kLargestSmallBlock)
            return allocateLarge(size, false);
        const std::uintptr_t index = classOf(size);
        std::uintptr_t* slot = free_[index];
        if (slot == nullptr)
            return carve(index, size);
        free_[index] = reinterpret_cast<std::uintptr_t*>(*slot);
        *slot = index;
        return slot + 1;
    }

    void* allocateZeroed(std::size_t size) {
        if (size > kLargestSmallBlock)
            return allocateLarge(size, true);
        void* block = allocate(size);
        if (block != nullptr)
            std::memset(block, 0, size);
        return block;
    }

    void release(void* block) {
        if (block == nullptr)
            return;
        std::uintptr_t* slot = slotOf(block);
        const std::uintptr_t word = *slot;
        if (word >= kClasses)
            return releaseLarge(block);
        *slot = reinterpret_cast<std::uintptr_t>(free_[word]);
        free_[word] = slot;
    }

    // Moves a block between small and large as its new size asks; when it cannot, the block
    // stays as it was and the answer is null.
    void* resize(void* block, std::size_t size) {
        if (block == nullptr)
            return allocate(size);
        if (size > kLargestRequest)
            return nullptr;
        const std::uintptr_t word = *slotOf(block);
        if (word < kClasses) {
            const std::size_t capacity = capacityOf(word);
            if (size <= capacity)
                return block;
            return moveTo(allocate(size), block, capacity);
        }
        const std::size_t held = word & ~kLargeFlag;
        if (size > kLargestSmallBlock) {
            char* base = static_cast<char*>(this->resizedBigBlock(
                static_cast<char*>(block) - kLargeOffset, size + kLargeOffset));
            return base == nullptr ? nullptr : markLarge(base, size);
        }
        void* moved = moveTo(allocate(size), block, size < held ? size : held);
        // Where no small block can be had, the large one still holds the bytes asked for.
        return moved == nullptr ? block : moved;
    }

private:
    // Every block has a word before it: while in use, its class or its large size with
    // kLargeFlag; while on a free list, the next free block's word. A cell of class i is that
    // word and 8*i + kTail bytes, 8*(i + 1) in all. Carving starts kTail bytes into a big block,
    // so its first block lies 8 bytes in, and every later one on an 8-byte boundary too.
    static constexpr std::size_t kWord = sizeof(std::uintptr_t);
    static constexpr std::size_t kTail = 8 - kWord;
    static constexpr std::uintptr_t kClasses = (kLargestSmallBlock + 7 - kTail) / 8 + 1;
    static constexpr std::uintptr_t kLargeFlag = ~(~std::uintptr_t{0} >> 1);
    static constexpr std::size_t kLargeOffset = 8;
    static_assert(kTail < 8 && kLargestRequest < kLargeFlag, "a word tells small from large");

    static std::uintptr_t classOf(std::size_t size) { return (size + 7 - kTail) / 8; }
    static std::size_t capacityOf(std::uintptr_t index) { return 8 * index + kTail; }
    static std::uintptr_t* slotOf(void* block) { return static_cast<std::uintptr_t*>(block) - 1; }

    static void* markLarge(char* base, std::size_t size) {
        *reinterpret_cast<std::uintptr_t*>(base + kLargeOffset - kWord) = kLargeFlag | size;
        return base + kLargeOffset;
    }

    // The rarer paths stay out of line, so that the common ones save no registers.
    [[gnu::noinline]] void* allocateLarge(std::size_t size, bool zeroed) {
        if (size > kLargestRequest)
            return nullptr;
        char* base = static_cast<char*>(this->bigBlock(size + kLargeOffset, zeroed));
        return base == nullptr ? nullptr : markLarge(base, size);
    }

    [[gnu::noinline]] void releaseLarge(void* block) {
        this->freeBigBlock(static_cast<char*>(block) - kLargeOffset);
    }

    void* moveTo(void* moved, void* block, std::size_t bytes) {
        if (moved == nullptr)
            return nullptr;
        std::memcpy(moved, block, bytes);
        release(block);
        return moved;
    }

    // The class's list is empty: a new cell from the big block being carved, or from a new one.
    // What is left of the old one is exactly one cell of a smaller class, since every cell is a
    // multiple of 8 bytes. Where no new big block can be had, the request is served as a large
    // one, so that a small block fails only when the source has not even its few bytes.
    [[gnu::noinline]] void* carve(std::uintptr_t index, std::size_t size) {
        const std::size_t cell = 8 * (index + 1);
        if (static_cast<std::size_t>(end_ - next_) < cell) {
            char* big = static_cast<char*>(this->bigBlock(carved_, false));
            if (big == nullptr && carved_ > kFirstCarvedBytes) // memory short: a small one then
                big = static_cast<char*>(this->bigBlock(carved_ = kFirstCarvedBytes, false));
            if (big == nullptr)
                return allocateLarge(size, false);
            if (end_ != next_)
                shelve(next_, static_cast<std::size_t>(end_ - next_) / 8 - 1);
            next_ = big + kTail;
            end_ = next_ + (carved_ - kTail) / 8 * 8;
            carved_ = carved_ < kMostCarvedBytes ? 2 * carved_ : carved_;
        }
        auto* slot = reinterpret_cast<std::uintptr_t*>(next_);
        next_ += cell;
        *slot = index;
        return slot + 1;
    }

    void shelve(char* cell, std::uintptr_t index) {
        auto* slot = reinterpret_cast<std::uintptr_t*>(cell);
        *slot = reinterpret_cast<std::uintptr_t>(free_[index]);
        free_[index] = slot;
    }

    std::uintptr_t* free_[kClasses] = {};
    char* next_ = nullptr;
    char* end_ = nullptr;
    std::size_t carved_ = kFirstCarvedBytes; // the next big block's size
};

} // namespace prereq::runtime
