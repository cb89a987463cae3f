// Clock accuracy: the processor clock rate exactly as the processor probe measures it (a 100 ms
// sleep between two readings of the time-stamp and performance counters), repeated, one rate in
// cycles per second per line. bench/run compares each with the kernel's calibrated clock.
//
// Usage: ClockAccuracyBench [MEASUREMENTS [SLEEP_MS]]
#include "checks/ProcessorClock.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    const int measurements = argc > 1 ? std::atoi(argv[1]) : 20;
    const auto sleepMilliseconds =
        static_cast<std::uint32_t>(argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 100);
    for (int i = 0; i < measurements; ++i) {
        // double keeps 15 significant digits, far finer than one part per million.
        const double hz = static_cast<double>(prereq::measureProcessorHz(sleepMilliseconds));
        std::printf("%.3f\n", hz);
        std::fflush(stdout);
    }
    return 0;
}
