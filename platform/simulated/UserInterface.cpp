// The simulated PC's user interface: the program's string table and its message boxes.
#include "platform/simulated/SimulatedPc.h"

#include "platform/simulated/SimulatedPcHelpers.h"
#include "resources/StringIds.h"

namespace prereq {

using namespace simulated;

std::string SimulatedPc::loadString(std::uint32_t id) {
    ++callCounts["LoadStringA"];
    const char* text = builtInString(id);
    return text ? text : "";
}

int SimulatedPc::messageBox(WindowHandle owner, const std::string& text, const std::string& caption,
                            std::uint32_t flags) {
    messageBoxes.push_back(MessageBoxCall{owner, text, caption, flags});
    return kIdOk;
}

} // namespace prereq
