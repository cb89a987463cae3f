// The program's own resources for the Windows tests: PrereqCheck.exe, built beside the test
// program, loaded as a data file (nothing in it runs).
#pragma once

#include <windows.h>

#include <string>

namespace prereq {

inline HMODULE programResources() {
    static const HMODULE module = [] {
        char path[MAX_PATH] = {};
        const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
        std::string file(path, length);
        file.erase(file.find_last_of("\\/") + 1);
        file += "PrereqCheck.exe";
        return LoadLibraryExA(file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    }();
    return module;
}

} // namespace prereq
