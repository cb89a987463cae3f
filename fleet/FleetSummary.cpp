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
#include "report/ProductNames.h"
#include "text/LetterCase.h"

#include <algorithm>
#include <iterator>
#include <limits>

namespace prereq {

namespace {

using namespace std::string_view_literals;

// A to Z only: device names and extensions are ASCII.
char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether text is lower, a lower-case ASCII word, ignoring case.
bool isIgnoringCase(std::string_view text, std::string_view lower) {
    if (text.size() != lower.size())
        return false;
    for (std::size_t at = 0; at < text.size(); ++at)
        if (lowerAscii(text[at]) != lower[at])
            return false;
    return true;
}

bool endsWithIgnoringCase(const std::string& name, std::string_view ending) {
    return name.size() > ending.size() &&
           isIgnoringCase(std::string_view(name).substr(name.size() - ending.size()), ending);
}

// A name that Windows opens as a device, whatever its extension, in any folder read through a
// drive letter: CON.json is the console, COM1.json a serial port, and a read of either may wait
// for ever. A server can hold files of such names (a Samba share, a name made through a UNC
// path), so the listing can show them.
bool isDeviceName(const std::string& fileName) {
    std::string_view base = std::string_view(fileName).substr(0, fileName.find('.'));
    while (!base.empty() && base.back() == ' ')
        base.remove_suffix(1);
    if (base.size() < 3 || base.size() > 7)
        return false;
    for (const std::string_view device :
         {"con"sv, "prn"sv, "aux"sv, "nul"sv, "clock$"sv, "conin$"sv, "conout$"sv})
        if (isIgnoringCase(base, device))
            return true;
    return base.size() == 4 &&
           (isIgnoringCase(base.substr(0, 3), "com"sv) ||
            isIgnoringCase(base.substr(0, 3), "lpt"sv)) &&
           base[3] >= '1' && base[3] <= '9';
}

// Whether a result's computer is the one its file name encodes, ignoring case as Windows names
// computers and files: any PC can write any file into the folder, but only a file of its own
// name speaks for it.
bool namesItsComputer(const std::string& fileName, const std::string& computer) {
    std::string encoded;
    if (!computerOfResultFile(fileName, encoded))
        return false;
    return lowerCaseText(utf8FromAnsi(encoded)) == lowerCaseText(computer);
}

// Where a result stands among its computer's results, as one number: the later check first, on
// one scale whatever offsets the times give; below every current one a check from the future (a
// wrong clock, or a date forged to win), and below all a result without a time.
long long standing(const ComputerResult& result, const LocalTime& now) {
    if (!result.checkedAtKnown)
        return std::numeric_limits<long long>::min();
    // Years 1 to 9999 span fewer seconds than this.
    constexpr long long kFutureBelowEveryCheck = 1000000000000LL;
    return secondsOnOneScale(result.checked) -
           (isInFuture(result, now) ? kFutureBelowEveryCheck : 0);
}

// A file of a run of the console program or of the summary: a temporary one, or an earlier file
// set aside; seen here when that run is still writing, or could not remove it.
bool isLeftBehind(const std::string& fileName) {
    return endsWithIgnoringCase(fileName, ".tmp"sv) || endsWithIgnoringCase(fileName, ".old"sv);
}

std::string leftBehindReason(const FoundFile& file, const LocalTime& now) {
    const long long days = daysBetween(utcTimeOfFileTime(file.lastWritten), now);
    const std::string age = days < 0    ? "written after this summary began (a wrong clock)"
                            : days == 0 ? "written less than a day ago"
                            : days == 1 ? "written 1 day ago"
                                        : "written " + std::to_string(days) + " days ago";
    return "left by a run still writing or one that could not clean up, " + age;
}

std::size_t productIndex(const std::string& name) {
    return static_cast<std::size_t>(
        std::find(std::begin(kProductNames), std::end(kProductNames), name) -
        std::begin(kProductNames));
}

void count(FleetSummary& summary, const ComputerResult& result) {
    for (const ResultProduct& product : result.products) {
        auto it =
            std::find_if(summary.counts.begin(), summary.counts.end(), [&](const ProductCounts& c) {
                return c.name.size() == product.name.size() && c.name == product.name;
            });
        if (it == summary.counts.end())
            it = summary.counts.insert(it, ProductCounts{product.name, 0, 0, 0});
        if (product.verdict == "satisfied"sv) // views: lengths compared before any byte
            ++it->satisfied;
        else if (product.verdict == "below-recommended"sv)
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
    return lowerCaseText(computer);
}

bool isNotExpected(const FleetSummary& summary, const ComputerResult& result) {
    return std::binary_search(summary.notExpected.begin(), summary.notExpected.end(),
                              lowerCaseText(result.computer));
}

bool isResultFileName(const std::string& name) {
    return endsWithIgnoringCase(name, ".json"sv);
}

FleetSummary summariseFleet(std::vector<ComputerResult> results, std::vector<UnusedFile> unused,
                            const LocalTime& now) {
    FleetSummary summary;
    summary.filesRead = static_cast<int>(results.size() + unused.size());
    summary.results.reserve(results.size()); // at most these: the list is never moved to grow
    // Each result's place worked out once: its computer, its standing, its file by name.
    struct Place {
        std::string computer;
        long long standing;
        std::string fileName;
        std::size_t index;
    };
    std::vector<Place> places;
    for (std::size_t i = 0; i < results.size(); ++i)
        places.push_back(Place{lowerCaseText(results[i].computer), standing(results[i], now),
                               lowerCaseText(results[i].fileName), i});
    std::sort(places.begin(), places.end(), [&](const Place& a, const Place& b) {
        if (a.computer != b.computer)
            return a.computer < b.computer;
        if (a.standing != b.standing)
            return a.standing > b.standing;
        if (a.fileName != b.fileName)
            return a.fileName < b.fileName;
        return results[a.index].fileName < results[b.index].fileName;
    });
    for (std::size_t i = 0; i < places.size(); ++i) {
        ComputerResult& result = results[places[i].index];
        if (i > 0 && places[i].computer == places[i - 1].computer) {
            unused.push_back(UnusedFile{result.fileName, "an earlier result of " + result.computer +
                                                             " than " +
                                                             summary.results.back().fileName});
            continue;
        }
        count(summary, result);
        summary.results.push_back(std::move(result));
    }
    std::sort(summary.counts.begin(), summary.counts.end(),
              [](const ProductCounts& a, const ProductCounts& b) {
                  return productIndex(a.name) < productIndex(b.name);
              });
    std::sort(unused.begin(), unused.end(), [](const UnusedFile& a, const UnusedFile& b) {
        const std::string lowerA = lowerCaseText(a.fileName), lowerB = lowerCaseText(b.fileName);
        return lowerA != lowerB ? lowerA < lowerB : a.fileName < b.fileName;
    });
    summary.unusedFiles = std::move(unused);
    return summary;
}

FleetSummary readFleetFolder(const std::string& folder) {
    ResultFolders& pc = resultFolders();
    const JsonLimits limits;
    const LocalTime now = pc.localTime();
    std::vector<ComputerResult> results;
    std::vector<UnusedFile> unused;
    // Every name, filtered here: FindFirstFileA's "*.json" would also match a short name.
    std::vector<FoundFile> found;
    const std::uint32_t listingError = pc.findFiles(pathIn(folder, "*"), found);
    std::string text;              // one buffer for every file: a result read costs no allocation
    JsonDocument document;         // and one list of tokens
    results.reserve(found.size()); // at most one a file, so the list is never moved to grow
    for (const FoundFile& file : found) {
        if (!file.folder && isLeftBehind(file.name))
            unused.push_back(UnusedFile{utf8FromAnsi(file.name), leftBehindReason(file, now)});
        if (file.folder || !isResultFileName(file.name))
            continue;
        ComputerResult result;
        result.fileName = utf8FromAnsi(file.name);
        // A name the ANSI code page cannot hold comes with a '?' for each character it lacks,
        // and no file has that name; its short name opens it.
        const std::string& openName =
            file.name.find('?') != std::string::npos && !file.shortName.empty() ? file.shortName
                                                                                : file.name;
        std::string reason;
        if (isDeviceName(file.name))
            reason = "named as a device (CON, AUX, COM1 and the like), so it was not opened";
        else if (file.size > limits.maxBytes)
            reason = "larger than " + std::to_string(limits.maxBytes) + " bytes";
        else if (!pc.readFile(pathIn(folder, openName),
                              static_cast<std::uint32_t>(limits.maxBytes + 1), text))
            reason = "cannot be read";
        else
            reason = readResult(text, result, document);
        if (reason.empty() && !namesItsComputer(file.name, result.computer))
            reason = "names another computer than its file name does";
        if (reason.empty())
            results.push_back(std::move(result));
        else
            unused.push_back(UnusedFile{result.fileName, reason});
    }
    FleetSummary summary = summariseFleet(std::move(results), std::move(unused), now);
    summary.listingError = listingError;
    return summary;
}

} // namespace prereq
