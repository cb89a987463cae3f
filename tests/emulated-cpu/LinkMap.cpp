// Reading the GNU linker's map: its symbol lines are "0xADDRESS NAME", names demangled already
// (the build asks the linker for that).
#include "LinkMap.h"

#include <fstream>
#include <sstream>

namespace prereq {

LinkMap LinkMap::load(const std::string& path) {
    LinkMap map;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string address, name;
        if (line.empty() || line[0] != ' ' || !(words >> address) || address.rfind("0x", 0) != 0)
            continue;
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
