// What the software-check tests share: names of the four systems, and the simulated
// PC's records of keys, libraries and exports as short readable lines.
#pragma once

#include "checks/RemoteAccessCheck.h"
#include "platform/simulated/SimulatedPc.h"
#include "tests/unit/SimulatedSystems.h"

#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace prereq {
namespace testing_support {

inline const char* nameOf(System system) {
    switch (system) {
    case System::Nt4:
        return "NT 4";
    case System::Windows2000:
        return "2000";
    case System::Windows95:
        return "95";
    case System::Windows98:
        return "98";
    }
    return "?";
}

// "a b c" -> {"a", "b", "c"}
inline std::set<std::string> words(const std::string& text) {
    std::istringstream in(text);
    std::set<std::string> result;
    for (std::string word; in >> word;)
        result.insert(word);
    return result;
}

inline std::string joined(const std::vector<std::string>& names) {
    std::string text;
    for (const auto& name : names)
        text += (text.empty() ? "" : " ") + name;
    return text;
}

// The keys opened, with the long paths the checks use shortened: CLSID, MSDUN, class,
// class\0000 and so on.
inline std::string openedKeys(const SimulatedPc& pc) {
    const std::string modemClass = SimulatedPc::modemClassKey(pc.isNtFamily());
    std::vector<std::string> names;
    for (const auto& key : pc.openedKeys) {
        if (key == kDialUpClsidKey)
            names.push_back("CLSID");
        else if (key == kDialUpUninstallKey)
            names.push_back("MSDUN");
        else if (key.compare(0, modemClass.size(), modemClass) == 0)
            names.push_back("class" + key.substr(modemClass.size()));
        else
            names.push_back(key);
    }
    return joined(names);
}

} // namespace testing_support
} // namespace prereq
