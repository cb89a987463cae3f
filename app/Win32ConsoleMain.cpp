// The console program's entry: hands the command line to runConsoleCheck and writes what it
// returns to standard output and standard error, or, should memory run out, the line readied
// for that.
#include "app/ConsoleCheck.h"
#include "app/OutOfMemory.h"
#include "app/StandardStreams.h"
#include "platform/WindowsServices.h"

#include <windows.h>

#include <new>
#include <string>
#include <vector>

namespace {

// No memory is left to unwind with or to build a message in: the line readied beforehand, and
// the exit code of every other refusal, at once.
void endOnOutOfMemory() {
    prereq::sayOutOfMemory();
    ExitProcess(prereq::kExitUsage);
}

} // namespace

int main(int argc, char** argv) {
    std::set_new_handler(endOnOutOfMemory);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const prereq::ConsoleRun run = prereq::runConsoleCheck(arguments);
    prereq::writeStandardStream(prereq::kStdOutputHandle, run.standardOutput, run.outputIsUtf8);
    prereq::writeStandardStream(prereq::kStdErrorHandle, run.standardError, false);
    return run.exitCode;
}
