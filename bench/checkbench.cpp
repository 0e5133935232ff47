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
#include <fcntl.h>
#include <filesystem>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace corvane {

namespace {

constexpr double kCheckBar = 1.0;
constexpr double kMemoryFactor = 4;
constexpr std::size_t kMemoryExtra = 50u * 1024 * 1024;

// corvane-cli beside this program.
std::string CliPath() {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) throw std::runtime_error("cannot find this program's folder: " + error.message());
    return (self.parent_path() / "corvane-cli").string();
}

// Runs a program with its output thrown away; returns its exit status and its peak resident memory.
std::pair<int, std::size_t> RunMeasured(const std::vector<std::string>& args) {
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child < 0) throw std::runtime_error("could not start " + args.front());
    if (child == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 1);
        ::dup2(null, 2);
        std::vector<char*> argv;
        for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    int status = 0;
    rusage usage{};
    if (::wait4(child, &status, 0, &usage) != child || !WIFEXITED(status))
        throw std::runtime_error(args.front() + " did not end normally");
    return {WEXITSTATUS(status), static_cast<std::size_t>(usage.ru_maxrss) * 1024};
}

} // namespace

std::size_t MeasureCliCheck(const TrafficBenchSetup& setup) {
    const auto [status, peak] =
        RunMeasured({CliPath(), "check", "--apt", setup.files.apt, setup.files.project});
    if (status != 0 && status != 3) throw std::runtime_error("corvane-cli check failed");
    return peak;
}

void RunCheckBenchmarks(const TrafficBenchSetup& setup, Report& report, std::size_t cliPeak) {
    CountingPrompts prompts;
    NullProgress progress;
    TrafficDatabase db;
    InstallAircraft(db, GenerateInstalledAircraft(setup.size));
    if (!ReadProjectFile(db, setup.files.project, ReadOptions{false, true, setup.files.apt}, prompts,
                         progress))
        throw std::runtime_error("the traffic set could not be read");

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
