// The console program's entry: hands the command line to runConsoleCheck and writes what it
// returns to standard output and standard error.
#include "app/ConsoleCheck.h"
#include "app/StandardStreams.h"
#include "platform/WindowsServices.h"

#include <string>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const prereq::ConsoleRun run = prereq::runConsoleCheck(arguments);
    prereq::writeStandardStream(prereq::kStdOutputHandle, run.standardOutput, run.outputIsUtf8);
    prereq::writeStandardStream(prereq::kStdErrorHandle, run.standardError, false);
    return run.exitCode;
}
