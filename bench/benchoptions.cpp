#include "benchoptions.h"

#include <charconv>
#include <cstdint>
#include <string_view>

namespace corvane {

const char* const kBenchUsage =
    "usage: corvane-bench [options]\n"
    "Generates a traffic set (fixed seed) in a temporary folder and times reading and writing it\n"
    "beside baselines that only read or write the same bytes; exits 1 when a bar is not met.\n"
    "  --flights N        flights (100000)\n"
    "  --min-legs N       fewest legs of a flight (2)\n"
    "  --max-legs N       most legs of a flight (8)\n"
    "  --aircraft N       aircraft of the traffic set (2000)\n"
    "  --installed N      of those, installed in the simulator (1000)\n"
    "  --airports N       airports used by flights (8000)\n"
    "  --apt-airports N   airports in apt.dat (25000)\n"
    "  --apt-overlap N    airports of the traffic set also in apt.dat (6000)\n"
    "  --seed N           seed of the generator (2002)\n"
    "  --repeat N         repetitions of each timing, the best is shown (3)\n"
    "  --keep             keep the generated and written files\n";

namespace {

bool ParseNumber(std::string_view text, long long& value) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && value >= 0 && value <= 1'000'000'000;
}

} // namespace

std::optional<BenchOptions> ParseBenchOptions(int argc, const char* const* argv, std::string& error) {
    BenchOptions options;
    TrafficSetSize& size = options.size;
    const std::pair<std::string_view, int*> counts[] = {
        {"--flights", &size.flights},
        {"--min-legs", &size.minLegs},
        {"--max-legs", &size.maxLegs},
        {"--aircraft", &size.aircraft},
        {"--installed", &size.installedAircraft},
        {"--airports", &size.airports},
        {"--apt-airports", &size.aptAirports},
        {"--apt-overlap", &size.aptOverlap},
        {"--repeat", &options.repetitions},
    };
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            continue;
        }
        if (arg == "--keep") {
            options.keepFiles = true;
            continue;
        }
        long long value = 0;
        if (i + 1 >= argc || !ParseNumber(argv[i + 1], value)) {
            error = "expected an option and a whole number, got " + std::string(arg);
            return std::nullopt;
        }
        ++i;
        if (arg == "--seed") {
            size.seed = static_cast<std::uint64_t>(value);
            continue;
        }
        int* target = nullptr;
        for (const auto& [name, field] : counts)
            if (name == arg) target = field;
        if (!target) {
            error = "unknown option " + std::string(arg);
            return std::nullopt;
        }
        *target = static_cast<int>(value);
    }
    if (const std::string problem = SizeProblem(size); !problem.empty()) {
        error = problem;
        return std::nullopt;
    }
    if (options.repetitions < 1) {
        error = "--repeat: need at least 1";
        return std::nullopt;
    }
    return options;
}

} // namespace corvane
