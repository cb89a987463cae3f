// Reading a PE image's headers, sections and import table from its file's bytes.
#include "PeImage.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace prereq {

namespace {

std::uint32_t read32(const std::vector<std::uint8_t>& bytes, std::uint32_t offset) {
    if (offset + 4 > bytes.size() || offset + 4 < offset)
        throw std::runtime_error("PE image: read past its end");
    std::uint32_t value;
    std::memcpy(&value, &bytes[offset], 4);
    return value;
}

std::uint16_t read16(const std::vector<std::uint8_t>& bytes, std::uint32_t offset) {
    return static_cast<std::uint16_t>(read32(bytes, offset) & 0xFFFF);
}

std::string readString(const std::vector<std::uint8_t>& bytes, std::uint32_t offset) {
    std::string text;
    while (offset < bytes.size() && bytes[offset] != 0)
        text += static_cast<char>(bytes[offset++]);
    return text;
}

} // namespace

std::uint32_t PeImage::fileOffset(std::uint32_t rva) const {
    for (const PeSection& s : sections)
        if (rva >= s.rva && rva < s.rva + std::max(s.virtualSize, s.fileSize))
            return s.fileOffset + (rva - s.rva);
    if (rva < headerSize)
        return rva;
    throw std::runtime_error("PE image: address outside every section");
}

PeImage PeImage::parse(std::vector<std::uint8_t> file) {
    PeImage image;
    image.file = std::move(file);
    const auto& f = image.file;
    if (f.size() < 64 || f[0] != 'M' || f[1] != 'Z')
        throw std::runtime_error("PE image: no MZ header");
    const std::uint32_t pe = read32(f, 0x3C);
    if (read32(f, pe) != 0x4550 || read16(f, pe + 4) != 0x14C || read16(f, pe + 24) != 0x10B)
        throw std::runtime_error("PE image: not a 32-bit x86 PE image");
    const std::uint16_t sectionCount = read16(f, pe + 6);
    const std::uint32_t optional = pe + 24;
    image.entryRva = read32(f, optional + 16);
    image.imageBase = read32(f, optional + 28);
    image.imageSize = read32(f, optional + 56);
    image.headerSize = read32(f, optional + 60);
    const std::uint32_t importRva = read32(f, optional + 96 + 8);
    std::uint32_t section = optional + read16(f, pe + 20);
    for (int i = 0; i < sectionCount; ++i, section += 40)
        image.sections.push_back({read32(f, section + 12), read32(f, section + 8),
                                  read32(f, section + 20), read32(f, section + 16)});
    if (importRva == 0)
        return image;
    for (std::uint32_t d = image.fileOffset(importRva); read32(f, d + 12) != 0; d += 20) {
        const std::string dll = readString(f, image.fileOffset(read32(f, d + 12)));
        const std::uint32_t lookupRva = read32(f, d) ? read32(f, d) : read32(f, d + 16);
        const std::uint32_t slots = read32(f, d + 16);
        for (std::uint32_t i = 0;; ++i) {
            const std::uint32_t entry = read32(f, image.fileOffset(lookupRva + 4 * i));
            if (entry == 0)
                break;
            const bool byOrdinal = (entry & 0x80000000u) != 0;
            image.imports.push_back(
                {dll, byOrdinal ? std::string() : readString(f, image.fileOffset(entry + 2)),
                 slots + 4 * i});
        }
    }
    return image;
}

PeImage PeImage::load(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    return parse(std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {}));
}

} // namespace prereq
