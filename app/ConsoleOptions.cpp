// Parsing the console program's few options. Windows hands the program its words already split
// (quotes removed), so a folder with blanks arrives as one word.
#include "app/ConsoleOptions.h"

namespace prereq {

namespace {

bool looksLikeOption(const std::string& word) {
    return word.empty() || word[0] == '-' || word == "/?";
}

// The folder after an option such as --reports: the next word, or an error.
void takeFolder(const std::vector<std::string>& arguments, std::size_t& index, bool& given,
                std::string& folder, std::string& error) {
    const std::string& option = arguments[index];
    if (given)
        error = option + " given twice";
    else if (index + 1 == arguments.size() || arguments[index + 1].empty())
        error = option + " needs a folder";
    else if (looksLikeOption(arguments[index + 1]))
        error = option + " needs a folder, not '" + arguments[index + 1] + "'";
    else
        folder = arguments[++index];
    given = true;
}

// DAYS after --max-age: 1 to 4 digits.
void takeDays(const std::vector<std::string>& arguments, std::size_t& index, int& days,
              std::string& error) {
    const std::string& option = arguments[index];
    const std::string word = index + 1 < arguments.size() ? arguments[++index] : std::string();
    if (word.empty() || word.size() > 4 || word.find_first_not_of("0123456789") != word.npos) {
        error = option + " needs a number of days from 0 to 9999";
        return;
    }
    days = 0;
    for (const char digit : word)
        days = days * 10 + (digit - '0');
}

// The options of the check and of the summary do not mix.
void checkSummaryOptions(ConsoleOptions& options, bool maxAgeGiven) {
    if (!options.error.empty())
        return;
    if (maxAgeGiven && !options.summarise)
        options.error = "--max-age belongs to --summary";
    else if (options.expect && !options.summarise)
        options.error = "--expect belongs to --summary";
    else if (options.summarise && (options.json || options.writeReports || options.writeResult))
        options.error = "--summary cannot be combined with --json, --json-to or --reports";
}

} // namespace

ConsoleOptions parseConsoleOptions(const std::vector<std::string>& arguments) {
    ConsoleOptions options;
    bool maxAgeGiven = false;
    for (std::size_t index = 0; index < arguments.size() && options.error.empty(); ++index) {
        const std::string& word = arguments[index];
        if (word == "--help" || word == "-h" || word == "/?") {
            options.help = true;
        } else if (word == "--json") {
            options.json = true;
        } else if (word == "--reports") {
            takeFolder(arguments, index, options.writeReports, options.reportFolder, options.error);
        } else if (word == "--json-to") {
            takeFolder(arguments, index, options.writeResult, options.resultFolder, options.error);
        } else if (word == "--summary") {
            takeFolder(arguments, index, options.summarise, options.summaryFolder, options.error);
        } else if (word == "--expect") {
            takeFolder(arguments, index, options.expect, options.expectFile, options.error);
            if (options.error.find(" needs a folder") != std::string::npos)
                options.error.replace(options.error.find(" needs a folder"), 15, " needs a file");
        } else if (word == "--max-age" && !maxAgeGiven) {
            maxAgeGiven = true;
            takeDays(arguments, index, options.maxAgeDays, options.error);
        } else if (word == "--max-age") {
            options.error = word + " given twice";
        } else {
            options.error = "unknown option '" + word + "'";
        }
    }
    checkSummaryOptions(options, maxAgeGiven);
    return options;
}

std::string usageLine(const std::string& program) {
    return "usage: " + program +
           " [--json] [--json-to FOLDER] [--reports FOLDER]"
           " [--summary FOLDER [--max-age DAYS] [--expect FILE]] [--help]";
}

std::string helpText(const std::string& program) {
    return usageLine(program) +
           "\n"
           "Checks this PC against the prerequisites of each product and prints the verdicts.\n"
           "  --json            print one JSON document (UTF-8) instead of the table\n"
           "  --json-to FOLDER  write the JSON document into FOLDER, which must exist, as\n"
           "                    <computer name>.json; the table is printed all the same\n"
           "  --reports FOLDER  write the HTML report of every product that is not satisfied\n"
           "                    into FOLDER, which must exist; without it nothing is written\n"
           "  --summary FOLDER  read every result (*.json) in FOLDER and write FleetStatus.htm,\n"
           "                    FleetStatus.csv, FleetTally.csv and FleetHistory.csv there\n"
           "  --max-age DAYS    with --summary: mark results older than DAYS (default 7)\n"
           "  --expect FILE     with --summary: the computers expected, one a line, or the\n"
           "                    output of net view; those without a result are not reported\n"
           "  --help            print this text\n"
           "Exit code: 0 all satisfied, 1 below recommended, 2 not satisfied,\n"
           "3 a usage error, or a folder that does not exist or cannot be written;\n"
           "with --summary, 0 when both files were written, else 3.\n";
}

} // namespace prereq
