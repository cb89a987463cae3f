// The document search: the current directory before PATH, and the walk along PATH with its
// separators, quotes, element endings and length limits.
#include "app/DocumentLauncher.h"

#include "platform/Platform.h"
#include "platform/simulated/SimulatedPc.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace prereq {
namespace {

// An absolute directory of exactly length characters.
std::string directoryOfLength(std::size_t length) {
    return "C:\\" + std::string(length - 3, 'd');
}

struct SearchCase {
    const char* title;
    std::optional<std::string> path; // PATH; unset when empty
    std::vector<std::string> existing;
    std::string name;
    std::string expected;
    bool fullPathFails = false;
    const char* variable = "PATH"; // the name PATH is set under
};

TEST(FindOnSearchPath, FollowsTheSearchOrderAndThePathRules) {
    const std::string dir258 = directoryOfLength(258);
    const std::string dir259 = directoryOfLength(259);
    const SearchCase cases[] = {
        {"current directory before PATH",
         "C:\\Docs",
         {"C:\\Reports\\a.htm", "C:\\Docs\\a.htm"},
         "a.htm",
         "C:\\Reports\\a.htm"},
        {"PATH unset: only the current directory", std::nullopt, {"C:\\Docs\\a.htm"}, "a.htm", ""},
        {"found nowhere", "C:\\Docs;C:\\Help", {"C:\\Other\\a.htm"}, "a.htm", ""},
        {"first existing element wins",
         "C:\\Docs;C:\\Help;C:\\More",
         {"C:\\Help\\a.htm", "C:\\More\\a.htm"},
         "a.htm",
         "C:\\Help\\a.htm"},
        {"element ending in backslash",
         "C:\\Docs\\",
         {"C:\\Docs\\a.htm"},
         "a.htm",
         "C:\\Docs\\a.htm"},
        {"element ending in slash", "C:/Docs/", {"C:/Docs/a.htm"}, "a.htm", "C:/Docs/a.htm"},
        {"element ending in colon", "D:", {"D:a.htm"}, "a.htm", "D:a.htm"},
        {"other element gets one backslash",
         "C:/Docs",
         {"C:/Docs\\a.htm"},
         "a.htm",
         "C:/Docs\\a.htm"},
        {"relative element is returned as built",
         "docs",
         {"C:\\Reports\\docs\\a.htm"},
         "a.htm",
         "docs\\a.htm"},
        {"quoted element",
         "\"C:\\Program Files\\Help\"",
         {"C:\\Program Files\\Help\\a.htm"},
         "a.htm",
         "C:\\Program Files\\Help\\a.htm"},
        {"quotes inside an element",
         "C:\\\"Program Files\"\\Help",
         {"C:\\Program Files\\Help\\a.htm"},
         "a.htm",
         "C:\\Program Files\\Help\\a.htm"},
        {"semicolon inside quotes belongs to the element",
         "\"C:\\A;B\"",
         {"C:\\A;B\\a.htm"},
         "a.htm",
         "C:\\A;B\\a.htm"},
        {"quoted semicolon does not split",
         "\"C:\\A;B\";C:\\Docs",
         {"C:\\A\\a.htm", "B\\a.htm", "C:\\Docs\\a.htm"},
         "a.htm",
         "C:\\Docs\\a.htm"},
        {"unclosed quote runs to the end", "\"C:\\A;C:\\Docs", {"C:\\Docs\\a.htm"}, "a.htm", ""},
        {"runs of separators count as one",
         ";;C:\\A;;;C:\\Docs;;",
         {"C:\\Docs\\a.htm"},
         "a.htm",
         "C:\\Docs\\a.htm"},
        {"separators only", ";;;", {"C:\\Reports\\b.htm"}, "a.htm", ""},
        {"element empty after quotes ends the walk",
         "C:\\A;\"\";C:\\Docs",
         {"C:\\Docs\\a.htm"},
         "a.htm",
         ""},
        {"elements before an empty one are searched",
         "C:\\Docs;\"\";C:\\A",
         {"C:\\Docs\\a.htm"},
         "a.htm",
         "C:\\Docs\\a.htm"},
        {"element of 259 characters ends the walk",
         dir259 + ";C:\\Docs",
         {dir259 + "\\a.htm", "C:\\Docs\\a.htm"},
         "a.htm",
         ""},
        {"element of 259 characters with its quotes removed ends the walk",
         "\"" + dir259 + "\";C:\\Docs",
         {"C:\\Docs\\a.htm"},
         "a.htm",
         ""},
        {"candidate of 260 characters is accepted",
         dir258 + ";C:\\Docs",
         {dir258 + "\\x", "C:\\Docs\\x"},
         "x",
         dir258 + "\\x"},
        {"candidate of 261 characters is skipped",
         dir258 + ";C:\\Docs",
         {dir258 + "\\xy", "C:\\Docs\\xy"},
         "xy",
         "C:\\Docs\\xy"},
        {"full path cannot be formed",
         "C:\\Docs",
         {"C:\\Reports\\a.htm", "C:\\Docs\\a.htm"},
         "a.htm",
         "",
         true},
        {"PATH set as Path",
         "C:\\Docs",
         {"C:\\Docs\\a.htm"},
         "a.htm",
         "C:\\Docs\\a.htm",
         false,
         "Path"},
    };
    for (const auto& c : cases) {
        SimulatedPc pc = SimulatedPc::windowsNt4();
        pc.currentDirectory = "C:\\Reports";
        pc.existingPaths.insert(c.existing.begin(), c.existing.end());
        if (c.path)
            pc.environment[c.variable] = *c.path;
        pc.fullPathFails = c.fullPathFails;
        ScopedPlatform use(pc);
        EXPECT_EQ(findOnSearchPath(c.name), c.expected) << c.title;
    }
}

} // namespace
} // namespace prereq
