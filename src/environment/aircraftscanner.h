#pragma once
// The installed-aircraft scan: every aircraft.cfg in the simulator's "aircraft" folder and in its
// direct subfolders gives one InstalledAircraftTable row per variant section "fltsim.N", all with the
// file's cruise speed.

#include "traffic/prompts.h"

#include <optional>
#include <string_view>

namespace corvane {

class InstalledAircraftTable;
class Progress;

inline constexpr std::string_view kAircraftScanTitle = "Searching for FS2002 aircraft";
// A file may hold variants fltsim.0 to fltsim.998; reaching this number stops the program.
inline constexpr int kVariantLimit = 1000;

struct AircraftScanResult {
    // Set when a file reached the variant limit: the caller shows the message and ends the program.
    std::optional<Prompt> overflow;
};

// Fills fsAirLst from the aircraft folder of fsFolder (a folder ending in the separator); subfolders
// are scanned in the order of their names, letter case ignored. On overflow the rows read so far stay.
[[nodiscard]] AircraftScanResult GetFSAircraft(std::string_view fsFolder, InstalledAircraftTable& fsAirLst,
                                               Progress& progress);

// Puts every current cruise speed back to the default one.
void ResetFSAircraftSpeeds(InstalledAircraftTable& fsAirLst);

} // namespace corvane
