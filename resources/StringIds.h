// The string table's entries as named ids, and their texts for the simulated PC.
#pragma once

#include <cstdint>

namespace prereq {

enum StringId : std::uint32_t {
#define STRING_ENTRY(id, name, text) name = id,
#include "resources/StringTable.def"
#undef STRING_ENTRY
};

// The text of an entry as the resource script holds it; null for an id the table lacks.
inline const char* builtInString(std::uint32_t id) {
    switch (id) {
#define STRING_ENTRY(id, name, text)                                                               \
    case id:                                                                                       \
        return text;
#include "resources/StringTable.def"
#undef STRING_ENTRY
    }
    return nullptr;
}

} // namespace prereq
