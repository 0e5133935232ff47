#pragma once
// Great-circle arcs for an equirectangular map: sampled densely enough to look curved, and cut where
// they cross the 180th meridian so that no line runs across the whole map.

#include "routemap/geo.h"

namespace corvane {

// The largest step between two samples of an arc, in degrees of arc.
inline constexpr double kArcStepDegrees = 2;

// The central angle between two positions, in degrees (0 .. 180).
double ArcDegrees(GeoPoint from, GeoPoint to);

// Appends the shorter great-circle arc from from to to as one line, or as two when it crosses the 180th
// meridian: the first ends on the meridian's side of from, the second begins on the other side at the
// same latitude. Both ends are the positions given (an end on the 180th meridian perhaps as -180
// instead of 180, or the other way round). Identical positions append nothing; for antipodal
// ones (any great circle is shortest) the arc over the nearer pole is taken.
void AppendGreatCircle(GeoPoint from, GeoPoint to, Polylines& lines);

// The point halfway along lines first .. last - 1 of lines (one arc, perhaps cut in two), by their
// length on the map, and the direction they run there in map degrees (east, north): where a leg's
// arrow goes.
struct LineMiddle {
    GeoPoint at;
    double east = 0;
    double north = 0;
};
LineMiddle MiddleOf(const Polylines& lines, std::size_t first, std::size_t last);

} // namespace corvane
