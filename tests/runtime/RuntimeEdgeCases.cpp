// The edge cases of the 32-bit programs' own run-time where it stands in for the C library and
// the compiler's helpers: overlapping copies, zero lengths, the largest allocations, 64-bit
// division at its limits, command lines with quotes and backslashes. Built with the run-time
// and run under 32-bit Wine by tools/test; prints each case that fails and exits with their
// number. The functions are called through volatile pointers, so that the compiler cannot put
// its own inline versions in their place.
#include "runtime/CommandLine.h"
#include "tests/runtime/HeapCases.h"

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

namespace {

void* (*volatile copy)(void*, const void*, std::size_t) = std::memcpy;
void* (*volatile move)(void*, const void*, std::size_t) = std::memmove;
void* (*volatile fill)(void*, int, std::size_t) = std::memset;
int (*volatile compare)(const void*, const void*, std::size_t) = std::memcmp;
std::size_t (*volatile length)(const char*) = std::strlen;
void* (*volatile find)(const void*, int, std::size_t) = ::memchr;
void* (*volatile allocate)(std::size_t) = std::malloc;
void* (*volatile allocateZeroed)(std::size_t, std::size_t) = std::calloc;
void* (*volatile resize)(void*, std::size_t) = std::realloc;
void (*volatile release)(void*) = std::free;
volatile std::uint64_t big = 0xFFFFFFFFFFFFFFFFull;
volatile std::int64_t minus7 = -7;
volatile std::size_t largest = ~std::size_t{0};

std::string text(const char* bytes, std::size_t count) {
    return std::string(bytes, count);
}

std::string split(const char* line) {
    char* argv[64];
    char buffer[256];
    const int argc = prereq::runtime::splitCommandLine(line, argv, buffer);
    std::string out;
    for (int i = 0; i < argc; ++i)
        out += "[" + std::string(argv[i]) + "]";
    return argv[argc] == nullptr ? out : out + "(no null)";
}

struct Case {
    const char* name;
    std::string (*run)();
    const char* expected;
};

const Case kCases[] = {
    {"memmove, destination after the source",
     [] {
         char b[] = "abcdef";
         move(b + 1, b, 4);
         return std::string(b);
     },
     "aabcdf"},
    {"memmove, destination before the source",
     [] {
         char b[] = "abcdef";
         move(b, b + 2, 4);
         return std::string(b);
     },
     "cdefef"},
    // Copies move four bytes a step: every length around that step, shifted by less than a
    // step and by more, both ways; '.' marks the counts that gave the expected bytes.
    {"memmove and memcpy, lengths 0 to 9 shifted by 1 to 5 bytes",
     [] {
         std::string marks;
         for (std::size_t count = 0; count < 10; ++count)
             for (std::size_t shift = 1; shift <= 5; ++shift) {
                 char up[16] = "0123456789abcde", down[16] = "0123456789abcde";
                 char separate[16] = {};
                 move(up + shift, up, count);
                 move(down, down + shift, count);
                 copy(separate, up + shift, count);
                 const std::string source = "0123456789abcde";
                 const bool ok = std::string(up + shift, count) == source.substr(0, count) &&
                                 std::string(down, count) == source.substr(shift, count) &&
                                 std::string(separate, count) == source.substr(0, count) &&
                                 up[0] == '0' && down[14] == 'e';
                 marks += ok ? '.' : 'x';
             }
         return marks;
     },
     ".................................................."},
    {"memmove and memcpy, zero bytes",
     [] {
         char b[] = "ab";
         move(b, b + 1, 0);
         copy(b + 1, b, 0);
         return std::string(b);
     },
     "ab"},
    {"memset, zero bytes and a value over 255",
     [] {
         char b[] = "abc";
         fill(b, 'x', 0);
         fill(b + 1, 0x17A, 1);
         return std::string(b);
     },
     "azc"},
    // Both look at four bytes a step: every length and every starting alignment, and a
    // difference in each byte of a step; '.' marks the ones that gave the expected answer.
    {"strlen and memcmp, lengths 0 to 9 at each alignment",
     [] {
         std::string marks;
         for (std::size_t start = 0; start < 4; ++start)
             for (std::size_t count = 0; count < 10; ++count) {
                 char a[20] = "0123456789012345678", b[20] = "0123456789012345678";
                 a[start + count] = '\0';
                 b[start + count] = '\0';
                 bool ok = length(a + start) == count && compare(a + start, b + start, count) == 0;
                 if (count > 0) {
                     b[start + count - 1] = '\x80'; // the last byte differs, and is "larger"
                     ok = ok && compare(a + start, b + start, count) < 0 &&
                          compare(b + start, a + start, count) > 0;
                 }
                 marks += ok ? '.' : 'x';
             }
         return marks;
     },
     "........................................"},
    {"memcmp, bytes as unsigned, and zero bytes",
     [] {
         return std::to_string(compare("\x80", "\x01", 1)) + std::to_string(compare("a", "b", 0));
     },
     "10"},
    {"memchr, the last byte and none",
     [] {
         const char b[] = "abc";
         return std::to_string(static_cast<const char*>(find(b, 'c', 3)) - b) +
                (find(b, 'c', 2) == nullptr ? "-" : "!");
     },
     "2-"},
    {"malloc, zero bytes: two distinct blocks",
     [] {
         void* a = allocate(0);
         void* b = allocate(0);
         std::string r = a && b && a != b ? "ok" : "no";
         std::free(a);
         std::free(b);
         return r;
     },
     "ok"},
    {"malloc, calloc and new (nothrow), the largest sizes",
     [] {
         return text(allocate(largest) ? "!" : "-", 1) + (allocate(largest / 2 + 1) ? "!" : "-") +
                (std::calloc(largest / 4, 8) ? "!" : "-") +
                (new (std::nothrow) char[largest / 2] ? "!" : "-");
     },
     "----"},
    {"realloc that cannot grow keeps the block",
     [] {
         char* p = static_cast<char*>(allocate(4));
         copy(p, "abc", 4);
         std::string r = (std::realloc(p, largest) ? "!" : "-") + std::string(p);
         std::free(p);
         return r;
     },
     "-abc"},
    {"64-bit division and remainder, unsigned",
     [] {
         const std::uint64_t d = 0x8000000000000001ull;
         return std::to_string(big / d) + " " + std::to_string(big % d) + " " +
                std::to_string(big / 10);
     },
     "1 9223372036854775806 1844674407370955161"},
    {"64-bit division and remainder, signed, towards zero",
     [] {
         const std::int64_t two = 2;
         const std::int64_t three = -3;
         return std::to_string(minus7 / two) + " " + std::to_string(minus7 % two) + " " +
                std::to_string(minus7 / three) + " " + std::to_string(minus7 % three);
     },
     "-3 -1 2 -1"},
    {"command line, blanks and quotes",
     [] { return split("\"C:\\Program Files\\p.exe\"  a\t\"b c\" d\"e f\"g \"\""); },
     "[C:\\Program Files\\p.exe][a][b c][de fg][]"},
    {"command line, backslashes before quotes",
     [] { return split("p a\\\\\"b c\" d\\\"e f\\\\g \"h\"\"i\""); },
     "[p][a\\b c][d\"e][f\\\\g][h\"i]"},
    {"command line, \"\" within quotes gives a quote and ends them",
     [] { return split("p \"x\"\"\"y z\" \"a\"\"b c\""); }, "[p][x\"y z][a\"b][c]"},
    {"command line, the name alone", [] { return split("p.exe"); }, "[p.exe]"},
};

} // namespace

int main() {
    std::string report;
    int failures = 0;
    const auto check = [&](const char* name, const std::string& got, const char* expected) {
        if (got != expected) {
            ++failures;
            report +=
                std::string(name) + ": got \"" + got + "\", expected \"" + expected + "\"\r\n";
        }
    };
    for (const Case& c : kCases)
        check(c.name, c.run(), c.expected);
    const prereq::runtime::HeapFunctions heap{allocate, allocateZeroed, resize, release};
    for (const auto& c : prereq::runtime::kHeapCases)
        check(c.name, c.run(heap), c.expected);
    report += std::to_string(std::size(kCases) + std::size(prereq::runtime::kHeapCases)) +
              " cases, " + std::to_string(failures) + " failed\r\n";
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), report.data(), static_cast<DWORD>(report.size()),
              &written, nullptr);
    return failures;
}
