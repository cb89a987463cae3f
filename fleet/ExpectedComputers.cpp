// Reading the list of expected computers. A computer's name is what Windows allows in one: up to
// 15 characters, none of them a blank, a control character or one of \ / : * ? " < > |.
#include "fleet/ExpectedComputers.h"

#include "platform/AnsiText.h"

#include <algorithm>

namespace prereq {

namespace {

std::string trimmed(const std::string& line) {
    const std::size_t first = line.find_first_not_of(" \t");
    return first == std::string::npos
               ? std::string()
               : line.substr(first, line.find_last_not_of(" \t") - first + 1);
}

// Why name is no computer's name; empty when it is one.
std::string nameProblem(const std::string& name) {
    if (name.empty())
        return "no computer's name after \\\\";
    if (name.size() > 15)
        return "'" + name.substr(0, 15) + "...' is longer than a computer's name (15 characters)";
    for (const char c : name) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || std::string(" \\/:*?\"<>|").find(c) != std::string::npos)
            return "'" + name + "' is not a computer's name";
    }
    return {};
}

} // namespace

std::string readExpectedComputers(const std::string& text, std::vector<std::string>& names) {
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end;
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::size_t comment = line.find(';');
        lines.push_back(trimmed(comment == std::string::npos ? line : line.substr(0, comment)));
        start = end + 1;
    }
    const bool netView = std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
        return line.compare(0, 2, "\\\\") == 0;
    });
    std::vector<std::string> seen; // sorted: the programs' run-time has no tree containers
    for (std::size_t index = 0; index < lines.size(); ++index) {
        std::string name = lines[index];
        if (netView && name.compare(0, 2, "\\\\") != 0)
            continue; // the header, its rule, a remark-less footer
        if (netView)
            name = name.substr(2, name.find_first_of(" \t") == std::string::npos
                                      ? std::string::npos
                                      : name.find_first_of(" \t") - 2);
        else if (name.empty())
            continue;
        const std::string problem = nameProblem(name);
        if (!problem.empty())
            return "line " + std::to_string(index + 1) + ": " + problem;
        const std::string utf8 = utf8FromAnsi(name);
        const std::string key = computerKey(utf8);
        const auto at = std::lower_bound(seen.begin(), seen.end(), key);
        if (at != seen.end() && *at == key)
            continue;
        seen.insert(at, key);
        names.push_back(utf8);
    }
    return {};
}

void matchExpected(FleetSummary& summary, const std::vector<std::string>& names) {
    summary.expectGiven = true;
    std::vector<std::string> expected, reported; // sorted
    for (const std::string& name : names)
        expected.push_back(computerKey(name));
    std::sort(expected.begin(), expected.end());
    for (const ComputerResult& result : summary.results) {
        reported.push_back(computerKey(result.computer));
        if (!std::binary_search(expected.begin(), expected.end(), reported.back()))
            summary.notExpected.push_back(reported.back());
    }
    std::sort(reported.begin(), reported.end());
    std::sort(summary.notExpected.begin(), summary.notExpected.end());
    for (const std::string& name : names)
        if (!std::binary_search(reported.begin(), reported.end(), computerKey(name)))
            summary.notReported.push_back(name);
    std::sort(
        summary.notReported.begin(), summary.notReported.end(),
        [](const std::string& a, const std::string& b) { return computerKey(a) < computerKey(b); });
}

} // namespace prereq
