#include "timing.h"

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <limits>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace corvane {

double BestOf(int repetitions, const std::function<void()>& run) {
    double best = std::numeric_limits<double>::infinity();
    for (int i = 0; i < std::max(repetitions, 1); ++i) {
        const Stopwatch watch;
        run();
        best = std::min(best, watch.seconds());
    }
    return best;
}

std::size_t PeakResidentBytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<std::size_t>(usage.ru_maxrss) * 1024; // Linux reports kilobytes
}

std::string CliPath() {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) throw std::runtime_error("cannot find this program's folder: " + error.message());
    return (self.parent_path() / "corvane-cli").string();
}

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

} // namespace corvane
