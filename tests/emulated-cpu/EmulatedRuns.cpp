// The bundle's 32-bit programs executed on the processors they judge: the console program on
// each posed processor in the Windows 95 and NT 4.0 poses must exit as the same PC's native run
// does, byte for byte (standard output, standard error, the reports, the exit code); and each
// planted fault must fail its run.
//
//   EmulatedRuns BUNDLE_FOLDER MAP_FOLDER
//
// BUNDLE_FOLDER holds the programs as the zip holds them; MAP_FOLDER their link maps.
#include "EmulatedProcessor.h"

#include "app/ConsoleCheck.h"
#include "app/RowDecision.h"
#include "app/StandardStreams.h"
#include "checks/RequirementSet.h"
#include "platform/Platform.h"
#include "report/ProductAssessment.h"
#include "resources/resource.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

using namespace prereq;

namespace {

struct Pose {
    const char* name;
    std::function<SimulatedPc()> pc;
};

const Pose kPoses[] = {
    {"Windows 95", [] { return SimulatedPc::windows95(); }},
    {"Windows NT 4.0", [] { return SimulatedPc::windowsNt4(); }},
};

SimulatedPc posedPc(const Pose& pose, const PosedProcessor& processor, const char* program) {
    SimulatedPc pc = pose.pc();
    pc.programPath = std::string("C:\\Program Files\\PrereqCheck\\") + program;
    pc.processorCode = processor.family == 4 ? 486 : kProcessorPentium;
    pc.processorHz = processor.hz;
    pc.hasTimeStampCounter = processor.hasTimeStampCounter();
    // A share's root, which GetFileAttributesA fails, with a result of an earlier run to replace.
    pc.addFolder("\\\\server\\results");
    pc.files["\\\\server\\results\\" + pc.computerName() + ".json"] = "{}";
    // A drop box that lists nothing to its writers, and a server without a replacing rename
    // that holds a result of an earlier run.
    pc.addFolder("\\\\server\\drop");
    pc.dropBoxes.insert("\\\\server\\drop");
    pc.addFolder("\\\\server\\older");
    pc.noReplacingRename.insert("\\\\server\\older");
    pc.files["\\\\server\\older\\" + pc.computerName() + ".json"] = "{}";
    if (!pc.isNtFamily())
        pc.performanceTicksPerSecond = 1193182; // the 95 family's timer chip
    return pc;
}

std::vector<std::string> words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> all;
    for (std::string word; in >> word;)
        all.push_back(word);
    return all;
}

// What the console program gives natively on the same PC: the unit tests' view of it.
int runNatively(SimulatedPc& pc, const std::string& commandLine) {
    ScopedPlatform use(pc);
    const ConsoleRun run = runConsoleCheck(words(commandLine));
    writeStandardStream(kStdOutputHandle, run.standardOutput, run.outputIsUtf8);
    writeStandardStream(kStdErrorHandle, run.standardError, false);
    return run.exitCode;
}

std::string processorRow(const std::string& table) {
    std::istringstream in(table);
    for (std::string line; std::getline(in, line);)
        if (line.find(" processor") != std::string::npos)
            return line.substr(0, line.find_last_not_of("\r ") + 1);
    return "(no processor row)";
}

int failures = 0;

// Every run's counts, by a name that says what ran, for the recorded figures.
struct Figure {
    std::string run;
    std::uint64_t instructions, calls;
};
std::vector<Figure> measured;

void record(const std::string& run, const EmulatedRunResult& r) {
    measured.push_back(Figure{run, r.instructions, r.windowsCalls});
}

// With PREREQ_EMULATED_PROFILE set: where a run's instructions and calls went, most first.
void printProfile(const std::string& run, const EmulatedRunResult& r) {
    const char* profile = std::getenv("PREREQ_EMULATED_PROFILE");
    if (!profile)
        return;
    const std::size_t lines = std::atoi(profile) > 1 ? std::atoi(profile) : 40; // =N: N lines
    for (const auto* counts :
         {&r.instructionsByFunction, &r.entriesByFunction, &r.entriesByCaller, &r.callsByName}) {
        std::vector<std::pair<std::uint64_t, std::string>> sorted;
        for (const auto& [name, count] : *counts)
            sorted.emplace_back(count, name);
        std::sort(sorted.rbegin(), sorted.rend());
        std::printf("%s, %s:\n", run.c_str(),
                    counts == &r.callsByName         ? "calls"
                    : counts == &r.entriesByFunction ? "entries"
                    : counts == &r.entriesByCaller   ? "callers"
                                                     : "instructions");
        for (std::size_t i = 0; i < sorted.size() && i < lines; ++i)
            std::printf("  %9llu %s\n", static_cast<unsigned long long>(sorted[i].first),
                        sorted[i].second.c_str());
    }
}

