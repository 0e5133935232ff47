#pragma once
// The land outlines drawn under the route map (land.txt beside the program): one closed ring a line,
// points "lon lat" in degrees separated by ";", lines beginning with "#" are comments. Outer rings and
// holes alike, to be filled with the even-odd rule.

#include "routemap/geo.h"

#include <optional>
#include <string>
#include <string_view>

namespace corvane {

struct LandOutlines {
    Polylines rings;
    // Lines that are neither comments nor blank and were left out: a point that is not two numbers
    // inside the map's range, or fewer than three points.
    int skippedLines = 0;
};

LandOutlines ReadLandOutlines(std::string_view bytes);

// land.txt of the program folder (ending in the separator), its name found without regard to case;
// nullopt with error set when it cannot be read.
std::optional<LandOutlines> LoadLandOutlines(const std::string& programFolder, std::string* error = nullptr);

} // namespace corvane
