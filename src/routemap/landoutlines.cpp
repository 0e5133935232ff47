#include "routemap/landoutlines.h"

#include "platform/paths.h"
#include "platform/textfile.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <span>
#include <vector>

namespace corvane {

namespace {

void SkipBlanks(std::string_view& text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
}

std::optional<double> TakeNumber(std::string_view& text) {
    SkipBlanks(text);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || !std::isfinite(value)) return std::nullopt;
    text.remove_prefix(static_cast<std::size_t>(end - text.data()));
    return value;
}

// One point "lon lat" and what follows it up to the next ";".
std::optional<GeoPoint> TakePoint(std::string_view& text) {
    const auto lon = TakeNumber(text);
    if (!lon) return std::nullopt;
    const auto lat = TakeNumber(text);
    if (!lat || std::abs(*lon) > 180 || std::abs(*lat) > 90) return std::nullopt;
    SkipBlanks(text);
    if (!text.empty()) {
        if (text.front() != ';') return std::nullopt;
        text.remove_prefix(1);
    }
    return GeoPoint{*lon, *lat};
}

// The step from one longitude to the next, taken the short way round: -180 .. 180.
double ShortStep(double from, double to) {
    const double step = to - from;
    return step - 360 * std::round(step / 360);
}

bool CrossesMeridian(std::span<const GeoPoint> ring) {
    for (std::size_t i = 0; i < ring.size(); ++i)
        if (std::abs(ring[(i + 1) % ring.size()].lon - ring[i].lon) > 180) return true;
    return false;
}

// The part of a closed polygon on one side of the meridian at lon (east of it when east is set, else
// west); where the polygon leaves that side and comes back, the part runs along the meridian.
std::vector<GeoPoint> ClipAtLongitude(const std::vector<GeoPoint>& polygon, double lon, bool east) {
    const auto inside = [&](GeoPoint p) { return east ? p.lon >= lon : p.lon <= lon; };
    const auto crossing = [&](GeoPoint a, GeoPoint b) {
        const double t = (lon - a.lon) / (b.lon - a.lon);
        return GeoPoint{lon, std::clamp(a.lat + t * (b.lat - a.lat), -90.0, 90.0)};
    };
    std::vector<GeoPoint> part;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const GeoPoint previous = polygon[(i + polygon.size() - 1) % polygon.size()], current = polygon[i];
        if (inside(current)) {
            if (!inside(previous)) part.push_back(crossing(previous, current));
            part.push_back(current);
        } else if (inside(previous)) {
            part.push_back(crossing(previous, current));
        }
    }
    return part;
}

// A ring that crosses the 180th meridian would be drawn as bands across the whole map. It is unwrapped
// (every step the short way, longitudes running on past 180), closed along the pole when it goes round
// one (Antarctica), and cut at the meridian: each piece is moved into -180 .. 180 and appended alone.
// False, with nothing appended, for a ring that winds round the world more than once, which no land
// does (and whose pieces could be as many as its points).
bool AppendSplitRing(std::span<const GeoPoint> ring, Polylines& rings) {
    std::vector<GeoPoint> unwrapped{ring.front()};
    for (std::size_t i = 1; i < ring.size(); ++i)
        unwrapped.push_back({unwrapped.back().lon + ShortStep(ring[i - 1].lon, ring[i].lon), ring[i].lat});
    const GeoPoint first = unwrapped.front();
    const double around = unwrapped.back().lon + ShortStep(ring.back().lon, first.lon) - first.lon;
    if (std::abs(around) > 180) {
        double latitudes = 0;
        for (GeoPoint p : ring) latitudes += p.lat;
        const double pole = latitudes < 0 ? -90 : 90; // the nearer one
        const GeoPoint back{first.lon + around, first.lat};
        if (!(unwrapped.back() == back)) unwrapped.push_back(back);
        // Along the pole in steps of a quarter turn, so that no edge spans more than half the world.
        for (int quarter = 0; quarter <= 4; ++quarter)
            unwrapped.push_back({back.lon - around * quarter / 4, pole});
    }
    double west = first.lon, east = first.lon;
    for (GeoPoint p : unwrapped) {
        west = std::min(west, p.lon);
        east = std::max(east, p.lon);
    }
    if (east - west > 720) return false;
    // Every whole turn that brings a part of the polygon into -180 .. 180.
    for (double shift = 360 * std::floor((-180 - east) / 360) + 360; west + shift < 180; shift += 360) {
        std::vector<GeoPoint> moved = unwrapped;
        for (GeoPoint& p : moved) p.lon += shift;
        const auto piece = ClipAtLongitude(ClipAtLongitude(moved, -180, true), 180, false);
        if (piece.size() < 3) continue;
        rings.points.insert(rings.points.end(), piece.begin(), piece.end());
        rings.endLine();
    }
    return true;
}

// Appends the ring of line to rings (cut at the 180th meridian when it crosses it); false, with nothing
// appended, when the line is not a ring.
bool AppendRing(std::string_view line, Polylines& rings) {
    std::vector<GeoPoint> ring;
    for (SkipBlanks(line); !line.empty(); SkipBlanks(line)) {
        const auto point = TakePoint(line);
        if (!point) return false;
        ring.push_back(*point);
    }
    if (ring.size() < 3) return false;
    if (CrossesMeridian(ring)) return AppendSplitRing(ring, rings);
    rings.points.insert(rings.points.end(), ring.begin(), ring.end());
    rings.endLine();
    return true;
}

} // namespace

LandOutlines ReadLandOutlines(std::string_view bytes) {
    LandOutlines land;
    LineCursor lines(bytes);
    std::string_view line;
    while (lines.next(line)) {
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        std::string_view rest = line;
        SkipBlanks(rest);
        if (rest.empty() || rest.front() == '#') continue;
        if (!AppendRing(rest, land.rings)) ++land.skippedLines;
    }
    return land;
}

std::optional<LandOutlines> LoadLandOutlines(const std::string& programFolder, std::string* error) {
    const std::string path = programFolder + "land.txt";
    const auto bytes = ReadFileBytes(FindPath(path).value_or(path), error);
    if (!bytes) return std::nullopt;
    return ReadLandOutlines(*bytes);
}

} // namespace corvane
