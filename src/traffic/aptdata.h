#pragma once
// apt.dat, Corvane's own airport list: one airport per line, six comma-separated fields (ICAO code,
// latitude, longitude, elevation, name, country). Merging it gives every traffic set every airport,
// and fills in the names and countries that loaded airports lack.

#include <string>
#include <string_view>
#include <unordered_set>

namespace corvane {

class Progress;
class Prompts;
class TrafficDatabase;

// Upper-cased ICAO codes.
using CodeSet = std::unordered_set<std::string>;

// Adds every airport of the file whose code is not in loadedCodes to the AirportTable and the airport
// combos; an airport in loadedCodes whose name is empty or "-" gets the file's name and country.
// Codes are compared as whole codes, letter case ignored.
void ReadAptBytes(TrafficDatabase& db, std::string_view bytes, const CodeSet& loadedCodes,
                  Progress& progress);
// The same with the airports of the AirportTable as the loaded ones (the merge at the end of a read,
// into the tables it filled; a new project's empty table takes every airport).
void MergeAptBytes(TrafficDatabase& db, std::string_view bytes, Progress& progress);
// MergeAptBytes of the file at path. A file that cannot be read is reported.
bool ReadAptData(TrafficDatabase& db, const std::string& path, Prompts& prompts, Progress& progress);

} // namespace corvane
