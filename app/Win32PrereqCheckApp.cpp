// PrereqCheckApp's start-up entry: measures the PC, then shows the main dialog until the user
// closes it. The portable part of the application object is in PrereqCheckApp.cpp.
#include "app/PrereqCheckApp.h"

#include "app/Win32PrereqCheckDialog.h"
#include "checks/RequirementSet.h"
#include "platform/Platform.h"

#include <windows.h>

#include <commctrl.h>

namespace prereq {

bool PrereqCheckApp::startUp() {
    // No system box may wait for a click (a floppy or an empty CD-ROM drive on PATH, a library
    // that cannot be found): the calls fail instead, from before the first probe on. The
    // inherited mode's other flags stay.
    addQuietErrorMode();
    // Every probe runs here, before any window exists; nothing is measured again later.
    buildRequirementLists();
    // With the manifest's common controls this gives the dialog the system's visual styles.
    InitCommonControls();
    {
        // The dialog makes itself the main window while it exists (it must be a window for
        // that) and withdraws when it is destroyed.
        PrereqCheckDialog dialog(GetModuleHandleA(nullptr));
        dialog.run();
    }
    // No message loop follows: the program ends.
    return false;
}

} // namespace prereq
