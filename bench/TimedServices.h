// TimedServices: a WindowsServices implementation that times, by the wall clock, the calls that
// cost something on a real system: the sleeps of the processor probes, which a benchmark takes
// out of the start-up figure, and the drive, library, registry, version and file calls, which
// show where the rest of the time goes.
#pragma once

#include "platform/WindowsServices.h"

#include <chrono>
#include <cstdint>
#include <map>
#include <string>
#include <utility>

namespace prereq {

template <typename Services> class TimedServices : public Services {
public:
    using Clock = std::chrono::steady_clock;

    struct CallCost {
        int calls = 0;
        Clock::duration time{};
    };

    TimedServices() = default;
    explicit TimedServices(Services services) : Services(std::move(services)) {}

    // Per Windows function; "Sleep" holds the sleeps, which are always timed. Timing every
    // other call costs two clock readings each, which shows against the simulated PC's calls.
    std::map<std::string, CallCost> costs;
    bool timeEveryCall = true;

    Clock::duration slept() const {
        const auto it = costs.find("Sleep");
        return it == costs.end() ? Clock::duration{} : it->second.time;
    }
    int sleeps() const {
        const auto it = costs.find("Sleep");
        return it == costs.end() ? 0 : it->second.calls;
    }

    void sleep(std::uint32_t milliseconds) override {
        timed(
            "Sleep", [&] { Services::sleep(milliseconds); }, true);
    }
    bool getVersion(VersionInfo& info) override {
        return timed("GetVersionExA", [&] { return Services::getVersion(info); });
    }
    bool readTimeStampCounter(std::uint64_t& cycles) override {
        return timed("time-stamp counter (guarded)",
                     [&] { return Services::readTimeStampCounter(cycles); });
    }
    std::uint32_t driveType(const std::string& rootPath) override {
        return timed("GetDriveTypeA", [&] { return Services::driveType(rootPath); });
    }
    bool diskFreeSpace(const std::string& rootPath, DiskFreeSpace& space) override {
        return timed("GetDiskFreeSpaceA", [&] { return Services::diskFreeSpace(rootPath, space); });
    }
    std::int32_t openKey(const std::string& path, KeyHandle& key) override {
        return timed("RegOpenKeyExA", [&] { return Services::openKey(path, key); });
    }
    LibraryHandle loadLibrary(const std::string& fileName) override {
        return timed("LoadLibraryA", [&] { return Services::loadLibrary(fileName); });
    }
    std::uint32_t rasEnumDevices(ExportAddress entry, RasDeviceRecord* buffer,
                                 std::uint32_t& byteCount, std::uint32_t& deviceCount) override {
        return timed("RasEnumDevicesA", [&] {
            return Services::rasEnumDevices(entry, buffer, byteCount, deviceCount);
        });
    }
    FileHandle createReportFile(const std::string& name) override {
        return timed("CreateFileA", [&] { return Services::createReportFile(name); });
    }
    bool writeFile(FileHandle file, const char* data, std::uint32_t size) override {
        return timed("WriteFile", [&] { return Services::writeFile(file, data, size); });
    }
    bool closeFile(FileHandle file) override {
        return timed("CloseHandle", [&] { return Services::closeFile(file); });
    }

private:
    template <typename Call> auto timed(const char* name, Call call, bool always = false) {
        if (!always && !timeEveryCall)
            return call();
        CallCost& cost = costs[name];
        ++cost.calls;
        const Clock::time_point start = Clock::now();
        // Stops the clock once the call has returned, for calls with and without a result.
        struct Stop {
            CallCost& cost;
            Clock::time_point start;
            ~Stop() { cost.time += Clock::now() - start; }
        } stop{cost, start};
        return call();
    }
};

} // namespace prereq
