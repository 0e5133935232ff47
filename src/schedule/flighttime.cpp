#include "schedule/flighttime.h"

#include "schedule/portablemath.h"
#include "traffic/fields.h"
#include "traffic/numbers.h"
#include "traffic/text.h"
#include "traffic/trafficdatabase.h"

#include <climits>
#include <cmath>

namespace corvane {

double CoordinateDegrees(std::string_view coordinate) {
    if (coordinate.empty()) return 0;
    const double degrees = NumericValue(coordinate.substr(1));
    const double minutes = NumericValue(LastField(coordinate, '*'));
    const double value = degrees + minutes / 60;
    const char hemisphere = UpperChar(coordinate.front());
    return hemisphere == 'S' || hemisphere == 'E' ? -value : value;
}

namespace {

// Pi as 4 arctan(1) with the portable arctangent, worked out once.
double Pi() {
    static const double pi = 4 * PortableAtan(1.0);
    return pi;
}

} // namespace

double CentralAngle(double x) {
    // Identical or antipodal positions give +-1, and rounding can carry x a hair beyond; there the
    // arctangent form divides by zero or takes the root of a negative number.
    if (x >= 1) return 0;
    if (x <= -1) return Pi();
    // The arc cosine in its arctangent form. It differs from std::acos in the last bits, which is enough
    // to move some legs across a whole second; the times proposed must be those of this form, and the
    // same on every system (hence the portable functions). 2 arctan(1) is pi / 2 exactly.
    return PortableAtan(-x / std::sqrt(1 - x * x)) + Pi() / 2;
}

GeoPosition PositionOf(std::string_view latitude, std::string_view longitude) {
    const double toRadians = 2 * Pi() / 360;
    GeoPosition position;
    position.latitude = CoordinateDegrees(latitude) * toRadians;
    position.longitude = CoordinateDegrees(longitude) * toRadians;
    position.sinLatitude = PortableSin(position.latitude);
    position.cosLatitude = PortableCos(position.latitude);
    return position;
}

std::optional<GeoPosition> AirportPosition(const AirportTable& airports, int row) {
    if (row < 0) return std::nullopt;
    const std::string& latitude = airports.cell(row, AirportTable::Latitude);
    const std::string& longitude = airports.cell(row, AirportTable::Longitude);
    if (latitude.empty() || longitude.empty()) return std::nullopt;
    return PositionOf(latitude, longitude);
}

double FlightSeconds(const GeoPosition& departure, const GeoPosition& destination, double speed) {
    // Cosine of the central angle (spherical law of cosines).
    const double x = departure.sinLatitude * destination.sinLatitude +
                     departure.cosLatitude * destination.cosLatitude *
                         PortableCos(departure.longitude - destination.longitude);
    const double angle = CentralAngle(x);
    const double nauticalMiles = angle * 180 * 60 / Pi();
    return nauticalMiles / (speed / 3600) + kLegAllowanceSeconds;
}

double FlightSeconds(std::string_view depLat, std::string_view depLon, std::string_view desLat,
                     std::string_view desLon, double speed) {
    return FlightSeconds(PositionOf(depLat, depLon), PositionOf(desLat, desLon), speed);
}

std::optional<int> ProposedLegSeconds(std::string_view fromCode, const GeoPosition* from,
                                      std::string_view toCode, const GeoPosition* to, double speed) {
    // A speed of 0 cannot be flown, and a negative one would give a negative flight time.
    if (!from || !to || !(speed > 0) || EqualsIgnoringCase(fromCode, toCode)) return std::nullopt;
    const double seconds = FlightSeconds(*from, *to, speed);
    if (!(seconds >= 0)) return std::nullopt; // not a number: no time to propose
    return seconds >= INT_MAX ? INT_MAX : static_cast<int>(seconds);
}

} // namespace corvane
