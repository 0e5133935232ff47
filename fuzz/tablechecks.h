#pragma once
// Invariants of the TrafficDatabase that every reader must keep, checked by the fuzz targets after
// each read, and the small set-ups the reader targets share.

#include "traffic/aptdata.h"

#include <string_view>

namespace corvane {

class TrafficDatabase;

// Aborts unless: every airport has its combo entry and every aircraft of the AircraftTable its
// aircraft combo entry; the sorted tables and lists are in order; and each indexed lookup of a row's
// own key finds the first row in table order with that key.
void CheckTables(const TrafficDatabase& db);

// The upper-cased codes of the AirportTable: what a reader hands to the apt.dat merge.
CodeSet LoadedCodes(const TrafficDatabase& db);

// Installs one aircraft per line of titles (speed 250), as the aircraft scan would.
void InstallTitles(TrafficDatabase& db, std::string_view titles);

} // namespace corvane
