// A 32-bit Windows program as its file lays it out: where each section goes, where it starts,
// and what it imports, by DLL and name, with the address of the slot that receives each entry.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace prereq {

struct PeImport {
    std::string dll;       // as the import table spells it
    std::string name;      // empty for an import by ordinal
    std::uint32_t slotRva; // the import address table's entry
};

struct PeSection {
    std::uint32_t rva;
    std::uint32_t virtualSize;
    std::uint32_t fileOffset;
    std::uint32_t fileSize;
};

struct PeImage {
    std::uint32_t imageBase = 0;
    std::uint32_t imageSize = 0;
    std::uint32_t entryRva = 0;
    std::uint32_t headerSize = 0;
    std::vector<PeSection> sections;
    std::vector<PeImport> imports;
    std::vector<std::uint8_t> file;

    // Throws std::runtime_error for anything but a well-formed 32-bit PE image.
    static PeImage parse(std::vector<std::uint8_t> file);
    static PeImage load(const std::string& path);
    // Where an address of the loaded image lies in the file; throws outside every section.
    std::uint32_t fileOffset(std::uint32_t rva) const;
};

} // namespace prereq
