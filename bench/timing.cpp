#include "timing.h"

#include <algorithm>
#include <limits>
#include <sys/resource.h>

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

} // namespace corvane
