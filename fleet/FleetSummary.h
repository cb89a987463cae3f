// The fleet summary: every result file of a folder read back, one result per computer sorted by
// name, the files that could not be used with their reasons, and the counts per product that
// the page and the console show first.
#pragma once

#include "fleet/ResultReader.h"

#include <string>
#include <vector>

namespace prereq {

struct UnusedFile {
    std::string fileName;
    std::string reason; // one line
};

struct ProductCounts {
    std::string name;
    int satisfied = 0;
    int belowRecommended = 0;
    int notSatisfied = 0;
};

struct FleetSummary {
    int filesRead = 0;                    // result files found, used or not
    std::vector<ComputerResult> results;  // one per computer, by name ignoring case
    std::vector<UnusedFile> unusedFiles;  // by file name
    std::vector<ProductCounts> counts;    // of the products named, in the dialog's order
    bool expectGiven = false;             // a list of expected computers was given
    std::vector<std::string> notReported; // expected computers without a result, by name
    std::vector<std::string> notExpected; // computers not on that list: by computerKey, sorted
    // Where the "More Info" pages are: the folder of the program that summarises, never the
    // results folder, where any PC could put a page of its own under a help page's name.
    std::string helpFolder;
    // Why the folder's listing stopped before its end (Windows' error); 0 when it is complete.
    // A summary of part of a folder is no summary of it.
    std::uint32_t listingError = 0;
};

// Computers with a result or expected to have one: the total of every product's counts with
// its "no result" ones.
int computersInAll(const FleetSummary& summary);

// Whether result was taken more than a day after now: a wrong clock, or a forged date.
bool isInFuture(const ComputerResult& result, const LocalTime& now);

// Whether result is older than maxAgeDays days at now, or in the future: never current.
bool isOld(const ComputerResult& result, const LocalTime& now, int maxAgeDays);

// The computer's name in lower case (LetterCase.h), as the summary's lists hold it.
std::string computerKey(const std::string& computer);

// Whether the result's computer is one the list of expected computers does not name.
bool isNotExpected(const FleetSummary& summary, const ComputerResult& result);

// The result files of a folder: every file whose name ends in ".json", in any case.
bool isResultFileName(const std::string& name);

// Sorts and counts results read from files. Of two results of one computer (a file copied or
// renamed on the share), the later check is shown and the other is listed as unused; a check
// more than a day after now counts as earlier than any other.
FleetSummary summariseFleet(std::vector<ComputerResult> results, std::vector<UnusedFile> unused,
                            const LocalTime& now);

// Reads every result file in folder through platform() and summarises them; the files a run
// left behind (*.tmp, *.old) are listed as unused, with their age.
FleetSummary readFleetFolder(const std::string& folder);

} // namespace prereq
