// The console program's whole run, apart from the Windows entry that hands it the command line
// and writes out what it returns: the options, the measurement with the very code of the dialog
// program, the reports where asked for, the chosen summary and the exit code.
#pragma once

#include "report/ProductAssessment.h"

#include <string>
#include <vector>

namespace prereq {

enum ConsoleExitCode {
    kExitSatisfied = 0,
    kExitBelowRecommended = 1,
    kExitNotSatisfied = 2,
    kExitUsage = 3, // a usage error, or a folder that does not exist or cannot be written
};

struct ConsoleRun {
    int exitCode = kExitUsage;
    std::string standardOutput;
    bool outputIsUtf8 = false; // the JSON document; the table and the error line are ANSI
    std::string standardError; // one line, or nothing
};

// The worst verdict: 2 when any product is not satisfied, else 1 when any is below recommended.
int exitCodeFor(const std::vector<const ProductAssessment*>& products);

// Measures the PC through platform() and releases the requirement lists again before returning.
// Turns the system's error boxes off first. A report or result folder that does not exist, or
// is a file, is refused before anything is measured (a share's root counts as a folder when it
// can be listed); when a report or the result file cannot be written, the files this run wrote
// are removed again, so no partial set remains, and the line on standard error names the file
// and gives Windows' reason.
ConsoleRun runConsoleCheck(const std::vector<std::string>& arguments);

} // namespace prereq
