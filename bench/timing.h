#pragma once
// Timing and memory figures for the benchmarks.

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace corvane {

class Stopwatch {
public:
    Stopwatch()
        : m_start(std::chrono::steady_clock::now()) {}
    double seconds() const {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
    }

private:
    std::chrono::steady_clock::time_point m_start;
};

// The shortest of repetitions runs of run, in seconds; only run itself is timed.
double BestOf(int repetitions, const std::function<void()>& run);

// The peak resident memory of this process so far (getrusage's ru_maxrss), in bytes.
std::size_t PeakResidentBytes();

// corvane-cli beside this program.
std::string CliPath();

// Runs a program with its output thrown away; returns its exit status and its peak resident memory in
// bytes. A child started from a large process is charged that process's peak: run it early.
std::pair<int, std::size_t> RunMeasured(const std::vector<std::string>& args);

} // namespace corvane
