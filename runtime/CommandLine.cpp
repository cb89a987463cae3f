// Splitting the command line into arguments (CommandLine.h). One pass writes the arguments one
// after the other into text, each with its NUL; no argument can be longer than the line.
#include "runtime/CommandLine.h"

namespace prereq::runtime {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

int splitCommandLine(const char* line, char** argv, char* text) {
    int count = 0;
    const char* p = line;
    // The program's name: no backslash is special in it, a quote only groups.
    argv[count++] = text;
    if (*p == '"') {
        for (++p; *p != '\0' && *p != '"'; ++p)
            *text++ = *p;
        if (*p == '"')
            ++p;
    } else {
        for (; *p != '\0' && !isBlank(*p); ++p)
            *text++ = *p;
    }
    *text++ = '\0';

    for (;;) {
        while (isBlank(*p))
            ++p;
        if (*p == '\0')
            break;
        argv[count++] = text;
        bool quoted = false;
        while (*p != '\0' && (quoted || !isBlank(*p))) {
            int backslashes = 0;
            while (*p == '\\') {
                ++backslashes;
                ++p;
            }
            if (*p != '"') {
                // Literal backslashes; what follows them is looked at afresh.
                for (int i = 0; i < backslashes; ++i)
                    *text++ = '\\';
                if (backslashes == 0)
                    *text++ = *p++;
                continue;
            }
            for (int i = 0; i < backslashes / 2; ++i)
                *text++ = '\\';
            if (backslashes % 2 == 1)
                *text++ = '"';
            else if (quoted && p[1] == '"') {
                // The run-time of these systems copies the second quote and leaves the quoted
                // part; the ones of 2008 on stay in it (read from the run-times' own parsers,
                // hardtoc.com/2010/09/24/quoting-command-line-arguments.html and
                // daviddeley.com/autohotkey/parameters/msvcrtparsing.htm).
                *text++ = *p++;
                quoted = false;
            } else {
                quoted = !quoted;
            }
            ++p;
        }
        *text++ = '\0';
    }
    argv[count] = nullptr;
    return count;
}

} // namespace prereq::runtime
