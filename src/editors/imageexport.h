#pragma once
// File > "Export Map Image...": a PNG of the route map. The file name is asked for (".png" is added
// to a name without an extension), replacing a file is asked about, and the file is written
// atomically, so that a failed export leaves an old file whole.

#include <functional>
#include <optional>
#include <string>

namespace corvane {

class Prompts;

inline constexpr const char* kPngFilter = "PNG Image (*.png)|*.png";

// encode makes the picture's PNG bytes, or nullopt when it cannot. The path written, or nullopt when
// the user cancelled or the export failed (the failure has been shown).
std::optional<std::string> ExportMapImage(Prompts& prompts,
                                          const std::function<std::optional<std::string>()>& encode);

} // namespace corvane
