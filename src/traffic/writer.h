#pragma once
// Writing the TrafficDatabase back as text: the three databases of the traffic compiler and the
// project file. Writing is not a plain dump:
//  - aircraft are renumbered AC#1, AC#2, ... in the order in which flights first use them, and only
//    aircraft that flights use are written (in ascending order of the new numbers);
//  - only airports that flights use are written, sorted by their line text with letter case ignored;
//  - a flight whose aircraft or airport is unknown, or whose aircraft flies slower than 10 knots, is
//    dropped: its entry in the flight list becomes the empty text. An unknown aircraft or airport is
//    reported once per write.
// The section writers change the flight list handed to them in place (new numbers, dropped entries),
// so they must run in the order aircraft, airports, flights.

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

class Progress;
class Prompts;
class TrafficDatabase;

// The number a flight line's aircraft field stands for, as the writer looks the aircraft up ("AC#" and
// this): the text from its fourth character up to the first comma, read as a number and written
// canonically (AC#007 and AC#7 both give "7"; AC#x gives "0").
std::string AircraftKey(std::string_view line);

// Appends the aircraft lines to out. Unless writeOnly, the aircraft tables and the aircraft combo are
// rebuilt from what was written, and AddInstalledAircraft runs.
void WriteAircraftSection(std::string& out, std::vector<std::string>& flights, bool writeOnly,
                          TrafficDatabase& db, Prompts& prompts, Progress& progress);
// Appends the airport lines to out: ICAO, latitude, longitude, elevation, and unless shortLines also
// name and country.
void WriteAirportSection(std::string& out, std::vector<std::string>& flights, bool shortLines,
                         const TrafficDatabase& db, Prompts& prompts, Progress& progress);
// Appends the non-empty flight lines to out.
void WriteFlightSection(std::string& out, const std::vector<std::string>& flights, Progress& progress);

// The project file's header and section comments.
inline constexpr const char* kProjectHeader = "// Corvane Project File";
inline constexpr const char* kAircraftComment = "// Corvane Aircraft Database";
inline constexpr const char* kAirportComment = "// Corvane Airport Database";
inline constexpr const char* kFlightComment = "// Corvane Flight Database";

// The whole project file for flights, in its layout: header, two empty lines, the aircraft comment and
// section, two empty lines, the airport comment and section (full lines), two empty lines, the flight
// comment and section.
std::string ProjectFileBytes(std::vector<std::string>& flights, bool writeOnly, TrafficDatabase& db,
                             Prompts& prompts, Progress& progress);

// Writes the project file at path from the FlightTable (atomically). A failed write is reported and
// returns false; the tables have been renumbered either way.
bool WriteProjectFile(TrafficDatabase& db, const std::string& path, Prompts& prompts, Progress& progress);

// Writes Aircraft.txt, Airports.txt (short lines) and FlightPlans.txt into folder for the traffic
// compiler. A failed write is reported and returns false.
bool WriteTrafficFiles(TrafficDatabase& db, const std::string& folder, Prompts& prompts, Progress& progress);

} // namespace corvane
