#pragma once
// Paths are host paths. The file and folder names Corvane looks for (tcompiler.exe, aircraft.cfg,
// SCENEDB/ATC/Scenery/traffic.bgl, ...) come from a Windows world where case does not matter, so
// every lookup here matches names without regard to case on a case-sensitive file system. The names
// found come back as the file system stores them (on Windows, too, whatever spelling was asked for).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

inline constexpr char kSeparator = '/';

// path with one separator at its end (unchanged when it already ends in one).
std::string WithSeparator(std::string_view path);

// The existing path that matches path with every component compared without regard to case (an exact
// match wins; among several case variants the first in byte order), or nullopt. A path longer than
// the system allows names nothing.
std::optional<std::string> FindPath(std::string_view path);

// The names of the entries of folder that equal name without regard to case, in byte order.
std::vector<std::string> NamesIgnoringCase(const std::string& folder, std::string_view name);

// True when path names an existing file; when fileOnly is false, also when it names a folder. An
// empty path, and a path that ends in two separators, is never found. Errors read as false.
bool PathExists(std::string_view path, bool fileOnly);

} // namespace corvane
