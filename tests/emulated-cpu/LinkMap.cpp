// Reading the GNU linker's map: its symbol lines are "0xADDRESS NAME", names demangled already
// (the build asks the linker for that).
#include "LinkMap.h"

#include <cxxabi.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace prereq {

LinkMap LinkMap::load(const std::string& path) {
    LinkMap map;
    std::ifstream in(path);
    std::string section; // a function's own section, which names it even when no symbol does
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string address, name;
        if (line.rfind(" .text$", 0) == 0) {
            const std::size_t end = line.find(' ', 7);
            section = line.substr(7, end - 7);
            if (end == std::string::npos)
                continue; // a long name: its address is on the next line
            line = line.substr(end);
            words.str(line);
        }
        if (line.empty() || line[0] != ' ' || !(words >> address) || address.rfind("0x", 0) != 0)
            continue;
        if (!section.empty()) {
            // Functions local to a file have no symbol line of their own, only their section.
            const std::string mangled = section.substr(0, section.find('.'));
            int status = 0;
            char* demangled = abi::__cxa_demangle(mangled.c_str(), nullptr, nullptr, &status);
            const auto at = static_cast<std::uint32_t>(std::stoul(address, nullptr, 16));
            if (at != 0) // 0: a section the link dropped
                map.symbols_.emplace(at, status == 0 ? demangled : section);
            std::free(demangled);
            section.clear();
            continue;
        }
        std::getline(words >> std::ws, name);
        if (name.empty() || name.rfind("0x", 0) == 0 || name.find(" = ") != std::string::npos)
            continue;
        map.symbols_[static_cast<std::uint32_t>(std::stoul(address, nullptr, 16))] = name;
    }
    return map;
}

std::string LinkMap::functionAt(std::uint32_t address) const {
    auto it = symbols_.upper_bound(address);
    return it == symbols_.begin() ? "?" : std::prev(it)->second;
}

std::uint32_t LinkMap::addressOf(const std::string& name) const {
    for (const auto& symbol : symbols_)
        if (symbol.second == name)
            return symbol.first;
    return 0;
}

} // namespace prereq
