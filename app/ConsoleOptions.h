// The console program's command line: what it asks for, or what is wrong with it.
#pragma once

#include <string>
#include <vector>

namespace prereq {

struct ConsoleOptions {
    bool help = false;         // --help, -h or /?
    bool json = false;         // --json: the JSON document instead of the text table
    bool writeReports = false; // --reports FOLDER
    std::string reportFolder;  // FOLDER, as given
    bool writeResult = false;  // --json-to FOLDER: the JSON document into FOLDER\<computer>.json
    std::string resultFolder;  // FOLDER, as given
    std::string error;         // empty when the command line was understood
};

// arguments are the command line's words after the program's name. Every word must be an
// option the program knows: an unknown one is an error, never ignored. An option that takes a
// folder refuses a word that begins with '-' or is "/?": that is an option forgotten its folder,
// and a folder of such a name is given as .\-NAME.
ConsoleOptions parseConsoleOptions(const std::vector<std::string>& arguments);

// "usage: PROGRAM [--json] [--json-to FOLDER] [--reports FOLDER] [--help]", no line break.
std::string usageLine(const std::string& program);

// What --help prints: the usage line, the options and the exit codes.
std::string helpText(const std::string& program);

} // namespace prereq
