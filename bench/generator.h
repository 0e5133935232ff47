#pragma once
// A deterministic generator of large traffic sets for the benchmark and for tests: a project file in
// the writer's own layout (so that reading it and writing it back gives the same bytes), an apt.dat
// that shares some airports with it, and the aircraft installed in the simulator. The same size and
// seed always give the same bytes, with any standard library.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

class TrafficDatabase;

struct TrafficSetSize {
    int flights = 100'000;
    int minLegs = 2;
    int maxLegs = 8;
    // Every aircraft and every airport is used by some flight.
    int aircraft = 2'000;
    int installedAircraft = 1'000; // of the aircraft above
    int airports = 8'000;
    int aptAirports = 25'000;
    int aptOverlap = 6'000; // airports of the traffic set also listed in apt.dat
    std::uint64_t seed = 2002;
};

// Why the sizes cannot be generated, or the empty text when they can.
std::string SizeProblem(const TrafficSetSize& size);

struct InstalledAircraft {
    std::string title;
    std::string speed;
};

struct TrafficSet {
    std::string project;
    std::string apt;
    std::vector<InstalledAircraft> installed;
};

// Throws std::invalid_argument when SizeProblem(size) is not empty.
TrafficSet GenerateTrafficSet(const TrafficSetSize& size);

// The installed aircraft of GenerateTrafficSet(size), without generating the rest.
std::vector<InstalledAircraft> GenerateInstalledAircraft(const TrafficSetSize& size);

// Puts the installed aircraft into the InstalledAircraftTable, as the aircraft scan would.
void InstallAircraft(TrafficDatabase& db, const std::vector<InstalledAircraft>& installed);

struct TrafficSetFiles {
    std::string project; // traffic.cvp
    std::string apt;     // apt.dat
};

// Writes the project and the apt.dat into folder (which must exist); nullopt with error set on failure.
std::optional<TrafficSetFiles> WriteTrafficSet(const TrafficSet& set, const std::string& folder,
                                               std::string* error);

} // namespace corvane
