#include "routemap/landoutlines.h"

#include "traffic/paths.h"
#include "traffic/textfile.h"

#include <charconv>
#include <cmath>

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

// Appends the ring of line to rings; false, with nothing appended, when the line is not a ring.
bool AppendRing(std::string_view line, Polylines& rings) {
    const std::size_t begin = rings.points.size();
    std::size_t count = 0;
    for (SkipBlanks(line); !line.empty(); SkipBlanks(line)) {
        const auto point = TakePoint(line);
        if (!point) {
            rings.points.resize(begin);
            return false;
        }
        rings.points.push_back(*point);
        ++count;
    }
    if (count < 3) {
        rings.points.resize(begin);
        return false;
    }
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
