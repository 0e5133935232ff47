// land.txt on any bytes: every ring kept has three points or more inside the map's range and no edge
// across more than half the map, and the great-circle arcs between its points never jump across the
// map and end where they should.

#include "fuzzinput.h"
#include "routemap/greatcircle.h"
#include "routemap/landoutlines.h"

#include <cmath>

namespace {

// 180 and -180 are one meridian.
bool SamePlace(corvane::GeoPoint a, corvane::GeoPoint b) {
    return a.lat == b.lat && (a.lon == b.lon || (std::abs(a.lon) == 180 && a.lon == -b.lon));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace corvane;
    const LandOutlines land = ReadLandOutlines(InputText(data, size));
    const Polylines& rings = land.rings;
    Require(land.skippedLines >= 0, "a count of skipped lines");
    Require(rings.ends.empty() || rings.ends.back() == rings.points.size(), "the last ring ends the points");
    std::size_t arcs = 0;
    for (std::size_t r = 0; r < rings.lineCount(); ++r) {
        const auto ring = rings.line(r);
        Require(ring.size() >= 3, "a ring has three points");
        for (std::size_t i = 0; i < ring.size(); ++i) {
            const GeoPoint p = ring[i];
            Require(std::isfinite(p.lon) && std::isfinite(p.lat) && std::abs(p.lon) <= 180 &&
                        std::abs(p.lat) <= 90,
                    "points inside the map");
            Require(std::abs(ring[(i + 1) % ring.size()].lon - p.lon) <= 180, "no edge across the map");
            if (i == 0 || ++arcs > 64) continue;
            Polylines arc;
            AppendGreatCircle(ring[i - 1], p, arc);
            if (arc.lineCount() == 0) continue;
            Require(arc.lineCount() <= 2, "an arc is cut once at most");
            Require(SamePlace(arc.line(0).front(), ring[i - 1]) &&
                        SamePlace(arc.line(arc.lineCount() - 1).back(), p),
                    "an arc ends where it should");
            for (std::size_t l = 0; l < arc.lineCount(); ++l) {
                const auto line = arc.line(l);
                for (std::size_t k = 1; k < line.size(); ++k)
                    Require(std::abs(line[k].lon - line[k - 1].lon) <= 180 && std::abs(line[k].lat) <= 90,
                            "no step jumps across the map");
            }
        }
    }
    return 0;
}
