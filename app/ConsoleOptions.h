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
    bool summarise = false;    // --summary FOLDER: the fleet summary of the results in FOLDER
    std::string summaryFolder; // FOLDER, as given
    int maxAgeDays = 7;        // --max-age DAYS: the summary marks results older than this
    bool expect = false;       // --expect FILE: the computers the summary expects results from
    std::string expectFile;    // FILE, as given
    std::string error;         // empty when the command line was understood
};

// arguments are the command line's words after the program's name. Every word must be an
// option the program knows: an unknown one is an error, never ignored. An option that takes a
// folder refuses a word that begins with '-' or is "/?": that is an option forgotten its folder,
// and a folder of such a name is given as .\-NAME. --summary measures nothing, so it takes no
// option of the check; --max-age and --expect belong to it;
// --max-age and takes 0 to 9999 days.
ConsoleOptions parseConsoleOptions(const std::vector<std::string>& arguments);

// The usage line, no line break: "usage: PROGRAM [--json] [--json-to FOLDER] [--reports FOLDER]
// [--summary FOLDER [--max-age DAYS] [--expect FILE]] [--help]".
std::string usageLine(const std::string& program);

// What --help prints: the usage line, the options and the exit codes.
std::string helpText(const std::string& program);

} // namespace prereq
