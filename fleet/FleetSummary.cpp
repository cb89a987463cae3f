// Summarising a folder of results. Each file is read only up to the reader's size cap, so one
// huge or endless file costs no more than a result.
#include "fleet/FleetSummary.h"

#include "fleet/CheckTime.h"
#include "fleet/JsonReader.h"
#include "fleet/ResultFileName.h"
#include "platform/AnsiText.h"
#include "platform/Paths.h"
#include "platform/Platform.h"
#include "report/ProductAssessment.h"

#include <algorithm>

namespace prereq {

namespace {

// ASCII only, as Windows compares names ignoring case (the programs' run-time has no tolower).
std::string lowerCase(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// Computers and files are named ignoring ASCII case, as Windows names them.
bool lessIgnoringCase(const std::string& a, const std::string& b) {
    const std::string lowerA = lowerCase(a), lowerB = lowerCase(b);
    return lowerA != lowerB ? lowerA < lowerB : a < b;
}

// A name that Windows opens as a device, whatever its extension, in any folder read through a
// drive letter: CON.json is the console, COM1.json a serial port, and a read of either may wait
// for ever. A server can hold files of such names (a Samba share, a name made through a UNC
// path), so the listing can show them.
bool isDeviceName(const std::string& fileName) {
    std::string base = lowerCase(fileName.substr(0, fileName.find('.')));
    base.erase(base.find_last_not_of(' ') + 1);
    for (const char* device : {"con", "prn", "aux", "nul", "clock$", "conin$", "conout$"})
        if (base == device)
            return true;
    return base.size() == 4 && (base.compare(0, 3, "com") == 0 || base.compare(0, 3, "lpt") == 0) &&
           base[3] >= '1' && base[3] <= '9';
}

// Whether a result's computer is the one its file name encodes, ignoring ASCII case as Windows
// names computers and files: any PC can write any file into the folder, but only a file of its
// own name speaks for it.
bool namesItsComputer(const std::string& fileName, const std::string& computer) {
    std::string encoded;
    if (!computerOfResultFile(fileName, encoded))
        return false;
    const bool ascii = std::all_of(encoded.begin(), encoded.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    return lowerCase(ascii ? encoded : utf8FromAnsi(encoded)) == lowerCase(computer);
}

// The result of the later check; a result with a time is later than one without.

bool checkedLater(const ComputerResult& a, const ComputerResult& b) {
    if (a.checkedAtKnown != b.checkedAtKnown)
        return a.checkedAtKnown;
    return a.checkedAtKnown && secondsBetween(b.checked, a.checked) > 0;
}

void count(FleetSummary& summary, const ComputerResult& result) {
    for (const ResultProduct& product : result.products) {
        auto it = std::find_if(summary.counts.begin(), summary.counts.end(),
                               [&](const ProductCounts& c) { return c.name == product.name; });
        if (it == summary.counts.end())
            it = summary.counts.insert(it, ProductCounts{product.name, 0, 0, 0});
        if (product.verdict == "satisfied")
            ++it->satisfied;
        else if (product.verdict == "below-recommended")
            ++it->belowRecommended;
        else
            ++it->notSatisfied;
    }
}

} // namespace

int computersInAll(const FleetSummary& summary) {
    return static_cast<int>(summary.results.size() + summary.notReported.size());
}

bool isInFuture(const ComputerResult& result, const LocalTime& now) {
    return result.checkedAtKnown && secondsBetween(now, result.checked) > 86400;
}

bool isOld(const ComputerResult& result, const LocalTime& now, int maxAgeDays) {
    return isInFuture(result, now) ||
           (result.checkedAtKnown && daysBetween(result.checked, now) > maxAgeDays);
}

std::string computerKey(const std::string& computer) {
    return lowerCase(computer);
}

bool isNotExpected(const FleetSummary& summary, const ComputerResult& result) {
    return std::binary_search(summary.notExpected.begin(), summary.notExpected.end(),
                              lowerCase(result.computer));
}

bool isResultFileName(const std::string& name) {
    return name.size() > 5 && lowerCase(name.substr(name.size() - 5)) == ".json";
}

FleetSummary summariseFleet(std::vector<ComputerResult> results, std::vector<UnusedFile> unused) {
    FleetSummary summary;
    summary.filesRead = static_cast<int>(results.size() + unused.size());
    std::sort(results.begin(), results.end(), [](const ComputerResult& a, const ComputerResult& b) {
        const std::string lowerA = lowerCase(a.computer), lowerB = lowerCase(b.computer);
        if (lowerA != lowerB)
            return lowerA < lowerB;
        if (checkedLater(a, b) != checkedLater(b, a))
            return checkedLater(a, b);
        return lessIgnoringCase(a.fileName, b.fileName);
    });
    for (ComputerResult& result : results) {
        if (!summary.results.empty() &&
            lowerCase(summary.results.back().computer) == lowerCase(result.computer)) {
            unused.push_back(UnusedFile{result.fileName, "an earlier result of " + result.computer +
                                                             " than " +
                                                             summary.results.back().fileName});
            continue;
        }
        count(summary, result);
        summary.results.push_back(std::move(result));
    }
    std::sort(unused.begin(), unused.end(), [](const UnusedFile& a, const UnusedFile& b) {
        return lessIgnoringCase(a.fileName, b.fileName);
    });
    summary.unusedFiles = std::move(unused);
    return summary;
}

FleetSummary readFleetFolder(const std::string& folder) {
    ResultFolders& pc = resultFolders();
    const JsonLimits limits;
    std::vector<ComputerResult> results;
    std::vector<UnusedFile> unused;
    // Every name, filtered here: FindFirstFileA's "*.json" would also match a short name.
    std::vector<FoundFile> found;
    const std::uint32_t listingError = pc.findFiles(pathIn(folder, "*"), found);
    for (const FoundFile& file : found) {
        if (file.folder || !isResultFileName(file.name))
            continue;
        std::string text;
        ComputerResult result;
        result.fileName = utf8FromAnsi(file.name);
        std::string reason;
        if (isDeviceName(file.name))
            reason = "named as a device (CON, AUX, COM1 and the like), so it was not opened";
        else if (file.size > limits.maxBytes)
            reason = "larger than " + std::to_string(limits.maxBytes) + " bytes";
        else if (!pc.readFile(pathIn(folder, file.name),
                              static_cast<std::uint32_t>(limits.maxBytes + 1), text))
            reason = "cannot be read";
        else
            reason = readResult(text, result);
        if (reason.empty() && !namesItsComputer(file.name, result.computer))
            reason = "names another computer than its file name does";
        if (reason.empty())
            results.push_back(std::move(result));
        else
            unused.push_back(UnusedFile{result.fileName, reason});
    }
    FleetSummary summary = summariseFleet(std::move(results), std::move(unused));
    summary.listingError = listingError;
    return summary;
}

} // namespace prereq