void expect(bool ok, const std::string& what) {
    if (!ok) {
        std::printf("FAILED: %s\n", what.c_str());
        ++failures;
    }
}

void runConsoleProgram(const PeImage& image, const LinkMap& map) {
    for (const Pose& pose : kPoses)
        for (const PosedProcessor& processor : posedProcessors())
            for (const std::string commandLine :
                 {"--reports C:\\Reports", "--json", "--json-to \\\\server\\results",
                  "--json-to \\\\server\\drop", "--json-to \\\\server\\older"}) {
                const std::string run =
                    std::string(pose.name) + ", " + processor.name + ", " + commandLine;
                SimulatedPc native = posedPc(pose, processor, "PrereqCheckCli.exe");
                SimulatedPc emulated = native;
                const std::size_t filesBefore = native.files.size();
                const int exitCode = runNatively(native, commandLine);
                EmulatedRunResult r;
                {
                    ScopedPlatform checked(emulated); // the handles left open are misuses
                    r = runEmulated(image, map, processor, emulated, commandLine);
                }
                expect(r.exited, run + ": " + r.failure);
                expect(r.exitCode == static_cast<std::uint32_t>(exitCode), run + ": exit code");
                expect(emulated.outputStream.written == native.outputStream.written,
                       run + ": standard output differs:\n" + emulated.outputStream.written);
                expect(emulated.errorStream.written == native.errorStream.written,
                       run + ": standard error differs");
                expect(emulated.files == native.files, run + ": the reports differ");
                expect(emulated.probesWithBoxesOn.empty(), run + ": a probe with system boxes on");
                // Every result folder takes the result, and keeps no file of the run's own.
                const bool newResult = commandLine.find("drop") != std::string::npos;
                expect(commandLine.find("--json-to") == std::string::npos ||
                           (r.exitCode <= 2 && emulated.files.size() == filesBefore + newResult),
                       run + ": no result, or a file left over");
                const std::string row = processorRow(emulated.outputStream.written);
                if (commandLine == "--json")
                    continue;
                expect(row.find(processor.row) != std::string::npos,
                       run + ": processor row " + row);
                std::printf(
                    "%-15s %-20s exit %u, %7llu instructions, %4llu calls, %5llu reached: %s\n",
                    pose.name, processor.name.c_str(), r.exitCode,
                    static_cast<unsigned long long>(r.instructions),
                    static_cast<unsigned long long>(r.windowsCalls),
                    static_cast<unsigned long long>(r.distinctInstructions), row.c_str());
                record("console, " + run, r);
                printProfile(run, r);
            }
}

// A folder of results that the console program wrote on NT 4.0 PCs of four kinds (all
// satisfied; no CD-ROM drive; 100 MB; no remote access service), one for each computer.
void addResults(SimulatedPc& pc, const std::string& folder, int count) {
    std::string kinds[4];
    for (int kind = 0; kind < 4; ++kind) {
        SimulatedPc writer = SimulatedPc::windowsNt4();
        writer.addFolder(folder);
        if (kind == 1)
            writer.drives.erase('D');
        if (kind == 2)
            writer.setMemoryBytes(100u << 20);
        if (kind == 3)
            writer.removeRemoteAccess();
        runNatively(writer, "--json-to " + folder);
        kinds[kind] = writer.files.begin()->second;
    }
    pc.addFolder(folder);
    for (int index = 0; index < count; ++index) {
        const std::string name = "PC-" + std::to_string(100 + index).substr(1);
        std::string text = kinds[index % 4];
        text.replace(text.find("\"PC-1\""), 6, "\"" + name + "\"");
        pc.files[folder + "\\" + name + ".json"] = text;
    }
}

