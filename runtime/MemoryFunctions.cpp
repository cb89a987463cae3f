// The C library's memory and string functions that the programs and the compiler call: byte by
// byte, which is all the programs' short texts and records need, except the copies that every
// string makes. This file is compiled without loop-to-library-call rewriting, which would turn
// these loops into calls of themselves.
#include <cstddef>
#include <cstdint>

extern "C" {

// Four bytes a step and then the rest: a 486 moves a double word with REP MOVSD in the clocks
// that REP MOVSB takes for one byte. The direction flag is clear, as the calling convention
// keeps it.
void* memcpy(void* destination, const void* source, std::size_t count) {
    void* to = destination;
    std::size_t words = count >> 2, rest = count & 3;
    __asm__ __volatile__("rep movsl" : "+D"(to), "+S"(source), "+c"(words) : : "memory");
    __asm__ __volatile__("rep movsb" : "+D"(to), "+S"(source), "+c"(rest) : : "memory");
    return destination;
}

void* memmove(void* destination, const void* source, std::size_t count) {
    auto* to = static_cast<unsigned char*>(destination);
    const auto* from = static_cast<const unsigned char*>(source);
    if (to <= from || to >= from + count)
        return memcpy(destination, source, count);
    // The destination overlaps the end of the source (a string that makes room at its front):
    // copied from the end, the odd bytes first and then double words, each read whole before
    // it is written, so that no byte is overwritten before it has been moved.
    std::size_t words = count >> 2, rest = count & 3;
    const unsigned char* last = from + count - 1;
    unsigned char* lastTo = to + count - 1;
    __asm__ __volatile__("std\n\trep movsb\n\t"
                         "subl $3, %%esi\n\tsubl $3, %%edi\n\t"
                         "movl %3, %%ecx\n\trep movsl\n\tcld"
                         : "+D"(lastTo), "+S"(last), "+c"(rest)
                         : "r"(words)
                         : "memory", "cc");
    return destination;
}

void* memset(void* destination, int value, std::size_t count) {
    auto* to = static_cast<unsigned char*>(destination);
    while (count-- > 0)
        *to++ = static_cast<unsigned char>(value);
    return destination;
}

int memcmp(const void* first, const void* second, std::size_t count) {
    const auto* a = static_cast<const unsigned char*>(first);
    const auto* b = static_cast<const unsigned char*>(second);
    // Four bytes a step while they agree (strings mostly compare equal or differ late); the
    // bytes of the first double word that differs decide, one at a time.
    for (; count >= 4; a += 4, b += 4, count -= 4) {
        std::uint32_t x, y;
        __builtin_memcpy(&x, a, 4);
        __builtin_memcpy(&y, b, 4);
        if (x != y)
            break;
    }
    for (; count > 0; ++a, ++b, --count)
        if (*a != *b)
            return *a < *b ? -1 : 1;
    return 0;
}

void* memchr(const void* block, int value, std::size_t count) {
    const auto* p = static_cast<const unsigned char*>(block);
    for (; count > 0; ++p, --count)
        if (*p == static_cast<unsigned char>(value))
            return const_cast<unsigned char*>(p);
    return nullptr;
}

std::size_t strlen(const char* text) {
    const char* end = text;
    while (reinterpret_cast<std::uintptr_t>(end) & 3) {
        if (*end == '\0')
            return static_cast<std::size_t>(end - text);
        ++end;
    }
    // A double word at a time, aligned, so never across a page the text does not reach: a word
    // has a zero byte when subtracting 1 from each byte borrows into a top bit that was clear.
    for (;; end += 4) {
        std::uint32_t word;
        __builtin_memcpy(&word, end, 4);
        if ((word - 0x01010101u) & ~word & 0x80808080u)
            break;
    }
    while (*end != '\0')
        ++end;
    return static_cast<std::size_t>(end - text);
}

std::size_t strnlen(const char* text, std::size_t most) {
    std::size_t length = 0;
    while (length < most && text[length] != '\0')
        ++length;
    return length;
}

} // extern "C"
