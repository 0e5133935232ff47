#include "traffic/reader.h"

#include "traffic/aptdata.h"
#include "traffic/fields.h"
#include "traffic/numbers.h"
#include "traffic/paths.h"
#include "traffic/progress.h"
#include "traffic/prompts.h"
#include "traffic/text.h"
#include "traffic/textfile.h"
#include "traffic/trafficdatabase.h"
#include "traffic/writer.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <optional>

namespace corvane {

namespace {

// Progress over the bytes of one file: the lengths of the lines read so far (line ends not counted)
// against the file's length, rounded halves to even.
class ByteProgress {
public:
    ByteProgress(Progress& progress, std::size_t length)
        : m_ticker(progress)
        , m_length(static_cast<double>(length)) {}
    void line(std::string_view text) {
        m_read += static_cast<double>(text.size());
        if (m_length > 0) m_ticker.show(RoundToInt(m_read * 100 / m_length));
    }

private:
    ProgressTicker m_ticker;
    double m_length;
    double m_read = 0;
};

// The tables being filled by one read, in batches so that sorted tables are sorted once.
class Loader final : public ProjectLineHandler {
public:
    Loader(TrafficDatabase& db, const ReadOptions& options)
        : m_db(db)
        , m_options(options)
        , m_airports(db.airportTable())
        , m_missing(db.missingAircraftTable())
        , m_choices(db.aircraftChoices())
        , m_codes(db.airportCodes()) {}

    void aircraft(std::string_view line) override {
        AircraftLine a = ParseAircraftLine(line);
        InstalledAircraftTable& installed = m_db.installedAircraftTable();
        const int row = installed.findByTitle(a.title);
        if (row >= 0) installed.setCell(row, InstalledAircraftTable::Speed, a.speed);
        if (row < 0 && !m_options.importMode) {
            m_db.missingAircraftTable().add({std::move(a.title), std::move(a.speed), std::move(a.number)});
            return;
        }
        m_db.aircraftChoices().add(a.title);
        m_db.aircraftTable().add({std::move(a.number), std::move(a.speed), std::move(a.title)});
    }

    void airport(std::string_view line) override {
        TextTable::Row row;
        row.reserve(6);
        for (int field = 0; field < 6; ++field) row.push_back(Trim(TakeField(line, ',')));
        m_db.airportCodes().add(row[0]);
        m_db.airportTable().add(std::move(row));
    }

