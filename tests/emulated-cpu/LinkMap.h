// The functions of a program, from the link map the build writes beside it: which function an
// address lies in, so that a failed run names it.
#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace prereq {

class LinkMap {
public:
    // An empty map, which names nothing, when the file cannot be read.
    static LinkMap load(const std::string& path);
    // The symbol at or below address; "?" when there is none.
    std::string functionAt(std::uint32_t address) const;
    // Whether a function of the map begins at address.
    bool startsFunction(std::uint32_t address) const { return symbols_.count(address) != 0; }
    // The address of a symbol as the map names it (demangled); 0 when it has none.
    std::uint32_t addressOf(const std::string& name) const;

private:
    std::map<std::uint32_t, std::string> symbols_;
};

} // namespace prereq
