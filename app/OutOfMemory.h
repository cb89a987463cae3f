// What the console program says when memory runs out: the one line on standard error that its
// other failures give too, made ready while there is memory to make it, and written then
// without asking for any.
#pragma once

#include <string>

namespace prereq {

// Readies line (ANSI, one line without its line end) as writeStandardStream would write it to
// standard error, for sayOutOfMemory; it replaces a line readied before.
void prepareOutOfMemoryLine(const std::string& line);

// Writes the line readied last, if any, to standard error. Allocates nothing: it runs from the
// program's new handler, when an allocation has just failed.
void sayOutOfMemory();

} // namespace prereq
