// The dialog program's entry, where Windows starts it: WinMain between the shared start-up and
// exit (Startup.cpp), with the command line after the program's name and the show state the
// starting program asked for.
#include "runtime/Startup.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show);

extern "C" void WinMainCRTStartup() {
    prereq::runtime::startProgram();
    char* line = GetCommandLineA();
    // The program's name ends at its closing quote, or else at the first blank.
    bool quoted = false;
    for (; *line != '\0' && (quoted || (*line != ' ' && *line != '\t')); ++line)
        if (*line == '"')
            quoted = !quoted;
    while (*line == ' ' || *line == '\t')
        ++line;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    const int show =
        (startup.dwFlags & STARTF_USESHOWWINDOW) != 0 ? startup.wShowWindow : SW_SHOWDEFAULT;
    prereq::runtime::endProgram(WinMain(GetModuleHandleA(nullptr), nullptr, line, show));
}
