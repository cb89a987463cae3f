// The program's entry: the one application object, created during static initialisation, and
// WinMain, which hands over to it and releases the requirement lists on the way out.
#include "app/PrereqCheckApp.h"
#include "checks/RequirementSet.h"

#include <windows.h>

namespace {

prereq::PrereqCheckApp application;

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    application.startUp(); // always false: there is no message loop to run
    prereq::releaseRequirementLists();
    return 0;
}
