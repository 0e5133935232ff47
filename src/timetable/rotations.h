#pragma once
// The legs of a timetable gathered into rotations: the legs one aircraft flies, in order, round and
// back to where it began. Each rotation becomes flight lines: a "24Hr" line when every leg of it
// operates every day, else a "WEEK" line that repeats each leg on its days.
//
// Legs with a tail form that aircraft's rotation, ordered by day and time; each leg must depart where
// the one before arrived, and leave no earlier than that one arrives, or the rotation breaks and is
// left out. Legs without a tail are chained, one aircraft title at a time: after each arrival the
// aircraft takes the earliest departure from that airport at least the turnaround minimum later,
// until the earliest is the chain's own first leg a week on. A leg that would lead a chain where it
// cannot go on is left out of it for good: that keeps chaining O(n log n) and deterministic.
//
// A rotation longer than a flight line holds is split into closed loops of the same tail at one
// airport, where the aircraft stays on the ground longest.

#include "timetable/timetablerows.h"

#include <string>
#include <unordered_set>
#include <vector>

namespace corvane {

struct RotationOptions {
    int turnaroundSeconds = 600;
    int maxLegs = 25; // the flight editor's limit
    // The tail of a chain: "{flight}" stands for the flight number of its first leg, "{n}" for the
    // chain's number (1, 2, ...). A tail that is taken already gets "-2", "-3", ...
    std::string tailPattern = "{flight}";
};

// A leg on the clock of its flight: departure in seconds from Sunday 00:00 GMT (weekly) or from
// midnight GMT (24Hr).
struct FlightLeg {
    int leg = 0; // index into the legs
    int departure = 0;
};

struct Rotation {
    std::string tail;
    int aircraft = 0;
    bool weekly = true;
    int firstRow = 0;
    // Each a closed loop of at most maxLegs legs, in the order they are flown.
    std::vector<std::vector<FlightLeg>> flights;
};

// Tail numbers compared without regard to letter case.
using TailSet = std::unordered_set<std::string>;

// aircraftOf gives each leg's aircraft (legs of one aircraft are chained together), -1 for a leg that
// is not to be imported (it then breaks the rotation of its tail). usedTails holds the tails already
// in use (upper case); the tails given to chains are added to it. Problems are appended.
std::vector<Rotation> BuildRotations(const std::vector<TimetableLeg>& legs,
                                     const std::vector<int>& aircraftOf,
                                     const std::vector<std::string>& aircraftNames,
                                     const RotationOptions& options, TailSet& usedTails,
                                     std::vector<TimetableProblem>& problems);

} // namespace corvane
