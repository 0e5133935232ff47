#include "routemap/geo.h"

#include "schedule/flighttime.h"

#include <algorithm>
#include <cmath>

namespace corvane {

void GeoBounds::add(GeoPoint p) {
    if (empty) {
        west = east = p.lon;
        south = north = p.lat;
        empty = false;
        return;
    }
    west = std::min(west, p.lon);
    east = std::max(east, p.lon);
    south = std::min(south, p.lat);
    north = std::max(north, p.lat);
}

void Polylines::endLine() {
    const std::size_t begin = ends.empty() ? 0 : ends.back();
    const bool degenerate =
        points.size() - begin < 2 || (points.size() - begin == 2 && points[begin] == points.back());
    if (degenerate)
        points.resize(begin);
    else
        ends.push_back(points.size());
}

std::optional<GeoPoint> AirportPosition(std::string_view latitude, std::string_view longitude) {
    if (latitude.empty() || longitude.empty()) return std::nullopt;
    const double lat = CoordinateDegrees(latitude);
    // West is positive in the coordinate texts.
    double lon = -CoordinateDegrees(longitude);
    if (!std::isfinite(lat) || !std::isfinite(lon) || std::abs(lat) > 90) return std::nullopt;
    if (std::abs(lon) > 180) lon = std::remainder(lon, 360.0);
    return GeoPoint{lon, lat};
}

} // namespace corvane
