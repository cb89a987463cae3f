// The memory of a 32-bit program run elsewhere (an emulated processor): what WindowsCalls reads
// the arguments of the program's Windows calls from and writes their results into.
#pragma once

#include <cstdint>
#include <string>

namespace prereq {

class GuestMemory {
public:
    virtual ~GuestMemory() = default;
    // Both throw std::runtime_error for an address the program has not got.
    virtual void read(std::uint32_t address, void* bytes, std::uint32_t size) = 0;
    virtual void write(std::uint32_t address, const void* bytes, std::uint32_t size) = 0;

    std::uint32_t read32(std::uint32_t address) {
        std::uint32_t value = 0;
        read(address, &value, 4);
        return value;
    }
    void write32(std::uint32_t address, std::uint32_t value) { write(address, &value, 4); }
    // A NUL-terminated string, without its NUL.
    std::string readString(std::uint32_t address) {
        std::string text;
        for (char c = 0;; text += c) {
            read(address++, &c, 1);
            if (c == 0)
                return text;
        }
    }
    // text and its NUL.
    void writeString(std::uint32_t address, const std::string& text) {
        write(address, text.c_str(), static_cast<std::uint32_t>(text.size() + 1));
    }
};

} // namespace prereq
