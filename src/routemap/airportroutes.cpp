#include "routemap/airportroutes.h"

#include "traffic/flightline.h"
#include "traffic/flighttable.h"
#include "traffic/text.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace corvane {

std::vector<AirportRoute> AirportRoutes(const FlightTable& flights, const std::vector<int>& indexes,
                                        std::string_view code) {
    std::unordered_map<std::string, int> legs; // other airport in upper case -> legs
    std::unordered_set<int> seen;
    for (int index : indexes) {
        if (index < 0 || index >= flights.count() || flights.at(index).empty() || !seen.insert(index).second)
            continue;
        const auto stops = FlightDestinations(flights.at(index));
        // Leg k flies from the destination of leg k - 1 (of the last leg for the first) to stop k.
        for (std::size_t k = 0; k < stops.size(); ++k) {
            const std::string_view from = stops[k == 0 ? stops.size() - 1 : k - 1], to = stops[k];
            if (EqualsIgnoringCase(from, to)) continue;
            if (EqualsIgnoringCase(from, code))
                ++legs[Upper(to)];
            else if (EqualsIgnoringCase(to, code))
                ++legs[Upper(from)];
        }
    }
    std::vector<AirportRoute> routes;
    routes.reserve(legs.size());
    for (auto& [other, count] : legs) routes.push_back({other, count});
    std::sort(routes.begin(), routes.end(),
              [](const AirportRoute& a, const AirportRoute& b) { return a.other < b.other; });
    return routes;
}

} // namespace corvane
