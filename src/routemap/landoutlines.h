#pragma once
// The land outlines drawn under the route map (land.txt beside the program): one closed ring a line,
// points "lon lat" in degrees separated by ";", lines beginning with "#" are comments. Outer rings and
// holes alike, to be filled with the even-odd rule. A ring that crosses the 180th meridian is read as
// its pieces on either side of it (one going round a pole closed along the pole), so that no edge of
// the rings read spans more than 180 degrees of longitude and a flat map draws them as they are.

#include "routemap/geo.h"

#include <optional>
#include <string>
#include <string_view>

namespace corvane {

struct LandOutlines {
    Polylines rings;
    // Lines that are neither comments nor blank and were left out: a point that is not two numbers
    // inside the map's range, fewer than three points, or a ring that winds round the world more than
    // once.
    int skippedLines = 0;
};

LandOutlines ReadLandOutlines(std::string_view bytes);

// land.txt of the program folder (ending in the separator), its name found without regard to case;
// nullopt with error set when it cannot be read.
std::optional<LandOutlines> LoadLandOutlines(const std::string& programFolder, std::string* error = nullptr);

} // namespace corvane
