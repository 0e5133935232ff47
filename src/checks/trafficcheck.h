#pragma once
// The traffic check: looks over every non-empty flight of the FlightTable for what the writer would
// drop and what the simulator would fly wrongly, without changing anything. One pass over the flights
// with hash lookups; the duplicates are found through hash maps of tail numbers and lines.
//
// A leg departs from the previous leg's destination (leg 1 from the last leg's). Times are the stored
// GMT times on the clock of the flight's repeat period (periodclock.h). A flight whose repeat period or
// times cannot be read gets none of the time checks: they are skipped, not guessed. Likewise the checks
// against the proposed flight time are skipped for a leg that has none.

#include "checks/problem.h"

#include <functional>

namespace corvane {

class TrafficDatabase;

inline constexpr int kDefaultTurnaroundMinutes = 10;

struct CheckOptions {
    int turnaroundMinutes = kDefaultTurnaroundMinutes; // least ground time between two legs
};

CheckReport CheckTraffic(const TrafficDatabase& db, const CheckOptions& options = {});

// The same check for output that need not keep every problem: after each flight with problems, the
// report handed over holds that flight's problems alone (with the counts so far). Returns the counts.
CheckReport CheckTraffic(const TrafficDatabase& db, const CheckOptions& options,
                         const std::function<void(const CheckReport& flight)>& eachFlight);

} // namespace corvane
