#include "routemap/greatcircle.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace corvane {

namespace {

using Vector = std::array<double, 3>;

constexpr double kRadians = std::numbers::pi / 180;

Vector UnitVector(GeoPoint p) {
    const double lat = p.lat * kRadians, lon = p.lon * kRadians;
    return {std::cos(lat) * std::cos(lon), std::cos(lat) * std::sin(lon), std::sin(lat)};
}

GeoPoint PointOf(const Vector& v) {
    return {std::atan2(v[1], v[0]) / kRadians, std::atan2(v[2], std::hypot(v[0], v[1])) / kRadians};
}

double Dot(const Vector& a, const Vector& b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

double Length(const Vector& v) {
    return std::sqrt(Dot(v, v));
}

// Appends p, first ending the line at the 180th meridian and beginning a new one when the step from
// the last point crosses it.
void AppendCutting(GeoPoint p, Polylines& lines) {
    const GeoPoint last = lines.points.back();
    // On the meridian itself 180 and -180 are one place: the line stays on its side.
    if (std::abs(p.lon) == 180 && std::abs(p.lon - last.lon) > 180) p.lon = -p.lon;
    if (std::abs(p.lon - last.lon) > 180) {
        const double side = last.lon > 0 ? 180 : -180; // the meridian seen from last
        const double unwrapped = p.lon + 2 * side;     // p beyond it
        const double t = (side - last.lon) / (unwrapped - last.lon);
        const double lat = last.lat + t * (p.lat - last.lat);
        lines.points.push_back({side, lat});
        lines.endLine();
        lines.points.push_back({-side, lat});
    }
    lines.points.push_back(p);
}

} // namespace

double ArcDegrees(GeoPoint from, GeoPoint to) {
    const Vector a = UnitVector(from), b = UnitVector(to);
    const Vector cross{a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
    return std::atan2(Length(cross), Dot(a, b)) / kRadians;
}

void AppendGreatCircle(GeoPoint from, GeoPoint to, Polylines& lines) {
    const double degrees = ArcDegrees(from, to);
    if (degrees == 0) return;
    const Vector a = UnitVector(from), b = UnitVector(to);
    // The arc is cos(t) a + sin(t) u for t from 0 to its angle, u the unit vector in the arc's plane
    // at right angles to a.
    const double along = Dot(a, b);
    Vector u{b[0] - along * a[0], b[1] - along * a[1], b[2] - along * a[2]};
    double length = Length(u);
    if (length < 1e-12) {
        // Antipodal: towards the pole nearer to from (north when from is on the equator).
        const double lat = from.lat * kRadians, lon = from.lon * kRadians;
        const double toward = from.lat < 0 ? -1 : 1;
        u = {-toward * std::sin(lat) * std::cos(lon), -toward * std::sin(lat) * std::sin(lon),
             toward * std::cos(lat)};
        length = Length(u);
    }
    for (double& c : u) c /= length;

    const int steps = std::max(1, static_cast<int>(std::ceil(degrees / kArcStepDegrees)));
    const double angle = degrees * kRadians;
    lines.points.push_back(from);
    for (int k = 1; k < steps; ++k) {
        const double t = angle * k / steps;
        const double c = std::cos(t), s = std::sin(t);
        AppendCutting(PointOf({c * a[0] + s * u[0], c * a[1] + s * u[1], c * a[2] + s * u[2]}), lines);
    }
    AppendCutting(to, lines);
    lines.endLine();
}

LineMiddle MiddleOf(const Polylines& lines, std::size_t first, std::size_t last) {
    // Steps inside each line; the jump from one line to the next is no part of the arc.
    auto forEachStep = [&](auto visit) {
        for (std::size_t l = first; l < last; ++l) {
            const auto line = lines.line(l);
            for (std::size_t i = 1; i < line.size(); ++i)
                if (!visit(line[i - 1], line[i])) return;
        }
    };
    double total = 0;
    forEachStep([&](GeoPoint a, GeoPoint b) {
        total += std::hypot(b.lon - a.lon, b.lat - a.lat);
        return true;
    });
    LineMiddle middle;
    if (first < last) middle.at = lines.line(first).front();
    double left = total / 2;
    forEachStep([&](GeoPoint a, GeoPoint b) {
        const double east = b.lon - a.lon, north = b.lat - a.lat;
        const double step = std::hypot(east, north);
        if (step == 0) return true;
        const double f = std::min(1.0, left / step);
        middle = {{a.lon + f * east, a.lat + f * north}, east, north};
        left -= step;
        return left > 0;
    });
    return middle;
}

} // namespace corvane
