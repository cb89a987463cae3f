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
#include "app/StandardStreams.h"
#include "platform/Platform.h"

#include <cstdio>
#include <functional>
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

SimulatedPc posedPc(const Pose& pose, const PosedProcessor& processor) {
    SimulatedPc pc = pose.pc();
    pc.programPath = "C:\\Program Files\\PrereqCheck\\PrereqCheckCli.exe";
    pc.processorCode = processor.family == 4 ? 486 : kProcessorPentium;
    pc.processorHz = processor.hz;
    pc.hasTimeStampCounter = processor.hasTimeStampCounter();
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

void expect(bool ok, const std::string& what) {
    if (!ok) {
        std::printf("FAILED: %s\n", what.c_str());
        ++failures;
    }
}

void runConsoleProgram(const PeImage& image, const LinkMap& map) {
    for (const Pose& pose : kPoses)
        for (const PosedProcessor& processor : posedProcessors())
            for (const std::string commandLine : {"--reports C:\\Reports", "--json"}) {
                const std::string run =
                    std::string(pose.name) + ", " + processor.name + ", " + commandLine;
                SimulatedPc native = posedPc(pose, processor);
                SimulatedPc emulated = native;
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
                const std::string row = processorRow(emulated.outputStream.written);
                if (commandLine == "--json")
                    continue;
                expect(row.find(processor.row) != std::string::npos,
                       run + ": processor row " + row);
                std::printf("%-15s %-20s exit %u, %7llu instructions, %4llu calls: %s\n", pose.name,
                            processor.name.c_str(), r.exitCode,
                            static_cast<unsigned long long>(r.instructions),
                            static_cast<unsigned long long>(r.windowsCalls), row.c_str());
            }
}

// Faults planted in a copy of the image: each must fail the run on the 80486, saying why.
void runPlantedFaults(const PeImage& image, const LinkMap& map) {
    struct Plant {
        const char* name;
        std::function<void(PeImage&)> apply;
        std::string failure;
    };
    const std::uint32_t guard = map.addressOf("prereq::processorHasTimeStampCounter()");
    const Plant plants[] = {
        {"a CMOV at the entry point",
         [](PeImage& copy) {
             const std::uint8_t cmove[] = {0x0F, 0x44, 0xC0}; // cmove eax, eax
             std::copy(cmove, cmove + 3, copy.file.begin() + copy.fileOffset(copy.entryRva));
         },
         "cmove, which needs CMOV"},
        {"a guard that reports a time-stamp counter",
         [guard](PeImage& copy) {
             const std::uint8_t yes[] = {0xB8, 0x01, 0, 0, 0, 0xC3}; // mov eax, 1; ret
             std::copy(yes, yes + 6, copy.file.begin() + copy.fileOffset(guard - copy.imageBase));
         },
         "rdtsc, which needs RDTSC"},
        {"an import the PC does not answer",
         [](PeImage& copy) {
             for (PeImport& import : copy.imports)
                 if (import.name == "GlobalMemoryStatus")
                     import.name = "GlobalMemoryStatusEx";
         },
         "KERNEL32.dll!GlobalMemoryStatusEx"},
    };
    const PosedProcessor& i486 = posedProcessors()[1];
    for (const Plant& plant : plants) {
        PeImage copy = image;
        plant.apply(copy);
        SimulatedPc pc = posedPc(kPoses[0], i486);
        const EmulatedRunResult r = runEmulated(copy, map, i486, pc, "");
        expect(!r.exited && r.failure.find(plant.failure) != std::string::npos,
               std::string(plant.name) + " did not fail the run as it must: " + r.failure);
        std::printf("planted %s: %s\n", plant.name, r.failure.c_str());
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: EmulatedRuns BUNDLE_FOLDER MAP_FOLDER\n");
        return 2;
    }
    try {
        const std::string bundle = argv[1], maps = argv[2];
        const PeImage console = PeImage::load(bundle + "/PrereqCheckCli.exe");
        const LinkMap consoleMap = LinkMap::load(maps + "/PrereqCheckCli.map");
        runConsoleProgram(console, consoleMap);
        runPlantedFaults(console, consoleMap);
    } catch (const std::exception& error) {
        std::printf("FAILED: %s\n", error.what());
        return 1;
    }
    std::printf(failures ? "%d checks failed\n" : "All emulated runs passed.\n", failures);
    return failures ? 1 : 0;
}
