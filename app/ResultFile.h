// The console program's result file for a fleet: the JSON document of one computer, named after
// it, in a folder that many computers write into and a collector reads.
#pragma once

#include <string>

namespace prereq {

// "<computer>.json". Letters, digits and '-' stay as they are; every other byte, '_' included,
// becomes '_' and its two hexadecimal digits ("PC.1" gives "PC_2E1.json"), so that each name
// gives a file name of its own that every shell and share takes as it is.
std::string resultFileName(const std::string& computer);

// Writes text into folder under fileName, first under a temporary name in the same folder and
// then renamed, so that no reader sees half a file. False when it failed; nothing of this call
// is then left in the folder, and a file of that name from before is gone or as it was.
bool writeResultFile(const std::string& folder, const std::string& fileName,
                     const std::string& text);

} // namespace prereq
