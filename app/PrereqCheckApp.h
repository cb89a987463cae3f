// PrereqCheckApp: the one application object. It knows the program's title (the base name of
// its executable) and the main window that owns message boxes and launched programs, and its
// start-up entry runs the main dialog.
#pragma once

#include "platform/WindowsServices.h"

#include <string>

namespace prereq {

class PrereqCheckApp {
public:
    // There is one application at a time: it is the current one from its construction to its
    // destruction.
    PrereqCheckApp();
    ~PrereqCheckApp();
    PrereqCheckApp(const PrereqCheckApp&) = delete;
    PrereqCheckApp& operator=(const PrereqCheckApp&) = delete;

    // The base name of the program's executable file, directory and extension removed.
    std::string title() const;
    WindowHandle mainWindow() const { return mainWindow_; }
    void setMainWindow(WindowHandle window) { mainWindow_ = window; }

    // Builds the requirement lists, runs the main dialog modally and returns false: no message
    // loop follows and the program ends. Windows build only.
    bool startUp();

private:
    WindowHandle mainWindow_ = 0;
};

// The application object while one exists, else null.
PrereqCheckApp* currentApplication();

// The program's title without an application object: the base name of the running program's
// file (platform().moduleFileName()), its directory and extension removed.
std::string programTitle();

} // namespace prereq
