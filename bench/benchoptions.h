#pragma once
// The command line of corvane-bench.

#include "generator.h"

#include <optional>
#include <string>

namespace corvane {

struct BenchOptions {
    TrafficSetSize size;
    int repetitions = 3;
    bool keepFiles = false;
    bool help = false;
};

// nullopt with error set when the arguments are wrong.
std::optional<BenchOptions> ParseBenchOptions(int argc, const char* const* argv, std::string& error);

extern const char* const kBenchUsage;

} // namespace corvane