// --summary of a folder of kSummaryResults results on the 80486 in each pose, as the native run
// gives it; and a listing that a share ends part-way, which must fail the summary (exit code 3)
// and leave the earlier page and spreadsheet file as they were.
constexpr int kSummaryResults = 20;

void runSummaries(const PeImage& image, const LinkMap& map) {
    const PosedProcessor& processor = posedProcessors()[1];
    for (const Pose& pose : kPoses)
        for (const bool dropped : {false, true}) {
            const std::string run = std::string(pose.name) + ", " + processor.name +
                                    (dropped ? ", a listing that fails part-way" : ", --summary");
            SimulatedPc native = posedPc(pose, processor, "PrereqCheckCli.exe");
            addResults(native, "D:\\Results", kSummaryResults);
            native.files["D:\\Results\\FleetStatus.htm"] = "an earlier page";
            if (dropped)
                native.listingDrops["D:\\Results"] = {kSummaryResults / 2, 64}; // NETNAME_DELETED
            SimulatedPc emulated = native;
            const auto filesBefore = native.files;
            const std::string commandLine = "--summary D:\\Results";
            const int exitCode = runNatively(native, commandLine);
            EmulatedRunResult r;
            {
                ScopedPlatform checked(emulated);
                r = runEmulated(image, map, processor, emulated, commandLine);
            }
            expect(r.exited && r.exitCode == static_cast<std::uint32_t>(exitCode),
                   run + ": exit code " + std::to_string(r.exitCode) + " " + r.failure);
            expect(emulated.outputStream.written == native.outputStream.written,
                   run + ": standard output differs:\n" + emulated.outputStream.written);
            expect(emulated.errorStream.written == native.errorStream.written,
                   run + ": standard error differs:\n" + emulated.errorStream.written);
            expect(emulated.files == native.files, run + ": the page or spreadsheet differs");
            expect(!dropped || (r.exitCode == 3 && emulated.files == filesBefore),
                   run + ": a partial listing was summarised");
            std::printf("%-15s %-20s exit %u, %7llu instructions, %4llu calls, %s (%d results: "
                        "%llu instructions, %llu calls each)\n",
                        pose.name, processor.name.c_str(), r.exitCode,
                        static_cast<unsigned long long>(r.instructions),
                        static_cast<unsigned long long>(r.windowsCalls),
                        dropped ? "listing fails" : "summary", kSummaryResults,
                        static_cast<unsigned long long>(r.instructions / kSummaryResults),
                        static_cast<unsigned long long>(r.windowsCalls / kSummaryResults));
            record(run, r);
            printProfile(run, r);
        }
}

// The dialog program through WM_INITDIALOG: each product's row (its pictures, its status
// words, its Details button) as the same PC's products decide it natively, and the same reports.
void runDialogProgram(const PeImage& image, const LinkMap& map) {
    struct Row {
        int details, cross, check, status;
    };
    const Row rows[] = {
        {IDC_DETAILS_PLINTH_SETUP, IDC_PLINTH_SETUP_NOT_SATISFIED, IDC_PLINTH_SETUP_SATISFIED,
         IDC_PLINTH_SETUP_STATUS},
        {IDC_DETAILS_WARDLINE, IDC_WARDLINE_NOT_SATISFIED, IDC_WARDLINE_SATISFIED,
         IDC_WARDLINE_STATUS},
        {IDC_DETAILS_WARDLINE_LAN, IDC_WARDLINE_LAN_NOT_SATISFIED, IDC_WARDLINE_LAN_SATISFIED,
         IDC_WARDLINE_LAN_STATUS},
    };
    for (const Pose& pose : kPoses)
        for (const PosedProcessor& processor : posedProcessors()) {
            const std::string run = std::string(pose.name) + ", " + processor.name + ", dialog";
            SimulatedPc native = posedPc(pose, processor, "PrereqCheck.exe");
            SimulatedPc emulated = native;
            std::vector<RowDecision> decisions;
            {
                ScopedPlatform use(native);
                buildRequirementLists();
                {
                    const PlinthSetupProduct plinthSetup;
                    const WardlineProduct wardline;
                    const WardlineLanProduct wardlineLan;
                    const ProductAssessment* products[] = {&plinthSetup, &wardline, &wardlineLan};
                    for (const ProductAssessment* product : products)
                        decisions.push_back(decideRow(product->overallStatus()));
                }
                releaseRequirementLists();
            }
            EmulatedRunResult r;
            {
                ScopedPlatform checked(emulated);
                r = runEmulated(image, map, processor, emulated, "");
            }
            expect(r.dialog.initialised, run + ": " + r.failure);
            expect(emulated.files == native.files, run + ": the reports differ");
            std::string shown;
            for (std::size_t i = 0; i < 3; ++i) {
                const RowDecision& d = decisions[i];
                DialogRecord& dialog = r.dialog;
                const bool ok = dialog.shown[rows[i].details] == d.detailsShown &&
                                dialog.shown[rows[i].cross] == d.crossShown &&
                                dialog.shown[rows[i].check] == d.checkShown &&
                                dialog.texts[rows[i].status] == native.loadString(d.statusStringId);
                expect(ok, run + ": row " + std::to_string(i + 1) + " shows " +
                               dialog.texts[rows[i].status]);
                shown += (d.checkShown ? " check" : " cross") +
                         std::string(d.detailsShown ? "+details" : "");
            }
            std::printf(
                "%-15s %-20s dialog, %7llu instructions, %4llu calls, %5llu reached, %zu user32 "
                "calls:%s\n",
                pose.name, processor.name.c_str(), static_cast<unsigned long long>(r.instructions),
                static_cast<unsigned long long>(r.windowsCalls),
                static_cast<unsigned long long>(r.distinctInstructions), r.dialog.calls.size(),
                shown.c_str());
            record(run, r);
            printProfile(run, r);
        }
}

