// Clock accuracy: the processor clock rate exactly as the processor probe measures it (a 100 ms
// sleep between two readings of the time-stamp and performance counters), repeated, one rate in
// cycles per second per line, to the thousandth. bench/run compares each with the kernel's
// calibrated clock. It uses nothing of the C library that the 32-bit programs' own run-time
// lacks, so that it is built and run with that run-time too.
//
// Usage: ClockAccuracyBench [MEASUREMENTS [SLEEP_MS]]
#include "checks/ProcessorClock.h"

#include <windows.h>

#include <cstdint>
#include <string>

namespace {

std::uint32_t number(const char* text) {
    std::uint32_t value = 0;
    for (; *text >= '0' && *text <= '9'; ++text)
        value = value * 10 + static_cast<std::uint32_t>(*text - '0');
    return value;
}

} // namespace

int main(int argc, char** argv) {
    const std::uint32_t measurements = argc > 1 ? number(argv[1]) : 20;
    const std::uint32_t sleepMilliseconds = argc > 2 ? number(argv[2]) : 100;
    for (std::uint32_t i = 0; i < measurements; ++i) {
        const long double hz = prereq::measureProcessorHz(sleepMilliseconds);
        const auto thousandths = static_cast<std::int64_t>(hz * 1000.0L + 0.5L);
        std::string fraction = std::to_string(thousandths % 1000);
        fraction.insert(0, 3 - fraction.size(), '0');
        const std::string line = std::to_string(thousandths / 1000) + "." + fraction + "\r\n";
        DWORD written = 0;
        WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line.data(), static_cast<DWORD>(line.size()),
                  &written, nullptr);
    }
    return 0;
}
