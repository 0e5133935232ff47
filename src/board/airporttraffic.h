#pragma once
// The traffic of one airport as the FlightTable holds it: each movement of a leg there (a departure
// from it, an arrival at it) and each stay of an aircraft on its ground, in GMT on the clock of the
// flight's repeat period, read as the traffic check reads the times (periodclock.h). A leg departs from
// the destination of the leg before it, the first leg from that of the last, so an aircraft that
// arrives with leg k stays until leg k + 1 departs: that stay is the parking the airport must have.
//
// A flight that touches the airport but whose repeat period, or one of whose times there, cannot be
// read is left out whole and counted, so that its movements and stays never disagree.

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

class TrafficDatabase;

enum class MovementKind { Departure, Arrival };

struct AirportMovement {
    MovementKind kind = MovementKind::Departure;
    int flight = -1;   // FlightTable index
    int leg = 0;       // the leg's place in the flight line, 1 for the first
    int period = 0;    // the flight's repeat period in seconds: 1 to 24 hours, or a week
    int at = 0;        // the GMT second of the movement on that clock, 0 .. period - 1
    double weight = 0; // the traffic percent as a share, held within 0 .. 1
    // As the board shows them: the aircraft's title (with " (not installed)" for a missing one; the
    // number as written when neither aircraft table has it), the airport at the leg's other end in
    // upper case and its name, the percent without "%", and the flight rules.
    std::string flightNumber, tail, aircraft, airport, airportName, percent, rules;
};

// An aircraft on the ground from an arrival to the departure of the flight's next leg.
struct GroundStay {
    int period = 0; // as in AirportMovement
    int from = 0;   // the arrival, on the period's clock
    int length = 0; // seconds until the departure: 0 .. period - 1
};

struct AirportTraffic {
    std::string code;                       // upper case
    std::vector<AirportMovement> movements; // by flight, then by leg; a leg's departure before its arrival
    std::vector<GroundStay> stays;
    int unreadableFlights = 0;
};

// The traffic of the airport code (letter case ignored) over every non-empty flight.
AirportTraffic CollectAirportTraffic(const TrafficDatabase& db, std::string_view code);

} // namespace corvane
