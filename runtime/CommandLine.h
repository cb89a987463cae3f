// The console program's arguments, split from the one command line Windows gives a process.
#pragma once

namespace prereq::runtime {

// Splits line as the C run-time of these systems does: the program's name up to the first blank
// (or within its quotes), then arguments separated by blanks, where quotes group blanks into an
// argument, 2n backslashes before a quote give n and let it group, 2n+1 give n and a literal
// quote, other backslashes are literal, and "" within quotes is a literal quote that also ends
// the quoted part ("a""b c" gives a"b and c). Fills argv (room
// for strlen(line) + 2 entries is always enough; the last one written is null) with pointers
// into text, which needs as many bytes as line has with its NUL plus one. Returns the number of
// arguments, the program's name included.
int splitCommandLine(const char* line, char** argv, char* text);

} // namespace prereq::runtime
