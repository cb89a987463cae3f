// The name of a computer's result file, the one rule by which the console program names what it
// writes and the fleet summary knows whose result a file may hold.
#pragma once

#include <string>

namespace prereq {

// "<computer>.json". Letters, digits and '-' stay as they are; every other byte, '_' included,
// becomes '_' and its two hexadecimal digits ("PC.1" gives "PC_2E1.json"), so that each name
// gives a file name of its own that every shell and share takes as it is.
std::string resultFileName(const std::string& computer);

// The computer's name (in the ANSI bytes it was written from) that a result file's name encodes;
// false when the name is not one resultFileName gives, in any case.
bool computerOfResultFile(const std::string& fileName, std::string& computer);

} // namespace prereq
