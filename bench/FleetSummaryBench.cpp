// The fleet summary's cost: --summary on a folder of RESULTS result files (5,000 by default),
// timed from the command line to both files written, natively against a simulated PC whose
// folder holds them, so the figure is the program's own work (reading, checking, sorting,
// counting, the page and the spreadsheet file) without a disk or a network.
//
// The results are the console program's own, written on simulated NT 4.0 PCs of four kinds (all
// satisfied; no CD-ROM drive; 100 MB, below the installer's recommended memory; no remote access
// service), one in a hundred truncated, all under distinct names. --expect names them and a
// hundred more (RESULTS + 100 computers), in the form "net view" prints.
//
// Usage: FleetSummaryBench [RESULTS [RUNS]]. Prints one line per run,
//   run N NS FILES PAGE_BYTES CSV_BYTES
#include "app/ConsoleCheck.h"
#include "platform/Platform.h"
#include "platform/simulated/SimulatedPc.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace prereq {
namespace {

const std::string kFolder = "D:\\Results";

std::string resultOf(int kind) {
    SimulatedPc pc = SimulatedPc::windowsNt4();
    pc.addFolder(kFolder);
    if (kind == 1)
        pc.drives.erase('D');
    if (kind == 2)
        pc.setMemoryBytes(100u << 20);
    if (kind == 3)
        pc.removeRemoteAccess();
    ScopedPlatform use(pc);
    runConsoleCheck({"--json-to", kFolder});
    return pc.files.begin()->second;
}

SimulatedPc fleetFolder(int results) {
    SimulatedPc pc = SimulatedPc::windows98();
    pc.addFolder(kFolder);
    const std::string kinds[] = {resultOf(0), resultOf(1), resultOf(2), resultOf(3)};
    for (int index = 0; index < results; ++index) {
        const std::string name = "PC-" + std::to_string(100000 + index).substr(1);
        std::string text = kinds[index % 4];
        text.replace(text.find("\"PC-1\""), 6, "\"" + name + "\"");
        if (index % 100 == 99)
            text.resize(text.size() / 2);
        pc.files[kFolder + "\\" + name + ".json"] = text;
    }
    std::string expected = "Server Name            Remark\r\n\r\n------------------\r\n";
    for (int index = 0; index < results + 100; ++index)
        expected += "\\\\PC-" + std::to_string(100000 + index).substr(1) + "\r\n";
    pc.files["D:\\expected.txt"] = expected + "The command completed successfully.\r\n";
    return pc;
}

} // namespace
} // namespace prereq

int main(int argc, char** argv) {
    using namespace prereq;
    const int results = argc > 1 ? std::atoi(argv[1]) : 5000;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 20;
    const SimulatedPc folder = fleetFolder(results);
    for (int run = 1; run <= runs; ++run) {
        SimulatedPc pc = folder;
        ScopedPlatform use(pc);
        const auto start = std::chrono::steady_clock::now();
        const ConsoleRun summary =
            runConsoleCheck({"--summary", kFolder, "--expect", "D:\\expected.txt"});
        const auto end = std::chrono::steady_clock::now();
        if (summary.exitCode != 0) {
            std::fprintf(stderr, "%s", summary.standardError.c_str());
            return 1;
        }
        std::printf("run %d %lld %d %zu %zu\n", run,
                    static_cast<long long>(
                        std::chrono::duration_cast<std::chrono::nanoseconds>(end - start).count()),
                    results, pc.files[kFolder + "\\FleetStatus.htm"].size(),
                    pc.files[kFolder + "\\FleetStatus.csv"].size());
    }
    return 0;
}
