#pragma once
// What the main window's status bar says after a command has done its work: plain sentences, file
// names between single apostrophes. A command that fails says so in a message instead; the status
// bar then says nothing.

#include "filters/flightfilter.h"
#include "filters/reroute.h"
#include "filters/retime.h"

#include <string>
#include <string_view>

namespace corvane {

class TrafficDatabase;

// The last component of a path ('/' or '\' before it).
std::string FileNameOf(std::string_view path);

// "'Europe.cvp' opened: 320 flights, 36950 airports and 14 aircraft"; name is "Traffic.bgl" for the
// installed traffic.
std::string OpenedStatus(std::string_view name, const TrafficDatabase& db);
// "New project: 36950 airports and 14 aircraft".
std::string NewProjectStatus(const TrafficDatabase& db);
// "Project saved as 'Europe.cvp'".
std::string SavedStatus(std::string_view path);
// "Traffic.bgl compiled; the old file is in Traffic Backup as 'Traffic (07.12.26 - 06.31).bgl'", or
// without a backup path (there was no old file) "Traffic.bgl compiled; there was no old file to back
// up".
std::string CompiledStatus(std::string_view backupPath);
// "'Summer.cvp' imported into Traffic.bgl; the old file is in Traffic Backup as '...'".
std::string ImportedStatus(std::string_view projectPath, std::string_view backupPath);
// "'Summer.cvp' merged into the installed traffic: associate its 2 unknown aircraft, then compile".
std::string MergedStatus(std::string_view projectPath, int unknownAircraft);
// "Map image saved as 'map.png'", "Board chart saved as 'board.png'" (what: "Map image", "Board chart").
std::string ImageStatus(std::string_view what, std::string_view path);
// What a filter run did to flights flights (value: the dialog's value field): "3 flights deleted",
// "Traffic percent of 3 flights set to 50%", "Departure times of 3 flights shifted by -1 hour".
std::string FilterStatus(FilterMode mode, std::string_view value, int flights);
// What a move of an airport's traffic did: "Traffic of ESSA moved to EKCH: 3 flights with 6 legs", then
// "; 2 flights left as they are" and "; ESSA removed from the airport table" where so.
std::string RerouteStatus(std::string_view from, std::string_view to, const ReroutePlan& plan,
                          OldAirport old);
// "Arrival times of 6 legs in 3 flights set from the cruise speeds", then "; 2 legs kept theirs" where so.
std::string RetimeStatus(const RetimeCounts& counts);
// "Proposed arrival used on 2 legs".
std::string ProposedArrivalStatus(int legs);
// "'Jumbo' associated with 'Boeing 747-400' in 12 flights".
std::string AssociatedStatus(std::string_view unknown, std::string_view chosen, int flights);

} // namespace corvane
