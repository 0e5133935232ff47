#pragma once
// Reading the traffic formats into the TrafficDatabase: the three text databases of the traffic tools
// and the project file that holds all three. Lines are recognised by what they contain, never by
// their position: a double quote marks an aircraft line, "*" an airport line, "%" a flight line.
//
// Both readers append to the tables; the caller empties them first. A file that cannot be read is
// reported through the prompts, and the tables are then left empty rather than half filled. So is a
// file that would read as nothing: text in UTF-16 or UTF-32, or a file that holds more than blanks but
// no line of a kind it should hold. A UTF-8 byte-order mark at the start of a file is skipped; lines
// may end in CR LF, LF or a lone CR.

#include <optional>
#include <string>
#include <string_view>

namespace corvane {

class Progress;
class Prompts;
class TrafficDatabase;

struct ReadOptions {
    // Aircraft that are not installed go into the AircraftTable like installed ones (true), or into
    // the MissingAircraftTable only (false).
    bool importMode = false;
    // At the end, merge the airport list at aptPath (when set) and run AddInstalledAircraft.
    bool complete = true;
    std::string aptPath;
};

// aircraft.txt, airports.txt and flightplans.txt of folder (names matched without regard to case).
bool ReadTrafficData(TrafficDatabase& db, const std::string& folder, const ReadOptions& options,
                     Prompts& prompts, Progress& progress);
bool ReadProjectFile(TrafficDatabase& db, const std::string& path, const ReadOptions& options,
                     Prompts& prompts, Progress& progress);

// The same, on bytes already in memory (the file readers, and the fuzz targets, use these).
void ReadTrafficBytes(TrafficDatabase& db, std::string_view aircraft, std::string_view airports,
                      std::string_view flights, const ReadOptions& options, Prompts& prompts,
                      Progress& progress);
void ReadProjectBytes(TrafficDatabase& db, std::string_view bytes, const ReadOptions& options,
                      Prompts& prompts, Progress& progress);

enum class LineKind { Other, Aircraft, Airport, Flight };

// The kind of a line of a project file, such that every line the writer makes reads back as its own
// kind whatever its free texts hold. A line ending in "," whose third field ends in "%" is a flight
// (50%); AC#n,speed,"title" is an aircraft. Other lines go by their markers: a double quote marks an
// aircraft line, except in a line whose second field holds a coordinate (an airport whose name has a
// quote) or that holds "%" and ends with "," (a flight); then "*" marks an airport and "%" a flight.
LineKind ClassifyProjectLine(std::string_view line);

// Receives the lines of a project file by their kind.
class ProjectLineHandler {
public:
    virtual ~ProjectLineHandler() = default;
    virtual void aircraft(std::string_view line) = 0;
    virtual void airport(std::string_view line) = 0;
    virtual void flight(std::string_view line) = 0;
};

// Hands each line of a project file's bytes to handler by its kind (other lines are skipped), showing
// the progress over the bytes.
void EachProjectLine(std::string_view bytes, Progress& progress, ProjectLineHandler& handler);

struct AircraftLine {
    std::string number;
    std::string speed;
    std::string title;
};

// Number, speed and title of an aircraft line: fields trimmed of blanks, the title's enclosing
// quotes removed by dropping the first and the last character of its field.
AircraftLine ParseAircraftLine(std::string_view line);

// The mark some editors put at the start of UTF-8 text, and bytes without it.
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
std::string_view WithoutByteOrderMark(std::string_view bytes);

// The encoding of text in UTF-16 or UTF-32, as its byte-order mark or the NUL bytes of its first lines
// show it ("UTF-16 (little-endian)"); the empty text for NUL bytes that fit neither; nullopt for text
// without NUL bytes, which is read as single-byte text.
std::optional<std::string> WideEncoding(std::string_view bytes);

// Why the bytes of the project file at path cannot be read (the message of "Error reading file", naming
// the file), or nullopt: text in another encoding, or text in which no line is an aircraft, an airport,
// a flight or a comment of the project layout.
std::optional<std::string> ProjectFileProblem(std::string_view bytes, const std::string& path);

// Reports a file that could not be read or written (title "Error reading file" or "Error writing file").
void ReportReadError(Prompts& prompts, const std::string& error);
void ReportWriteError(Prompts& prompts, const std::string& error);

} // namespace corvane