    // Room for the flight lines of bytes at most: one entry per line, so that the list grows once (a
    // list that doubles holds half as much again for nothing while it copies). Files of lone CR line
    // ends have no LF to count.
    void reserveFlights(std::string_view bytes) {
        const std::size_t lineFeeds = CountByte(bytes, '\n');
        m_flights.reserve(m_flights.size() + 1 + (lineFeeds > 0 ? lineFeeds : CountByte(bytes, '\r')));
    }
    void flight(std::string_view line) override { m_flights.emplace_back(line); }
    // The flights go into the FlightTable in one go.
    void finish() { m_db.flightTable().appendLines(std::move(m_flights)); }

private:
    TrafficDatabase& m_db;
    const ReadOptions& m_options;
    std::vector<std::string> m_flights;
    TextTable::Batch m_airports;
    TextTable::Batch m_missing;
    SortedList::Batch m_choices;
    SortedList::Batch m_codes;
};

// The airports of the tables are those the read loaded: apt.dat completes them.
void Complete(TrafficDatabase& db, const ReadOptions& options, Prompts& prompts, Progress& progress) {
    progress.show(99);
    if (!options.complete) return;
    if (!options.aptPath.empty()) ReadAptData(db, options.aptPath, prompts, progress);
    AddInstalledAircraft(db);
}

template <typename Handle> void EachLine(std::string_view bytes, Progress& progress, Handle handle) {
    bytes = WithoutByteOrderMark(bytes);
    ByteProgress byteProgress(progress, bytes.size());
    LineCursor lines(bytes);
    std::string_view line;
    while (lines.next(line)) {
        byteProgress.line(line);
        handle(line);
    }
}

// Runs a load; when memory runs out, the half-filled tables are emptied (which gives the memory back)
// and the read is reported as failed.
template <typename Load>
bool LoadWithinMemory(TrafficDatabase& db, const std::string& path, Prompts& prompts, Load load) {
    try {
        load();
        return true;
    } catch (const std::bad_alloc&) {
        db.clearTables();
        ReportReadError(prompts, "There is not enough memory to read ''" + path + "''.");
        return false;
    }
}

// The file name in folder, found without regard to case (its path goes to path); the error names the
// path looked for.
std::optional<std::string> ReadNamedFile(const std::string& folder, std::string_view name, std::string* path,
                                         std::string* error) {
    const std::string wanted = WithSeparator(folder) + std::string(name);
    const auto found = FindPath(wanted);
    if (!found) {
        *error = "Could not open ''" + wanted + "''\r\n" + std::strerror(ENOENT);
        return std::nullopt;
    }
    *path = *found;
    return ReadFileBytes(*found, error);
}

// A flight line as the editor and the writer make it: every field followed by ",", the third the traffic
// percent ("50%"). No airport or aircraft line has both.
bool HasFlightShape(std::string_view line) {
    if (line.empty() || line.back() != ',') return false;
    // The third field ends in "%" when the byte before the third comma is one (a walk over the short
    // first fields; every line of a file is tested).
    int commas = 0;
    for (std::size_t i = 0; i < line.size(); ++i)
        if (line[i] == ',' && ++commas == 3) return line[i - 1] == '%';
    return false;
}

// An aircraft line as the writer makes it: AC#n,speed,"title".
bool HasAircraftShape(std::string_view line) {
    const std::string_view number = GetFieldView(line, 1, ',');
    return number.size() > 3 && StartsWithIgnoringCase(number, "AC#") &&
           number.find_first_not_of("0123456789", 3) == std::string_view::npos &&
           GetFieldView(line, 3, ',').starts_with('"') && line.ends_with('"');
}

// The markers alone, for lines of any other shape: a double quote, unless the second field holds a
// coordinate (an airport whose name has a quote) or the line looks like a flight (it holds "%" and ends
// with ","); then "*" marks an airport and "%" a flight.
LineKind ClassifyByMarkers(std::string_view line) {
    if (Contains(line, '"')) {
        if (Contains(GetFieldView(line, 2, ','), '*')) return LineKind::Airport;
        if (Contains(line, '%') && line.back() == ',') return LineKind::Flight;
        return LineKind::Aircraft;
    }
    if (Contains(line, '*')) return LineKind::Airport;
    if (Contains(line, '%')) return LineKind::Flight;
    return LineKind::Other;
}

bool IsProjectComment(std::string_view line) {
    return line == kProjectHeader || line == kAircraftComment || line == kAirportComment ||
           line == kFlightComment;
}

// Whether any line of bytes passes recognised; the walk ends at the first that does, which in a file of
// the program's own is its first line.
template <typename Recognised> bool AnyLine(std::string_view bytes, Recognised recognised) {
    LineCursor lines(WithoutByteOrderMark(bytes));
    std::string_view line;
    while (lines.next(line))
        if (recognised(line)) return true;
    return false;
}

// More than blanks and line ends: a file that holds nothing else has nothing a read could miss.
bool HoldsText(std::string_view bytes) {
    return WithoutByteOrderMark(bytes).find_first_not_of(" \t\r\n") != std::string_view::npos;
}

std::string Quoted(const std::string& path) {
    return "''" + path + "''";
}

// A text file read as single-byte text must be in no other encoding; the message names the one it is in.
std::optional<std::string> EncodingProblem(std::string_view bytes, const std::string& path) {
    const auto encoding = WideEncoding(bytes);
    if (!encoding) return std::nullopt;
    if (encoding->empty())
        return Quoted(path) +
               " holds NUL bytes, which no text in Windows-1252 (ANSI) holds: it is not a text file "
               "Corvane can read.";
    return Quoted(path) + " is text in " + *encoding +
           ".\r\nCorvane reads text in Windows-1252 (ANSI) only: save the file in that encoding and open it "
           "again.";
}

// A database file of the traffic tools, whose lines of its kind hold marker.
std::optional<std::string> TrafficFileProblem(std::string_view bytes, const std::string& path, char marker,
                                              const char* kind) {
    if (auto problem = EncodingProblem(bytes, path)) return problem;
    if (!HoldsText(bytes) ||
        AnyLine(bytes, [marker](std::string_view line) { return Contains(line, marker); }))
        return std::nullopt;
    return Quoted(path) + " is not a database of the traffic tools: none of its lines is " + kind + ".";
}

} // namespace

LineKind ClassifyProjectLine(std::string_view line) {
    // A "*", "%" or quote in a tail number, flight number, name or title must not move a line the
    // writer made into another kind, so the shapes the writer gives flight and aircraft lines come first.
    if (HasFlightShape(line)) return LineKind::Flight;
    if (HasAircraftShape(line)) return LineKind::Aircraft;
    return ClassifyByMarkers(line);
}

AircraftLine ParseAircraftLine(std::string_view line) {
    AircraftLine a;
    a.number = Trim(TakeField(line, ','));
    a.speed = Trim(TakeField(line, ','));
    const std::string_view quoted = TrimView(TakeField(line, ','));
    if (quoted.size() >= 2) a.title = quoted.substr(1, quoted.size() - 2);
    return a;
}

std::string_view WithoutByteOrderMark(std::string_view bytes) {
    return bytes.starts_with(kUtf8ByteOrderMark) ? bytes.substr(kUtf8ByteOrderMark.size()) : bytes;
}

std::optional<std::string> WideEncoding(std::string_view bytes) {
    using namespace std::string_view_literals;
    if (bytes.starts_with("\xFF\xFE\0\0"sv)) return "UTF-32 (little-endian)";
    if (bytes.starts_with("\0\0\xFE\xFF"sv)) return "UTF-32 (big-endian)";
    if (bytes.starts_with("\xFF\xFE"sv)) return "UTF-16 (little-endian)";
    if (bytes.starts_with("\xFE\xFF"sv)) return "UTF-16 (big-endian)";
    // Without a mark, the NUL bytes of the first lines tell: text of Latin letters in UTF-16 has a NUL in
    // every other byte, in UTF-32 three in every four.
    const std::string_view head = bytes.substr(0, 4096);
    if (head.find('\0') == std::string_view::npos) return std::nullopt;
    std::size_t zeros[4] = {};
    const std::size_t units = head.size() / 4;
    for (std::size_t i = 0; i < units * 4; ++i)
        if (head[i] == '\0') ++zeros[i % 4];
    if (units > 0 && zeros[0] < units && zeros[2] == units && zeros[3] == units)
        return "UTF-32 (little-endian)";
    if (units > 0 && zeros[3] < units && zeros[0] == units && zeros[1] == units) return "UTF-32 (big-endian)";
    const std::size_t odd = zeros[1] + zeros[3], even = zeros[0] + zeros[2];
    if (odd > 2 * even) return "UTF-16 (little-endian)";
    if (even > 2 * odd) return "UTF-16 (big-endian)";
    return std::string();
}

std::optional<std::string> ProjectFileProblem(std::string_view bytes, const std::string& path) {
    if (auto problem = EncodingProblem(bytes, path)) return problem;
    if (!HoldsText(bytes) || AnyLine(bytes, [](std::string_view line) {
            return ClassifyProjectLine(line) != LineKind::Other || IsProjectComment(line);
        }))
        return std::nullopt;
    return Quoted(path) +
           " is not a Corvane project file: none of its lines is an aircraft, an airport or a flight.";
}

void EachProjectLine(std::string_view bytes, Progress& progress, ProjectLineHandler& handler) {
    EachLine(bytes, progress, [&](std::string_view line) {
        switch (ClassifyProjectLine(line)) {
        case LineKind::Aircraft:
            handler.aircraft(line);
            break;
        case LineKind::Airport:
            handler.airport(line);
            break;
        case LineKind::Flight:
            handler.flight(line);
            break;
        case LineKind::Other:
            break;
        }
    });
}

void ReportReadError(Prompts& prompts, const std::string& error) {
    prompts.message("Error reading file", error, Icon::Exclamation);
}

void ReportWriteError(Prompts& prompts, const std::string& error) {
    prompts.message("Error writing file", error, Icon::Exclamation);
}

void ReadTrafficBytes(TrafficDatabase& db, std::string_view aircraft, std::string_view airports,
                      std::string_view flights, const ReadOptions& options, Prompts& prompts,
                      Progress& progress) {
    ProgressScope scope(progress, "Open Corvane Data");
    {
        Loader loader(db, options);
        progress.setTitle("Open FS2002 Aircraft Data");
        EachLine(aircraft, progress, [&](std::string_view line) {
            if (Contains(line, '"')) loader.aircraft(line);
        });
        progress.setTitle("Open FS2002 Airport Data");
        EachLine(airports, progress, [&](std::string_view line) {
            if (Contains(line, '*')) loader.airport(line);
        });
        progress.setTitle("Open FS2002 Flights Data");
        loader.reserveFlights(flights);
        EachLine(flights, progress, [&](std::string_view line) {
            if (Contains(line, '%')) loader.flight(line);
        });
        loader.finish();
    }
    Complete(db, options, prompts, progress);
}

void ReadProjectBytes(TrafficDatabase& db, std::string_view bytes, const ReadOptions& options,
                      Prompts& prompts, Progress& progress) {
    ProgressScope scope(progress, "Open Corvane Project Data");
    {
        Loader loader(db, options);
        loader.reserveFlights(bytes);
        EachProjectLine(bytes, progress, loader);
        loader.finish();
    }
    Complete(db, options, prompts, progress);
}

bool ReadTrafficData(TrafficDatabase& db, const std::string& folder, const ReadOptions& options,
                     Prompts& prompts, Progress& progress) {
    bool read = false;
    const bool loaded = LoadWithinMemory(db, folder, prompts, [&] {
        // A set half replaced is finished first, and never read half old and half new. All three files
        // are read before anything is loaded, so that a missing one loads nothing.
        std::string error;
        if (!CompletePendingFileSet(folder, &error)) {
            ReportReadError(prompts, error);
            return;
        }
        std::string aircraftPath, airportsPath, flightsPath;
        const auto aircraft = ReadNamedFile(folder, "aircraft.txt", &aircraftPath, &error);
        const auto airports =
            aircraft ? ReadNamedFile(folder, "airports.txt", &airportsPath, &error) : std::nullopt;
        const auto flights =
            airports ? ReadNamedFile(folder, "flightplans.txt", &flightsPath, &error) : std::nullopt;
        if (!flights) {
            ReportReadError(prompts, error);
            return;
        }
        // A file in another encoding, or of other lines, would load as nothing and be taken for an empty
        // traffic set.
        auto problem = TrafficFileProblem(*aircraft, aircraftPath, '"', "an aircraft");
        if (!problem) problem = TrafficFileProblem(*airports, airportsPath, '*', "an airport");
        if (!problem) problem = TrafficFileProblem(*flights, flightsPath, '%', "a flight");
        if (problem) {
            ReportReadError(prompts, *problem);
            return;
        }
        ReadTrafficBytes(db, *aircraft, *airports, *flights, options, prompts, progress);
        read = true;
    });
    return loaded && read;
}

bool ReadProjectFile(TrafficDatabase& db, const std::string& path, const ReadOptions& options,
                     Prompts& prompts, Progress& progress) {
    bool read = false;
    const bool loaded = LoadWithinMemory(db, path, prompts, [&] {
        std::string error;
        const auto bytes = ReadFileBytes(path, &error);
        if (!bytes) {
            ReportReadError(prompts, error);
            return;
        }
        if (const auto problem = ProjectFileProblem(*bytes, path)) {
            ReportReadError(prompts, *problem);
            return;
        }
        ReadProjectBytes(db, *bytes, options, prompts, progress);
        read = true;
    });
    return loaded && read;
}

} // namespace corvane
