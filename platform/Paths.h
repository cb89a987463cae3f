// Paths: joining a folder and a file name the way Windows paths are written.
#pragma once

#include <string>

namespace prereq {

// fileName in folder: joined with a backslash unless the folder ends in one (or in '/' or ':').
std::string pathIn(const std::string& folder, const std::string& fileName);

} // namespace prereq
