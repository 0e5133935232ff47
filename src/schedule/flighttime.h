#pragma once
// The flight time of a leg: great-circle distance between two airports on a sphere (one minute of arc
// is one nautical mile), flown at the aircraft's cruise speed, plus a fixed allowance of 900 seconds.

#include <string_view>

namespace corvane {

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

// Seconds, fraction included, to fly from the first position to the second at speed knots; speed must
// not be 0. Identical positions give the allowance alone. Both forms give the same result to the bit.
double FlightSeconds(const GeoPosition& departure, const GeoPosition& destination, double speed);
double FlightSeconds(std::string_view depLat, std::string_view depLon, std::string_view desLat,
                     std::string_view desLon, double speed);

} // namespace corvane
