#pragma once
// The flight time of a leg: great-circle distance between two airports on a sphere (one minute of arc
// is one nautical mile), flown at the aircraft's cruise speed, plus a fixed allowance of 900 seconds.

#include <optional>
#include <string_view>

namespace corvane {

class AirportTable;

inline constexpr double kLegAllowanceSeconds = 900;

// A coordinate text (hemisphere letter, degrees, "* ", minutes, "'", as N47* 27.6') as signed degrees:
// south latitudes and east longitudes are negative. A text without "*" has no minutes.
double CoordinateDegrees(std::string_view coordinate);

// The central angle in radians between two positions whose cosine is x: arctan(-x / sqrt(1 - x^2)) +
// 2 arctan(1), and for |x| >= 1 (identical or antipodal positions) exactly 0 or pi.
double CentralAngle(double x);

// A position read from its coordinate texts, in radians, with the sine and cosine of its latitude: what
// the flight time needs of an airport, worked out once for the airport instead of once per leg.
struct GeoPosition {
    double latitude = 0, longitude = 0;
    double sinLatitude = 0, cosLatitude = 1;
};
GeoPosition PositionOf(std::string_view latitude, std::string_view longitude);
// The position of an airport of the table; nullopt for row -1 and for an airport without a coordinate.
std::optional<GeoPosition> AirportPosition(const AirportTable& airports, int row);

// Seconds, fraction included, to fly from the first position to the second at speed knots; speed must
// not be 0. Identical positions give the allowance alone. Both forms give the same result to the bit.
double FlightSeconds(const GeoPosition& departure, const GeoPosition& destination, double speed);
double FlightSeconds(std::string_view depLat, std::string_view depLon, std::string_view desLat,
                     std::string_view desLon, double speed);

// The whole seconds proposed for the leg from one airport to another at speed knots: FlightSeconds
// truncated toward zero, at most INT_MAX. nullopt when no time can be proposed: a leg from an airport
// to itself (the same code, letter case ignored), an airport without position (null), a speed that is
// not above 0. The legs editor, the traffic check and the bulk retime all propose through this.
std::optional<int> ProposedLegSeconds(std::string_view fromCode, const GeoPosition* from,
                                      std::string_view toCode, const GeoPosition* to, double speed);

} // namespace corvane
