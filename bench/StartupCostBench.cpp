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
// Usage: StartupCostBench [RUNS [calls]]. Prints one line per run,
//   run N TOTAL_NS SLEPT_NS SLEEPS UNSATISFIED_PRODUCTS
// and with "calls", after the first run (the cold one a real start of the program pays), the
// time spent in each timed Windows call:
//   call CALLS NS NAME
#include "bench/TimedServices.h"
#include "checks/RequirementSet.h"
#include "platform/Platform.h"
#include "report/ProductAssessment.h"

#ifdef _WIN32
#include "platform/Win32Services.h"
#else
#include "platform/simulated/SimulatedPc.h"
#endif

#include <cstdio>
#include <cstdlib>
#include <string>

namespace prereq {
namespace {

#ifdef _WIN32
using BenchPc = TimedServices<Win32Services>;
BenchPc makePc() {
    return BenchPc();
}
#else
using BenchPc = TimedServices<SimulatedPc>;
BenchPc makePc() {
    SimulatedPc pc = SimulatedPc::windowsNt4("Service Pack 2");
    pc.setMemoryBytes(100u << 20);
    return BenchPc(pc);
}
#endif

long long nanoseconds(BenchPc::Clock::duration duration) {
    return static_cast<long long>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(duration).count());
}

void runOnce(int run, bool timeCalls) {
    BenchPc pc = makePc();
    pc.timeEveryCall = timeCalls;
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

    std::printf("run %d %lld %lld %d %d\n", run, nanoseconds(end - start), nanoseconds(pc.slept()),
                pc.sleeps(), unsatisfied);
    if (run == 1 && timeCalls)
        for (const auto& [name, cost] : pc.costs)
            std::printf("call %d %lld %s\n", cost.calls, nanoseconds(cost.time), name.c_str());
}

} // namespace
} // namespace prereq

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 20;
    const bool timeCalls = argc > 2 && std::string(argv[2]) == "calls";
    for (int run = 1; run <= runs; ++run)
        prereq::runOnce(run, timeCalls);
    return 0;
}
