// The libFuzzer target: one whole start-up of PrereqCheck on a PC made from the input (the three
// requirement lists, the three products with their reports), then the document launcher on the
// names the program opens, the console program's summaries, and the rules that hold whatever the
// PC says. A broken rule aborts, which libFuzzer reports with the input that broke it.
#include "app/DocumentLauncher.h"
#include "app/PrereqCheckApp.h"
#include "checks/RequirementSet.h"
#include "fuzz/FuzzedPc.h"
#include "fuzz/JsonCheck.h"
#include "fuzz/ReportInvariants.h"
#include "platform/Platform.h"
#include "report/JsonSummary.h"
#include "report/ProductAssessment.h"
#include "report/TextSummary.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace prereq {
namespace {

[[noreturn]] void fail(const std::string& what) {
    std::fprintf(stderr, "rule broken: %s\n", what.c_str());
    std::abort();
}

void require(bool holds, const std::string& what) {
    if (!holds)
        fail(what);
}

bool isVerdict(std::int32_t status) {
    return status == NotSatisfied || status == Satisfied || status == BelowRecommended;
}

void checkList(const RequirementSet& list, std::size_t expectedSize, const char* name) {
    require(list.size() == expectedSize, std::string(name) + " has the wrong number of entries");
    for (std::size_t i = 0; i < list.size(); ++i) {
        const PrerequisiteResult& entry = list.entries()[i];
        require(isVerdict(entry.status()),
                std::string(name) + " holds a status that is not 0, 1 or 3");
        require(entry.shownInReport() == 0 || entry.shownInReport() == 1,
                std::string(name) + " holds a report flag that is not 0 or 1");
    }
}

bool isWindowsNt4(const SimulatedPc& pc) {
    return !pc.versionQueryFails && pc.version.platformId == kPlatformWin32Nt &&
           pc.version.majorVersion == 4;
}

// A report is written exactly when its product is not satisfied (unless the PC would not let it
// be written), and every report keeps the format's rules; on Windows NT 4 the service-pack text
// is in a cell of the reports whose lists check it, and it reads there exactly as the PC gave it.
void checkReport(SimulatedPc& pc, const ProductAssessment& product, bool listsServicePack) {
    require(isVerdict(product.overallStatus()), product.productName() + ": verdict not 0, 1 or 3");
    const std::string name = product.reportFileName();
    const std::string path = pc.fullPath(name);
    const auto file = pc.files.find(path);
    const bool written = !path.empty() && file != pc.files.end();
    if (product.overallStatus() == Satisfied) {
        require(!written, name + ": written for a satisfied product");
        return;
    }
    const bool creatable = !path.empty() && pc.folderExists(pc.currentDirectory) &&
                           !pc.lockedFiles.count(path) && !pc.diskBytesLeft;
    require(written || !creatable, name + ": not written for a product that is not satisfied");
    if (!written)
        return;
    const std::string& report = file->second;
    for (const std::string& broken : report_invariants::violations(report))
        fail(name + ": " + broken);
    if (listsServicePack && isWindowsNt4(pc)) {
        bool shown = false;
        for (const std::string& cell : report_invariants::cellTexts(report))
            shown = shown || cell == pc.version.csdVersion;
        require(shown, name + ": the service-pack text is not a cell of its own");
    }
}

// The search finds only what exists, and a PATH candidate is never longer than MAX_PATH.
void checkSearch(SimulatedPc& pc, const std::string& name) {
    const std::string found = findOnSearchPath(name);
    if (found.empty())
        return;
    require(pc.pathExists(found),
            "findOnSearchPath(" + name + ") found a path that does not exist");
    if (!pc.pathExists(name))
        require(found.size() <= 260,
                "findOnSearchPath(" + name + ") found a path over 260 characters");
}

// Opening a document either launches its viewer successfully or shows exactly one box.
template <typename Open> void checkOneOutcome(SimulatedPc& pc, const std::string& what, Open open) {
    const std::size_t boxes = pc.messageBoxes.size();
    const std::size_t launches = pc.launches.size();
    open();
    const std::size_t newBoxes = pc.messageBoxes.size() - boxes;
    const std::size_t newLaunches = pc.launches.size() - launches;
    require(newLaunches <= 1, what + ": more than one launch");
    const bool launched = newLaunches == 1 && pc.launchResult > 32;
    require(newBoxes == (launched ? 0u : 1u), what + ": not exactly one outcome");
}

// Whatever bytes the PC supplies, the JSON summary is a valid document without raw control
// characters, and the text summary's lines hold none either and fit 79 columns.
void checkSummaries(const std::vector<const ProductAssessment*>& products) {
    const std::string json = jsonSummary(products, "PC-1", "2026-12-09T14:05:30+01:00");
    require(json_check::Checker(json).valid(),
            "JSON summary not valid, or with a control character:\n" + json);
    std::size_t column = 0;
    for (const char c : textSummary(products)) {
        require(c == '\n' || (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F),
                "text summary: a raw control character");
        column = c == '\n' ? 0 : column + 1;
        require(column <= 79, "text summary: a line over 79 characters");
    }
}

void checkNothingOpen(const SimulatedPc& pc, const char* when) {
    require(pc.openKeyCount == 0, std::string("a registry key left open ") + when);
    require(pc.openFileCount == 0, std::string("a report file left open ") + when);
    require(pc.invalidHandleUses == 0, std::string("a handle used that was not open ") + when);
}

} // namespace
} // namespace prereq

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace prereq;
    SimulatedPc pc = fuzzedPc(data, size);
    ScopedPlatform use(pc);
    PrereqCheckApp application;

    buildRequirementLists();
    checkList(plinthSetupRequirements, 8, "the installer list");
    checkList(wardlineLanRequirements, 4, "the LAN console list");
    checkList(wardlineRequirements, 7, "the direct-connect console list");
    checkNothingOpen(pc, "after the lists were built");
    {
        PlinthSetupProduct plinthSetup;
        WardlineProduct wardline;
        WardlineLanProduct wardlineLan;
        checkNothingOpen(pc, "after the products were assessed");
        checkReport(pc, plinthSetup, true);
        checkReport(pc, wardline, true);
        checkReport(pc, wardlineLan, false);
        checkSummaries({&plinthSetup, &wardline, &wardlineLan});

        for (const char* name : kReportFileNames)
            checkSearch(pc, name);
        checkSearch(pc, "plintherror.html");
        checkOneOutcome(pc, "openDocument(plintherror.html)", [] {
            const std::string used = openDocument("plintherror.html");
            require(!used.empty(), "openDocument returned no path");
        });
        // Twice, so that the second search starts from the full path the first one stored.
        for (int click = 0; click < 2; ++click) {
            checkOneOutcome(pc, "Plinth-Setup's Details", [&] { plinthSetup.openReport(); });
            checkOneOutcome(pc, "Wardline's Details", [&] { wardline.openReport(); });
            checkOneOutcome(pc, "Wardline LAN's Details", [&] { wardlineLan.openReport(); });
        }
        checkNothingOpen(pc, "after the documents were opened");
    }
    releaseRequirementLists();
    require(plinthSetupRequirements.size() == 0 && wardlineLanRequirements.size() == 0 &&
                wardlineRequirements.size() == 0,
            "the lists were not released");
    return 0;
}
