#pragma once
// How the stand-in tools find the simulator: the folder named by its registry value "EXE Path", which
// must hold fs2002.exe, and its traffic file below it. Names are matched without regard to case.

#include <optional>
#include <string>
#include <string_view>

namespace corvane {

class Registry;

inline constexpr std::string_view kSceneryFolder = "SCENEDB/ATC/Scenery";
inline constexpr std::string_view kTrafficBglName = "traffic.bgl";

// The simulator's main folder as a host path ending in the separator, or nullopt with error set.
std::optional<std::string> LocateSimulator(const Registry& registry, std::string* error);

// The existing traffic file of the simulator in fsFolder, or nullopt.
std::optional<std::string> FindTrafficBgl(const std::string& fsFolder);

// Where the traffic file of fsFolder is to be written: the existing file, or a new one in the scenery
// folder, whose missing folders are created. nullopt with error set when a folder cannot be made.
std::optional<std::string> TrafficBglForWriting(const std::string& fsFolder, std::string* error);

} // namespace corvane
