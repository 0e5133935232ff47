#pragma once
// Arrival times from cruise speeds: a leg's arrival becomes its departure plus the flight time proposed
// for it (ProposedLegSeconds, the legs editor's own proposal), the day following in weekly flights.
// The aircraft of a flight is looked up by its number as the traffic check looks it up (the aircraft
// table, else the unknown aircraft, whose speed the traffic set keeps too); airports by code. A leg
// that has no proposal, or whose departure is no time of day, keeps its arrival and is counted.

#include "filters/flightfilter.h"
#include "schedule/flighttime.h"
#include "traffic/text.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace corvane {

class TrafficDatabase;

struct RetimeCounts {
    int selected = 0;    // flights looked at
    int flights = 0;     // flights with a leg whose arrival changes
    int legs = 0;        // legs whose arrival changes
    int noSpeed = 0;     // legs kept: the aircraft is in neither table, or has no speed above 0
    int noPosition = 0;  // legs kept: an airport is not in the airport table or has no coordinates
    int sameAirport = 0; // legs kept: departing from and arriving at one airport
    int badTime = 0;     // legs kept: the departure is not a time of day of the flight's kind
    int kept() const { return noSpeed + noPosition + sameAirport + badTime; }
    RetimeCounts& operator+=(const RetimeCounts& other);
};

class Retimer {
public:
    explicit Retimer(const TrafficDatabase& db);

    // line with the arrival of each chosen leg (1-based positions in the line; every leg when legs is
    // empty) set from its proposed flight time; what changed and what was kept is added to counts.
    std::string retimed(std::string_view line, RetimeCounts& counts, const std::vector<int>& legs = {});

private:
    // Exact texts as keys, looked up by view: a line's fields are hashed once, without copies.
    struct ViewHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>()(text); }
    };
    template <typename T> using TextMap = std::unordered_map<std::string, T, ViewHash, std::equal_to<>>;

    double speed(std::string_view aircraftField);
    const GeoPosition* position(std::string_view code);

    const TrafficDatabase& m_db;
    TextMap<double> m_speeds;                        // aircraft field as written -> speed, 0 for none
    TextMap<std::optional<GeoPosition>> m_positions; // code as written -> position
    // Scratch of one line, kept for the next.
    std::vector<std::string_view> m_fields;
    std::vector<const GeoPosition*> m_legPositions;
    std::vector<std::string> m_arrivals;
};

struct RetimePlan {
    std::vector<LineChange> changes;
    RetimeCounts counts;
};

// The new lines of the selected flights, without changing anything.
RetimePlan PlanRetime(const TrafficDatabase& db, const FilterSelection& selection,
                      const FilterProgress& progress = {});

// "Set the arrival of 12 legs in 5 flights from the cruise speeds." and, when legs were kept, why.
// Lines are joined by CR LF.
std::string RetimeDoneText(const RetimeCounts& counts);
// What the dialog shows before the run: "12 legs of 5 flights get a new arrival; ...".
std::string RetimePreviewText(const RetimeCounts& counts);

} // namespace corvane
