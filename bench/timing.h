#pragma once
// Timing and memory figures for the benchmarks.

#include <chrono>
#include <cstddef>
#include <functional>

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

} // namespace corvane
