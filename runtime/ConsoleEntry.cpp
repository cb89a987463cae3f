// The console program's entry, where Windows starts it: main(argc, argv) from the command line,
// between the shared start-up and exit (Startup.cpp).
#include "runtime/CommandLine.h"
#include "runtime/Startup.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>

int main(int argc, char** argv);

extern "C" void mainCRTStartup() {
    prereq::runtime::startProgram();
    const char* line = GetCommandLineA();
    const std::size_t length = std::strlen(line);
    auto** argv = static_cast<char**>(std::malloc((length + 2) * sizeof(char*)));
    auto* text = static_cast<char*>(std::malloc(length + 2));
    if (argv == nullptr || text == nullptr)
        prereq::runtime::endProgram(3);
    const int argc = prereq::runtime::splitCommandLine(line, argv, text);
    prereq::runtime::endProgram(main(argc, argv));
}
