// corvane-bench: generates a large traffic set and times the core operations on it beside baselines
// that only read or write the same bytes. Further benchmarks (editors, widgets) are added as functions
// that take the setup and the report, run after the traffic benchmarks.

#include "benchoptions.h"
#include "checkbench.h"
#include "editorbench.h"
#include "generator.h"
#include "memorybench.h"
#include "report.h"
#include "scratchfolder.h"
#include "timetablebench.h"
#include "trafficbench.h"

#include <cstdio>
#include <stdexcept>
#include <string_view>
#include <sys/wait.h>
#include <unistd.h>

using namespace corvane;

namespace {

// Generates the files in a child process, so that the generator's memory never counts in this
// process's peak memory.
TrafficSetFiles GenerateInChild(const TrafficSetSize& size, const std::string& folder) {
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child < 0) throw std::runtime_error("Could not start the generator process");
    if (child == 0) {
        int status = 1;
        try {
            std::string error;
            if (WriteTrafficSet(GenerateTrafficSet(size), folder, &error))
                status = 0;
            else
                std::fprintf(stderr, "%s\n", error.c_str());
        } catch (const std::exception& e) {
            std::fprintf(stderr, "%s\n", e.what());
        }
        std::fflush(nullptr);
        ::_exit(status);
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error("The generator failed");
    return {folder + "traffic.cvp", folder + "apt.dat"};
}

} // namespace

int main(int argc, char** argv) {
    // The reading child of the line memory benchmark.
    if (argc == 3 && std::string_view(argv[1]) == "--read-peak") return ReadAndPrintPeak(argv[2]);
    std::string error;
    const auto options = ParseBenchOptions(argc, argv, error);
    if (!options || options->help) {
        if (!options) std::fprintf(stderr, "corvane-bench: %s\n", error.c_str());
        std::fputs(kBenchUsage, options ? stdout : stderr);
        return options ? 0 : 2;
    }
    try {
        const TrafficSetSize& size = options->size;
        ScratchFolder folder;
        if (options->keepFiles) folder.keep();
        std::printf("corvane-bench: %d flights of %d to %d legs, %d aircraft (%d installed), %d airports, "
                    "apt.dat of %d airports (%d shared); seed %llu; best of %d\n",
                    size.flights, size.minLegs, size.maxLegs, size.aircraft, size.installedAircraft,
                    size.airports, size.aptAirports, size.aptOverlap,
                    static_cast<unsigned long long>(size.seed), options->repetitions);
        if (options->keepFiles) std::printf("files kept in %s\n", folder.path().c_str());
        const TrafficBenchSetup setup{size, GenerateInChild(size, folder.path()), folder.path(),
                                      options->repetitions};
        // While this process is still small:
        const std::size_t checkPeak = MeasureCliCheck(setup);
        const std::string timetable = WriteBenchTimetable(setup);
        const std::size_t timetablePeak = MeasureCliTimetable(setup, timetable);
        Report report;
        RunTrafficBenchmarks(setup, report);
        RunEditorBenchmarks(setup, report);
        RunCheckBenchmarks(setup, report, checkPeak);
        RunTimetableBenchmarks(setup, timetable, report, timetablePeak);
        RunLineMemoryBenchmark(folder.path(), report);
        report.summary();
        return report.passed() ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "corvane-bench: %s\n", e.what());
        return 1;
    }
}
