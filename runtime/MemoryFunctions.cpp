// The C library's memory and string functions that the programs and the compiler call: byte by
// byte, which is all the programs' short texts and records need. This file is compiled without
// loop-to-library-call rewriting, which would turn these loops into calls of themselves.
#include <cstddef>

extern "C" {

void* memcpy(void* destination, const void* source, std::size_t count) {
    auto* to = static_cast<unsigned char*>(destination);
    const auto* from = static_cast<const unsigned char*>(source);
    while (count-- > 0)
        *to++ = *from++;
    return destination;
}

void* memmove(void* destination, const void* source, std::size_t count) {
    auto* to = static_cast<unsigned char*>(destination);
    const auto* from = static_cast<const unsigned char*>(source);
    if (to <= from || to >= from + count)
        return memcpy(destination, source, count);
    // The destination overlaps the end of the source: copied from the end.
    while (count-- > 0)
        to[count] = from[count];
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
