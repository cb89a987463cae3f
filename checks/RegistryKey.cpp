// Opening, enumerating and reading registry keys for the software checks, within fixed buffers.
#include "checks/RegistryKey.h"

#include "platform/Platform.h"

#include <algorithm>

namespace prereq {

namespace {

constexpr std::uint32_t kRegExpandSz = 2; // REG_EXPAND_SZ

// Text up to the first NUL, never beyond size bytes: the registry does not promise a NUL.
std::string textWithin(const char* data, std::size_t size) {
    return std::string(data, std::find(data, data + size, '\0'));
}

} // namespace

RegistryKey::RegistryKey(const std::string& path) {
    KeyHandle key = 0;
    if (platform().openKey(path, key) == kErrorSuccess)
        handle_ = key;
}

RegistryKey::~RegistryKey() {
    if (handle_ != 0)
        platform().closeKey(handle_);
}

bool RegistryKey::subkeyName(std::uint32_t index, std::string& name) const {
    if (!isOpen())
        return false;
    char buffer[kNameBufferSize] = {};
    if (platform().enumerateSubkey(handle_, index, buffer, kNameBufferSize) != kErrorSuccess)
        return false;
    name = textWithin(buffer, kNameBufferSize);
    return true;
}

std::int32_t RegistryKey::query(const std::string& valueName, std::uint32_t& type,
                                unsigned char* data, std::uint32_t& size) const {
    if (!isOpen())
        return kErrorFileNotFound;
    size = kValueBufferSize;
    const std::int32_t result = platform().queryValue(handle_, valueName, type, data, size);
    // A value that does not fit (ERROR_MORE_DATA) was not read and does not count.
    size = std::min(size, kValueBufferSize);
    return result;
}

bool RegistryKey::hasReadableValue(const std::string& valueName) const {
    std::uint32_t type = 0;
    unsigned char data[kValueBufferSize];
    std::uint32_t size = 0;
    return query(valueName, type, data, size) == kErrorSuccess;
}

bool RegistryKey::readText(const std::string& valueName, std::string& text) const {
    std::uint32_t type = 0;
    unsigned char data[kValueBufferSize];
    std::uint32_t size = 0;
    if (query(valueName, type, data, size) != kErrorSuccess)
        return false;
    if (type != kRegSz && type != kRegExpandSz)
        return false;
    text = textWithin(reinterpret_cast<const char*>(data), size);
    return true;
}

} // namespace prereq
