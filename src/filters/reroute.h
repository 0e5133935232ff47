#pragma once
// Moving an airport's traffic: every leg to or from one airport goes to or from another instead. No
// departure airport is stored (a leg departs from the destination of the leg before it), so rewriting
// each destination that names the old airport moves both ends of its legs. A flight of which a leg runs
// between the two airports would get a leg from the new airport to itself, which the simulator cannot
// fly: such a flight is left as it is, and the plan names it.

#include "filters/flightfilter.h"
#include "traffic/prompts.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

class TrafficDatabase;

struct ReroutePlan {
    std::vector<LineChange> changes; // one per flight that moves
    int legs = 0;                    // legs to or from the old airport that move
    std::vector<int> leftOut;        // flights left as they are, by FlightTable index
    std::string to;                  // the new airport's code as the airport table writes it
};

// The message that refuses the change, or nothing: both codes given, no comma in them, two airports,
// the new one in the airport table. The old airport need not be there (its flights are then dropped
// on saving, and moving them is their repair).
std::optional<Prompt> CheckReroute(const TrafficDatabase& db, std::string_view from, std::string_view to);

// The new lines, without changing anything (codes compared with letter case ignored).
ReroutePlan PlanReroute(const TrafficDatabase& db, std::string_view from, std::string_view to,
                        const FilterProgress& progress = {});

// What became of the old airport's row in the airport table.
enum class OldAirport {
    Kept,       // not asked to go
    Removed,    // taken out of the airport table and the airport combos
    StillUsed,  // asked to go, but flights left as they are still fly there
    NotInTable, // asked to go, but it was not there
};

// Puts the plan's lines in place and, with removeOld, takes the old airport out of the airport table
// once no flight flies there. Inside the caller's step, so that all of it is one undo.
OldAirport ApplyReroute(TrafficDatabase& db, ReroutePlan& plan, std::string_view from, bool removeOld);

} // namespace corvane
