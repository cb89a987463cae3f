// The program's entry: the one application object, created during static initialisation, and
// WinMain, which hands over to it and releases the requirement lists on the way out.
#include "app/PrereqCheckApp.h"
#include "checks/RequirementSet.h"

#include <windows.h>

#include <cstdlib>

// The standard library's default terminate handler prints the active exception's demangled type
// name, and brings the whole demangler (a sixth of the program) with it. PrereqCheck has no
// console to print to, so its handler only ends the program; defining it here keeps the
// library's own out of the link.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
} // namespace __gnu_cxx

namespace {

prereq::PrereqCheckApp application;

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    application.startUp(); // always false: there is no message loop to run
    prereq::releaseRequirementLists();
    return 0;
}
