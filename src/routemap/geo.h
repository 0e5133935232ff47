#pragma once
// Positions on the map: longitude east-positive (-180 .. 180) and latitude north-positive (-90 .. 90)
// in degrees. The coordinate texts of the airport table count east and south negative; that sign
// turns here, once, and nowhere else.

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace corvane {

struct GeoPoint {
    double lon = 0;
    double lat = 0;
    bool operator==(const GeoPoint&) const = default;
};

// The smallest box holding the points added; empty until the first.
struct GeoBounds {
    double west = 0, south = 0, east = 0, north = 0;
    bool empty = true;
    void add(GeoPoint p);
};

// Lines of points stored end to end: land rings, route arcs.
struct Polylines {
    std::vector<GeoPoint> points;
    std::vector<std::size_t> ends; // one past the last point of each line

    std::size_t lineCount() const { return ends.size(); }
    std::span<const GeoPoint> line(std::size_t i) const {
        const std::size_t begin = i == 0 ? 0 : ends[i - 1];
        return {points.data() + begin, ends[i] - begin};
    }
    // Ends the line begun after the previous end; a line of fewer than two points, or of two equal ones,
    // is dropped.
    void endLine();
    void clear() {
        points.clear();
        ends.clear();
    }
};

// The position of an airport from its CoordinateText cells (N47* 26.94', W122* 18.55'); nullopt when a
// cell is empty or the latitude lies beyond a pole. Longitudes beyond 180 degrees are wrapped.
std::optional<GeoPoint> AirportPosition(std::string_view latitude, std::string_view longitude);

} // namespace corvane
