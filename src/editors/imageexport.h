#pragma once
// File > "Export Map Image..." and "Export Board Chart...": a PNG of the route map or of the airport
// board's chart. The file name is asked for (".png" is added to a name without an extension),
// replacing a file is asked about, and the file is written atomically, so that a failed export leaves
// an old file whole.

#include <functional>
#include <optional>
#include <string>

namespace corvane {

class Prompts;

inline constexpr const char* kPngFilter = "PNG Image (*.png)|*.png";

// What an export is called: the file dialog's title, the name it proposes, what a picture that cannot
// be made is said to be, and what the status bar calls the file saved.
struct ImageExport {
    const char* title;
    const char* fileName;
    const char* failure;
    const char* saved;
};
inline constexpr ImageExport kMapImage{"Export Map Image", "map.png",
                                       "The picture of the map could not be made.", "Map image"};
inline constexpr ImageExport kBoardChartImage{"Export Board Chart", "board.png",
                                              "The picture of the chart could not be made.", "Board chart"};

// encode makes the picture's PNG bytes, or nullopt when it cannot. The path written, or nullopt when
// the user cancelled or the export failed (the failure has been shown).
std::optional<std::string> ExportImage(Prompts& prompts, const ImageExport& image,
                                       const std::function<std::optional<std::string>()>& encode);
inline std::optional<std::string> ExportMapImage(Prompts& prompts,
                                                 const std::function<std::optional<std::string>()>& encode) {
    return ExportImage(prompts, kMapImage, encode);
}

} // namespace corvane
