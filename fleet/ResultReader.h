// One computer's result file, as the fleet summary reads it back: what the console program's
// JSON document says of the computer and of each product, checked member by member. A file that
// is not such a result gets a one-line reason instead.
#pragma once

#include "fleet/JsonReader.h"
#include "platform/ResultFolders.h"

#include <string>
#include <vector>

namespace prereq {

// Texts are UTF-8 without control characters (each becomes U+FFFD) and without the blanks the
// requirement lists pad some of them with.
struct ResultPrerequisite {
    std::string minimumPrerequisite;
    std::string status; // "satisfied", "below-recommended" or "not-satisfied"
    std::string pcLevel;
    std::string recommendedLevel;
    std::string moreInfoPage;
};

struct ResultProduct {
    std::string name;
    std::string verdict; // as status
    // The prerequisites that are not satisfied, in the file's order. Every one was checked as
    // strictly, but the page and the spreadsheet files show no satisfied one, and a fleet of
    // thousands would hold each PC's dozen of them for nothing.
    std::vector<ResultPrerequisite> prerequisites;
};

struct ComputerResult {
    std::string fileName; // the file it was read from, as the folder lists it
    std::string computer;
    std::string version;
    std::string windows; // "Windows NT 4.0 build 1381"; empty in results from before it was kept
    std::string servicePack;     // as the PC gives it ("Service Pack 6a"), empty where it has none
    std::string checkedAt;       // as the file gives it; empty in results from before it was kept
    bool checkedAtKnown = false; // checkedAt reads as a check time
    LocalTime checked;
    std::vector<ResultProduct> products;
};

// Reads text with the strict JSON reader and checks it is a result. Empty when it is, else why
// not, in one line ("ends early (truncated?) at byte 812", "not a PrereqCheck result: no
// \"computer\" text").
std::string readResult(const std::string& text, ComputerResult& result);
// The same, reading into document, which a caller keeps from file to file to spare allocations.
std::string readResult(const std::string& text, ComputerResult& result, JsonDocument& document);

} // namespace prereq
