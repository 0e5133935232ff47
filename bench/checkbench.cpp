#include "checkbench.h"

#include "checks/trafficcheck.h"
#include "platform/progress.h"
#include "report.h"
#include "timing.h"
#include "traffic/prompts.h"
#include "traffic/reader.h"
#include "traffic/trafficdatabase.h"
#include "trafficbench.h"

#include <cstdio>
#include <filesystem>
#include <stdexcept>

namespace corvane {

namespace {

constexpr double kCheckBar = 1.0;
constexpr double kMemoryFactor = 4;
constexpr std::size_t kMemoryExtra = 50u * 1024 * 1024;

} // namespace

std::size_t MeasureCliCheck(const TrafficBenchSetup& setup) {
    const auto [status, peak] =
        RunMeasured({CliPath(), "check", "--apt", setup.files.apt, setup.files.project});
    if (status != 0 && status != 3) throw std::runtime_error("corvane-cli check failed");
    return peak;
}

void RunCheckBenchmarks(const TrafficBenchSetup& setup, Report& report, std::size_t cliPeak) {
    TrafficDatabase db;
    ReadGeneratedSet(setup, db);

    CheckReport result;
    const double check = BestOf(setup.repetitions, [&] { result = CheckTraffic(db); });
    report.limit("check " + std::to_string(db.flightTable().nonEmptyCount()) + " flights", check, kCheckBar);
    const double held =
        static_cast<double>(result.problems.capacity() * sizeof(Problem) + result.texts.bytes());
    char line[200];
    std::snprintf(line, sizeof line,
                  "%-34s %d errors, %d warnings in %d flights; the report holds %.1f MB (no bar)",
                  "  problems found", result.errors, result.warnings, result.flightsWithProblems,
                  held / (1024.0 * 1024.0));
    report.note(line);

    const auto bytesRead =
        std::filesystem::file_size(setup.files.project) + std::filesystem::file_size(setup.files.apt);
    report.memory("peak memory of corvane-cli check", cliPeak, bytesRead, kMemoryFactor, kMemoryExtra);
}

} // namespace corvane
