#include "schedule/flighttime.h"

#include "schedule/portablemath.h"
#include "traffic/fields.h"
#include "traffic/numbers.h"
#include "traffic/text.h"

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

double CentralAngle(double x) {
    // Identical or antipodal positions give +-1, and rounding can carry x a hair beyond; there the
    // arctangent form divides by zero or takes the root of a negative number.
    if (x >= 1) return 0;
    if (x <= -1) return 4 * PortableAtan(1.0);
    // The arc cosine in its arctangent form. It differs from std::acos in the last bits, which is enough
    // to move some legs across a whole second; the times proposed must be those of this form, and the
    // same on every system (hence the portable functions).
    return PortableAtan(-x / std::sqrt(1 - x * x)) + 2 * PortableAtan(1.0);
}

double FlightSeconds(std::string_view depLat, std::string_view depLon, std::string_view desLat,
                     std::string_view desLon, double speed) {
    const double pi = 4 * PortableAtan(1.0);
    const double toRadians = 2 * pi / 360;
    const double lat1 = CoordinateDegrees(depLat) * toRadians, lon1 = CoordinateDegrees(depLon) * toRadians;
    const double lat2 = CoordinateDegrees(desLat) * toRadians, lon2 = CoordinateDegrees(desLon) * toRadians;
    // Cosine of the central angle (spherical law of cosines).
    const double x = PortableSin(lat1) * PortableSin(lat2) +
                     PortableCos(lat1) * PortableCos(lat2) * PortableCos(lon1 - lon2);
    const double angle = CentralAngle(x);
    const double nauticalMiles = angle * 180 * 60 / pi;
    return nauticalMiles / (speed / 3600) + kLegAllowanceSeconds;
}

} // namespace corvane