// Faults planted in a copy of the image: each must fail the run, saying why. A plant writes its
// bytes at a function of the link map (or the entry point), or renames an import to its "Ex"
// form, which Windows 95 does not export and the PC does not answer.
void runPlantedFaults(const PeImage& image, const LinkMap& map) {
    struct Plant {
        const char* name;
        int processor; // in posedProcessors()
        const char* function;
        std::vector<std::uint8_t> bytes;
        const char* import;
        const char* failure;
    };
    const Plant plants[] = {
        {"a CMOV at the entry point", 1, "", {0x0F, 0x44, 0xC0}, "", "cmove, which needs CMOV"},
        {"a CPUID at the entry point, on the 80486 without it",
         0,
         "",
         {0x0F, 0xA2},
         "",
         "cpuid, which needs CPUID"},
        {"a guard that reports a time-stamp counter",
         1,
         "prereq::processorHasTimeStampCounter()",
         {0xB8, 0x01, 0, 0, 0, 0xC3},
         "",
         "rdtsc, which needs RDTSC"}, // mov eax, 1; ret
        {"an import the PC does not answer",
         1,
         "",
         {},
         "GlobalMemoryStatus",
         "KERNEL32.dll!GlobalMemoryStatusEx"},
        {"a read of an address nothing is mapped at",
         1,
         "",
         {0xA1, 0, 0, 0, 0},
         "",
         "an access outside the program's memory, 0x00000000"}, // mov eax, [0]
    };
    for (const Plant& plant : plants) {
        PeImage copy = image;
        const std::uint32_t at =
            *plant.function ? map.addressOf(plant.function) - image.imageBase : image.entryRva;
        std::copy(plant.bytes.begin(), plant.bytes.end(), copy.file.begin() + copy.fileOffset(at));
        for (PeImport& import : copy.imports)
            if (import.name == plant.import)
                import.name += "Ex";
        const PosedProcessor& processor = posedProcessors()[plant.processor];
        SimulatedPc pc = posedPc(kPoses[0], processor, "PrereqCheckCli.exe");
        const EmulatedRunResult r = runEmulated(copy, map, processor, pc, "");
        expect(!r.exited && r.failure.find(plant.failure) != std::string::npos,
               std::string(plant.name) + " did not fail the run as it must: " + r.failure);
        std::printf("planted %s: %s\n", plant.name, r.failure.c_str());
    }
}

