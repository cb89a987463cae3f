// Parsing the console program's few options. Windows hands the program its words already split
// (quotes removed), so a folder with blanks arrives as one word.
#include "app/ConsoleOptions.h"

namespace prereq {

ConsoleOptions parseConsoleOptions(const std::vector<std::string>& arguments) {
    ConsoleOptions options;
    for (std::size_t index = 0; index < arguments.size() && options.error.empty(); ++index) {
        const std::string& word = arguments[index];
        if (word == "--help" || word == "-h" || word == "/?") {
            options.help = true;
        } else if (word == "--json") {
            options.json = true;
        } else if (word == "--reports") {
            if (options.writeReports)
                options.error = "--reports given twice";
            else if (index + 1 == arguments.size() || arguments[index + 1].empty())
                options.error = "--reports needs a folder";
            else
                options.reportFolder = arguments[++index];
            options.writeReports = true;
        } else {
            options.error = "unknown option '" + word + "'";
        }
    }
    return options;
}

std::string usageLine(const std::string& program) {
    return "usage: " + program + " [--json] [--reports FOLDER] [--help]";
}

std::string helpText(const std::string& program) {
    return usageLine(program) +
           "\n"
           "Checks this PC against the prerequisites of each product and prints the verdicts.\n"
           "  --json            print one JSON document (UTF-8) instead of the table\n"
           "  --reports FOLDER  write the HTML report of every product that is not satisfied\n"
           "                    into FOLDER, which must exist; without it nothing is written\n"
           "  --help            print this text\n"
           "Exit code: 0 all satisfied, 1 below recommended, 2 not satisfied,\n"
           "3 a usage error or a report folder that does not exist or cannot be written.\n";
}

} // namespace prereq
