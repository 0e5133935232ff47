#pragma once
// The merge of a project file into the loaded tables (typically the installed traffic): aircraft are
// matched by title and get new numbers where needed, airports are matched by ICAO code (the loaded
// airport wins), and the file's flights are appended, sorted by their text, with their aircraft
// numbers translated. Flights are never matched: importing a file twice adds its flights twice.
//
// An aircraft of the file that neither aircraft table holds becomes a new aircraft with the first free
// number: an AircraftTable row when it is installed in the simulator, a MissingAircraftTable row (an
// unknown aircraft, to be associated) otherwise.

#include <optional>
#include <string>
#include <string_view>

namespace corvane {

class Progress;
class Prompts;
class TrafficDatabase;
struct Session;

// The whole import file, or nullopt after reporting why it cannot be read (or would merge nothing: see
// ProjectFileProblem).
std::optional<std::string> ReadImportFile(const std::string& path, Prompts& prompts);

// Merges the bytes of a project file into db, then runs AddInstalledAircraft.
void ImportProjectBytes(TrafficDatabase& db, std::string_view bytes, Progress& progress);

// Reads the whole file first, then merges it: a file that cannot be read is reported, returns false and
// changes nothing.
bool ImportProject(TrafficDatabase& db, const std::string& path, Prompts& prompts, Progress& progress);
bool ImportProject(Session& session, const std::string& path);

} // namespace corvane
