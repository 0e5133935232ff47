#include "memorybench.h"

#include "platform/progress.h"
#include "platform/textfile.h"
#include "report.h"
#include "timing.h"
#include "traffic/prompts.h"
#include "traffic/reader.h"
#include "traffic/trafficdatabase.h"

#include <cstdio>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace corvane {

namespace {

constexpr std::size_t kLines = 20'000'000; // "%" and CR LF: 60 MB
constexpr double kMemoryFactor = 4;
constexpr std::size_t kMemoryExtra = 50u * 1024 * 1024;
constexpr double kBytesPerLine = 32;

// Runs this program again as the reading child; returns what it printed.
std::string RunChild(const std::string& path) {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) throw std::runtime_error("pipe failed");
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child < 0) throw std::runtime_error("fork failed");
    if (child == 0) {
        ::dup2(pipeEnds[1], STDOUT_FILENO);
        ::close(pipeEnds[0]);
        ::close(pipeEnds[1]);
        ::execl("/proc/self/exe", "corvane-bench", "--read-peak", path.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(pipeEnds[1]);
    std::string output;
    char buffer[256];
    for (ssize_t n; (n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        output.append(buffer, static_cast<std::size_t>(n));
    ::close(pipeEnds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw std::runtime_error("the reading child failed");
    return output;
}

} // namespace

int ReadAndPrintPeak(const std::string& path) {
    TrafficDatabase db;
    CountingPrompts prompts;
    NullProgress progress;
    if (!ReadProjectFile(db, path, ReadOptions{false, false, ""}, prompts, progress)) return 1;
    if (static_cast<std::size_t>(db.flightTable().count()) != kLines) return 1;
    std::printf("%zu\n", PeakResidentBytes());
    return 0;
}

void RunLineMemoryBenchmark(const std::string& workFolder, Report& report) {
    const std::string path = workFolder + "one-character-lines.cvp";
    {
        std::string bytes;
        bytes.reserve(kLines * 3);
        for (std::size_t i = 0; i < kLines; ++i) bytes += "%\r\n";
        std::string error;
        if (!SaveFileAtomically(path, bytes, &error)) throw std::runtime_error(error);
    }
    const std::size_t peak = std::stoull(RunChild(path));
    report.memory("peak memory, 60 MB of '%' lines", peak, kLines * 3, kMemoryFactor, kMemoryExtra, kLines,
                  kBytesPerLine);
    ::unlink(path.c_str());
}

} // namespace corvane