// The run-time's edge cases on the 80486, where the run-time's copies must hold as they do
// under Wine: the program's own verdict, its output shown when it fails.
void runRuntimeEdgeCases(const std::string& program) {
    const PeImage image = PeImage::load(program + ".exe");
    const LinkMap map = LinkMap::load(program + ".map");
    const PosedProcessor& processor = posedProcessors()[1];
    SimulatedPc pc = posedPc(kPoses[0], processor, "RuntimeEdgeCases.exe");
    const EmulatedRunResult r = runEmulated(image, map, processor, pc, "");
    expect(r.exited && r.exitCode == 0, "the run-time's edge cases on the 80486: " + r.failure +
                                            pc.outputStream.written + pc.errorStream.written);
    std::printf("run-time edge cases, 80486: exit %u, %llu instructions\n", r.exitCode,
                static_cast<unsigned long long>(r.instructions));
    record("run-time edge cases, 80486", r);
}

// The figures recorded in the benchmark results, a table row "| RUN | INSTRUCTIONS | CALLS |"
// for each run: a run that costs more than 10 % over its figure, or has none, fails, so a
// regression shows here. The rows as measured now follow, to record a change on purpose.
void compareWithRecorded(const std::string& resultsFile) {
    std::map<std::string, std::pair<std::uint64_t, std::uint64_t>> recorded;
    std::ifstream in(resultsFile);
    for (std::string line; std::getline(in, line);) {
        std::vector<std::string> cells;
        for (std::size_t at = line.find('|'); at != std::string::npos;) {
            const std::size_t next = line.find('|', at + 1);
            if (next == std::string::npos)
                break;
            const std::string cell = line.substr(at + 1, next - at - 1);
            const std::size_t first = cell.find_first_not_of(' ');
            cells.push_back(first == std::string::npos
                                ? ""
                                : cell.substr(first, cell.find_last_not_of(' ') - first + 1));
            at = next;
        }
        if (cells.size() == 3 && !cells[1].empty() &&
            cells[1].find_first_not_of("0123456789") == std::string::npos && !cells[2].empty() &&
            cells[2].find_first_not_of("0123456789") == std::string::npos)
            recorded[cells[0]] = {std::stoull(cells[1]), std::stoull(cells[2])};
    }
    std::printf("\n| Run | Instructions | Windows calls |\n|---|---|---|\n");
    for (const Figure& f : measured) {
        std::printf("| %s | %llu | %llu |\n", f.run.c_str(),
                    static_cast<unsigned long long>(f.instructions),
                    static_cast<unsigned long long>(f.calls));
        const auto it = recorded.find(f.run);
        if (it == recorded.end()) {
            expect(false, f.run + ": no figure recorded in " + resultsFile);
            continue;
        }
        const auto over = [](std::uint64_t now, std::uint64_t then) {
            return now * 10 > then * 11;
        };
        expect(!over(f.instructions, it->second.first) && !over(f.calls, it->second.second),
               f.run + ": more than 10 % over its recorded figure (" +
                   std::to_string(it->second.first) + " instructions, " +
                   std::to_string(it->second.second) + " calls)");
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc > 5) {
        std::fprintf(stderr,
                     "usage: EmulatedRuns BUNDLE_FOLDER MAP_FOLDER [EDGE_CASES [RESULTS_MD]]\n");
        return 2;
    }
    try {
        if (argc >= 4)
            runRuntimeEdgeCases(argv[3]);
        const std::string bundle = argv[1], maps = argv[2];
        const PeImage console = PeImage::load(bundle + "/PrereqCheckCli.exe");
        const LinkMap consoleMap = LinkMap::load(maps + "/PrereqCheckCli.map");
        // PREREQ_EMULATED_ONLY=summaries (or console, dialog): one group, for profiling it.
        const char* only = std::getenv("PREREQ_EMULATED_ONLY");
        const auto runs = [only](const char* group) {
            return !only || std::strcmp(only, group) == 0;
        };
        if (runs("console"))
            runConsoleProgram(console, consoleMap);
        if (runs("summaries"))
            runSummaries(console, consoleMap);
        if (runs("dialog"))
            runDialogProgram(PeImage::load(bundle + "/PrereqCheck.exe"),
                             LinkMap::load(maps + "/PrereqCheck.map"));
        if (!only)
            runPlantedFaults(console, consoleMap);
        if (argc == 5)
            compareWithRecorded(argv[4]);
    } catch (const std::exception& error) {
        std::printf("FAILED: %s\n", error.what());
        return 1;
    }
    std::printf(failures ? "%d checks failed\n" : "All emulated runs passed.\n", failures);
    return failures ? 1 : 0;
}
