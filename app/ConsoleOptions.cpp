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

} // namespace

ConsoleOptions parseConsoleOptions(const std::vector<std::string>& arguments) {
    ConsoleOptions options;
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
        } else {
            options.error = "unknown option '" + word + "'";
        }
    }
    return options;
}

std::string usageLine(const std::string& program) {
    return "usage: " + program + " [--json] [--json-to FOLDER] [--reports FOLDER] [--help]";
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
           "  --help            print this text\n"
           "Exit code: 0 all satisfied, 1 below recommended, 2 not satisfied,\n"
           "3 a usage error, or a folder that does not exist or cannot be written.\n";
}

} // namespace prereq
