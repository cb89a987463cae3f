// Start-up cost: the work PrereqCheck does before its dialog appears (building the three
// requirement lists, then constructing the three products, which write the reports of the
// unsatisfied ones), timed apart from the sleeps of the processor probes.
//
// Natively it runs against a simulated Windows NT 4.0 PC with Service Pack 2 and 100 MB, on
// which Plinth-Setup is below its recommended memory (two-table report), Wardline fails the
// service pack (one-table report) and Wardline LAN is satisfied; the simulated sleeps cost
// nothing. In the Windows build it runs against the real API (under Wine here) and writes the
// reports into the current directory.
//
// Usage: StartupCostBench [RUNS]. Prints one line per run: "run N total_ns slept_ns sleeps".
// The first run is the cold one a real start of the program pays.
#include "bench/SleepTimed.h"
#include "checks/RequirementSet.h"
#include "platform/Platform.h"
#include "report/ProductAssessment.h"

#ifdef _WIN32
#include "platform/Win32Services.h"
#else
#include "platform/SimulatedPc.h"
#endif

#include <cstdio>
#include <cstdlib>

namespace prereq {
namespace {

#ifdef _WIN32
using BenchPc = SleepTimed<Win32Services>;
BenchPc makePc() {
    return BenchPc();
}
#else
using BenchPc = SleepTimed<SimulatedPc>;
BenchPc makePc() {
    SimulatedPc pc = SimulatedPc::windowsNt4("Service Pack 2");
    pc.setMemoryBytes(100u << 20);
    return BenchPc(pc);
}
#endif

struct RunCost {
    std::chrono::nanoseconds total;
    std::chrono::nanoseconds slept;
    int sleeps;
    int unsatisfiedProducts;
};

RunCost timeOneStartUp() {
    BenchPc pc = makePc();
    ScopedPlatform use(pc);
    const BenchPc::Clock::time_point start = BenchPc::Clock::now();
    buildRequirementLists();
    PlinthSetupProduct plinthSetup;
    WardlineProduct wardline;
    WardlineLanProduct wardlineLan;
    const BenchPc::Clock::time_point end = BenchPc::Clock::now();
    const int unsatisfied = (plinthSetup.overallStatus() != Satisfied) +
                            (wardline.overallStatus() != Satisfied) +
                            (wardlineLan.overallStatus() != Satisfied);
    releaseRequirementLists();
    return {end - start, pc.slept, pc.sleeps, unsatisfied};
}

} // namespace
} // namespace prereq

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 20;
    for (int run = 1; run <= runs; ++run) {
        const prereq::RunCost cost = prereq::timeOneStartUp();
        std::printf("run %d %lld %lld %d %d\n", run, static_cast<long long>(cost.total.count()),
                    static_cast<long long>(cost.slept.count()), cost.sleeps,
                    cost.unsatisfiedProducts);
    }
    return 0;
}
