// RegistryKey: a key under HKEY_LOCAL_MACHINE opened for reading for the length of a scope, and
// the bounded reads the software checks make of it. Whatever the registry holds, nothing is read
// beyond the fixed buffers: a subkey name of 64 bytes, a value of 255 bytes.
#pragma once

#include "platform/WindowsServices.h"

#include <cstdint>
#include <string>

namespace prereq {

class RegistryKey {
public:
    static constexpr std::uint32_t kNameBufferSize = 64;   // RegEnumKeyA's name buffer
    static constexpr std::uint32_t kValueBufferSize = 255; // RegQueryValueExA's data buffer

    // RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ); isOpen() tells whether it worked.
    explicit RegistryKey(const std::string& path);
    ~RegistryKey();
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    bool isOpen() const { return handle_ != 0; }
    // The name of the subkey at index. False at the end of the list and on any failure,
    // a name too long for the buffer among them.
    bool subkeyName(std::uint32_t index, std::string& name) const;
    // The value can be read whole into the value buffer, whatever its type.
    bool hasReadableValue(const std::string& valueName) const;
    // The value as text: only a string value (REG_SZ, REG_EXPAND_SZ) read whole counts. The
    // text ends at its first NUL or at the end of the data, whichever comes first.
    bool readText(const std::string& valueName, std::string& text) const;

private:
    std::int32_t query(const std::string& valueName, std::uint32_t& type, unsigned char* data,
                       std::uint32_t& size) const;

    KeyHandle handle_ = 0;
};

} // namespace prereq
