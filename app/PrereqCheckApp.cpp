// PrereqCheckApp's portable part: registration as the current application and the title. The
// start-up entry, which needs the real dialog, lives in Win32PrereqCheckApp.cpp.
#include "app/PrereqCheckApp.h"

#include "platform/Platform.h"

namespace prereq {

namespace {

PrereqCheckApp* current = nullptr;

} // namespace

PrereqCheckApp::PrereqCheckApp() {
    current = this;
}

PrereqCheckApp::~PrereqCheckApp() {
    if (current == this)
        current = nullptr;
}

std::string PrereqCheckApp::title() const {
    return programTitle();
}

PrereqCheckApp* currentApplication() {
    return current;
}

std::string programTitle() {
    std::string name = platform().moduleFileName();
    const auto separator = name.find_last_of("\\/");
    if (separator != std::string::npos)
        name.erase(0, separator + 1);
    const auto dot = name.find_last_of('.');
    if (dot != std::string::npos)
        name.erase(dot);
    return name;
}

} // namespace prereq
