#include "filters/reroute.h"

#include "traffic/fields.h"
#include "traffic/flightline.h"
#include "traffic/text.h"
#include "traffic/trafficdatabase.h"

namespace corvane {

namespace {

Prompt Refusal(std::string title, std::string text) {
    return Prompt{std::move(title), std::move(text), Icon::Exclamation, Buttons::Ok, Answer::Ok};
}

} // namespace

std::optional<Prompt> CheckReroute(const TrafficDatabase& db, std::string_view from, std::string_view to) {
    if (from.empty())
        return Refusal("Enter ICAO airport code", "Enter the code of the airport whose traffic is to move.");
    if (to.empty())
        return Refusal("Enter ICAO airport code",
                       "Enter the code of the airport that is to take the traffic.");
    if (Contains(from, ',') || Contains(to, ','))
        return Refusal("Do not use comma", "The character comma '','' is not allowed!");
    if (EqualsIgnoringCase(from, to))
        return Refusal("Same airport",
                       "The traffic of " + Upper(from) + " cannot move to " + Upper(to) + " itself.");
    if (db.airportTable().findByIcao(to) < 0)
        return Refusal("Unknown airport",
                       "The airport " + Upper(to) +
                           " is not in the airport table, so saving or compiling would drop "
                           "every flight moved to it.\r\nAdd it on the Airports page first.");
    return std::nullopt;
}

ReroutePlan PlanReroute(const TrafficDatabase& db, std::string_view from, std::string_view to,
                        const FilterProgress& progress) {
    ReroutePlan plan;
    const int row = db.airportTable().findByIcao(to);
    plan.to = row >= 0 ? db.airportTable().cell(row, AirportTable::Icao) : Upper(to);
    const FlightTable& flights = db.flightTable();
    const int count = flights.count();
    for (int i = 0; i < count; ++i) {
        if (progress) progress(i + 1, count);
        const std::string& line = flights.at(i);
        const std::vector<std::string_view> destinations = FlightDestinations(line);
        int legs = 0;
        bool between = false;
        for (std::size_t k = 0; k < destinations.size(); ++k) {
            const std::string_view departure = destinations[k == 0 ? destinations.size() - 1 : k - 1];
            const std::string_view destination = destinations[k];
            const bool fromOld = EqualsIgnoringCase(departure, from),
                       toOld = EqualsIgnoringCase(destination, from);
            if (!fromOld && !toOld) continue;
            ++legs;
            between = between || (fromOld && EqualsIgnoringCase(destination, to)) ||
                      (toOld && EqualsIgnoringCase(departure, to));
        }
        if (legs == 0) continue;
        if (between) {
            plan.leftOut.push_back(i);
            continue;
        }
        plan.legs += legs;
        // Destinations are fields 11, 17, 23, ...; every other field stays as it is.
        std::vector<std::string_view> fields = SplitFields(line, ',');
        for (std::size_t p = kFirstDestinationField; p <= fields.size() && !fields[p - 1].empty();
             p += kFieldsPerLeg)
            if (EqualsIgnoringCase(fields[p - 1], from)) fields[p - 1] = plan.to;
        std::string moved;
        moved.reserve(line.size() + 8);
        for (std::size_t f = 0; f < fields.size(); ++f) {
            if (f > 0) moved += ',';
            moved += fields[f];
        }
        plan.changes.push_back({i, std::move(moved)});
    }
    return plan;
}

OldAirport ApplyReroute(TrafficDatabase& db, ReroutePlan& plan, std::string_view from, bool removeOld) {
    ApplyLineChanges(db.flightTable(), plan.changes);
    if (!removeOld) return OldAirport::Kept;
    const int row = db.airportTable().findByIcao(from);
    if (row < 0) return OldAirport::NotInTable;
    for (const std::string& line : db.flightTable().lines()) {
        DestinationCursor destinations(line);
        for (std::string_view destination; destinations.next(destination);)
            if (EqualsIgnoringCase(destination, from)) return OldAirport::StillUsed;
    }
    const std::string icao = db.airportTable().cell(row, AirportTable::Icao);
    db.airportTable().remove(row);
    db.airportCodes().removeFirst(icao);
    return OldAirport::Removed;
}

} // namespace corvane
