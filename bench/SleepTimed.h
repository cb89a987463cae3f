// SleepTimed: a WindowsServices implementation whose sleeps are timed by the wall clock, so a
// benchmark can tell the work of start-up from the time it spends asleep in the processor probes.
#pragma once

#include <chrono>
#include <cstdint>
#include <utility>

namespace prereq {

template <typename Services> class SleepTimed : public Services {
public:
    using Clock = std::chrono::steady_clock;

    SleepTimed() = default;
    explicit SleepTimed(Services services) : Services(std::move(services)) {}

    void sleep(std::uint32_t milliseconds) override {
        const Clock::time_point start = Clock::now();
        Services::sleep(milliseconds);
        slept += Clock::now() - start;
        ++sleeps;
    }

    Clock::duration slept{};
    int sleeps = 0;
};

} // namespace prereq
