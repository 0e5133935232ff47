#pragma once
// The routes of an airport: the other airports that its legs fly to or come from. A route joins two
// airports whichever way its legs fly; a leg from an airport to itself is no route.

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

class FlightTable;

struct AirportRoute {
    std::string other; // the other airport's code, in upper case
    int legs = 0;      // legs flown between the two, both ways together
    bool operator==(const AirportRoute&) const = default;
};

// The routes of code (letter case ignored) among the flights of the given FlightTable indexes, sorted
// by the other airport's code. Empty entries and indexes out of range are skipped; each index is taken
// once however often it is given.
std::vector<AirportRoute> AirportRoutes(const FlightTable& flights, const std::vector<int>& indexes,
                                        std::string_view code);

} // namespace corvane
