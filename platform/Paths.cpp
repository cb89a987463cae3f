// Paths: joining a folder and a file name the way Windows paths are written.
#include "platform/Paths.h"

namespace prereq {

std::string pathIn(const std::string& folder, const std::string& fileName) {
    if (folder.empty())
        return fileName;
    const char last = folder.back();
    return last == '\\' || last == '/' || last == ':' ? folder + fileName
                                                      : folder + "\\" + fileName;
}

} // namespace prereq
