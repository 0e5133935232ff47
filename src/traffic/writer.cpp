#include "traffic/writer.h"

#include "traffic/fields.h"
#include "traffic/flightline.h"
#include "traffic/numbers.h"
#include "traffic/paths.h"
#include "traffic/progress.h"
#include "traffic/prompts.h"
#include "traffic/reader.h"
#include "traffic/text.h"
#include "traffic/textfile.h"
#include "traffic/trafficdatabase.h"

#include <algorithm>
#include <optional>
#include <unordered_map>
#include <unordered_set>

namespace corvane {

namespace {

// The whole part of (i + 1) / n x 100, shown after each entry of the flight list.
class EntryProgress {
public:
    EntryProgress(Progress& progress, std::size_t count)
        : m_ticker(progress)
        , m_count(count) {}
    void entryDone(std::size_t i) { m_ticker.show(static_cast<int>((i + 1) * 100 / m_count)); }

private:
    ProgressTicker m_ticker;
    std::size_t m_count;
};

// Replaces the aircraft field (the text up to the first comma, or the whole line without one).
void SetNewNumber(std::string& line, std::string_view newNumber) {
    line.replace(0, std::min(line.find(','), line.size()), newNumber);
}

// Speed and title of the aircraft with this number: its AircraftTable row, else its MissingAircraftTable row.
std::optional<std::pair<std::string, std::string>> FindAircraft(const TrafficDatabase& db,
                                                                const std::string& number) {
    if (const int row = db.aircraftTable().findByNumber(number); row >= 0)
        return std::pair{db.aircraftTable().cell(row, AircraftTable::Speed),
                         db.aircraftTable().cell(row, AircraftTable::Title)};
    if (const int row = db.missingAircraftTable().findByNumber(number); row >= 0)
        return std::pair{db.missingAircraftTable().cell(row, MissingAircraftTable::Speed),
                         db.missingAircraftTable().cell(row, MissingAircraftTable::Title)};
    return std::nullopt;
}

bool SameRows(const TextTable& a, const TextTable& b) {
    if (a.rowCount() != b.rowCount()) return false;
    for (int row = 0; row < a.rowCount(); ++row)
        if (a.row(row) != b.row(row)) return false;
    return true;
}

// The aircraft tables as the reader makes them of the written lines, then completed by
// AddInstalledAircraft. They are built aside, in bulk (sorted once), and only a table that comes out
// different takes their place: a save or compile that changes nothing changes no table, so the data
// stay saved.
void RebuildAircraftTables(TrafficDatabase& db, const std::vector<std::string>& lines) {
    TrafficDatabase rebuilt;
    InstalledAircraftTable& installed = db.installedAircraftTable();
    {
        TextTable::Batch aircraft(rebuilt.aircraftTable());
        TextTable::Batch missing(rebuilt.missingAircraftTable());
        SortedList::Batch choices(rebuilt.aircraftChoices());
        for (const std::string& line : lines) {
            AircraftLine a = ParseAircraftLine(line);
            const int row = installed.findByTitle(a.title);
            if (row < 0) {
                rebuilt.missingAircraftTable().add(
                    {std::move(a.title), std::move(a.speed), std::move(a.number)});
                continue;
            }
            installed.setCell(row, InstalledAircraftTable::Speed, a.speed);
            rebuilt.aircraftChoices().add(a.title);
            rebuilt.aircraftTable().add({std::move(a.number), std::move(a.speed), std::move(a.title)});
        }
    }
    db.copyInstalledAircraftTo(rebuilt);
    AddInstalledAircraft(rebuilt);
    if (!SameRows(db.aircraftTable(), rebuilt.aircraftTable()))
        db.aircraftTable().swapRows(rebuilt.aircraftTable());
    if (!SameRows(db.missingAircraftTable(), rebuilt.missingAircraftTable()))
        db.missingAircraftTable().swapRows(rebuilt.missingAircraftTable());
    const SortedList& choices = rebuilt.aircraftChoices();
    if (db.aircraftChoices().entries() != choices.entries() ||
        db.aircraftChoices().headCount() != choices.headCount())
        db.aircraftChoices().swapEntries(rebuilt.aircraftChoices());
}

void AppendLine(std::string& out, std::string_view line) {
    out.append(line);
    out.append(kLineEnd);
}

} // namespace

std::string AircraftKey(std::string_view line) {
    const auto comma = line.find(',');
    const std::string_view head = line.substr(0, comma);
    return CanonicalNumberText(head.size() > 3 ? head.substr(3) : std::string_view());
}

void WriteAircraftSection(std::string& out, std::vector<std::string>& flights, bool writeOnly,
                          TrafficDatabase& db, Prompts& prompts, Progress& progress) {
    ProgressScope scope(progress, "Saving AI Aircraft Database");
    EntryProgress entries(progress, flights.size());
    std::unordered_map<std::string, std::string> newNumbers; // key -> "AC#c"
    std::unordered_set<std::string> dropped;
    std::vector<std::string> lines; // in order of the new numbers

    for (std::size_t i = 0; i < flights.size(); ++i) {
        std::string& entry = flights[i];
        if (!entry.empty()) {
            const std::string key = AircraftKey(entry);
            if (const auto it = newNumbers.find(key); it != newNumbers.end()) {
                SetNewNumber(entry, it->second);
            } else if (dropped.contains(key)) {
                entry.clear();
            } else {
                const std::string number = "AC#" + key;
                const auto aircraft = FindAircraft(db, number);
                if (!aircraft) {
                    prompts.message("Error finding aircraft",
                                    "The aircraft " + number +
                                        " was not found in the database.\r\n"
                                        "All flights connected to this aircraft will not be saved.",
                                    Icon::Exclamation);
                    dropped.insert(key);
                    entry.clear();
                } else {
                    const auto& [speed, title] = *aircraft;
                    if (NumericValue(speed) < 10) {
                        dropped.insert(key);
                        entry.clear();
                    } else {
                        std::string newNumber = "AC#" + std::to_string(lines.size() + 1);
                        lines.push_back(newNumber + "," + speed + ",\"" + title + "\"");
                        SetNewNumber(entry, newNumber);
                        newNumbers.emplace(key, std::move(newNumber));
                    }
                }
            }
        }
        entries.entryDone(i);
    }
    progress.show(99);
    for (const std::string& line : lines) AppendLine(out, line);
    if (!writeOnly) RebuildAircraftTables(db, lines);
}

void WriteAirportSection(std::string& out, std::vector<std::string>& flights, bool shortLines,
                         const TrafficDatabase& db, Prompts& prompts, Progress& progress) {
    ProgressScope scope(progress, "Saving AI Airport Database");
    EntryProgress entries(progress, flights.size());
    const AirportTable& airports = db.airportTable();
    std::unordered_set<std::string, HashIgnoringCase, EqualIgnoringCase> written, dropped;
    std::vector<std::string> lines;

    for (std::size_t i = 0; i < flights.size(); ++i) {
        std::string& entry = flights[i];
        // Once the entry has been dropped the walk ends, as a fresh read of the emptied entry would end
        // it (and the cursor's views into the entry are then no longer used).
        DestinationCursor destinations(entry);
        std::string_view code;
        while (destinations.next(code)) {
            if (written.contains(code)) continue;
            if (dropped.contains(code)) {
                entry.clear();
                break;
            }
            const int row = airports.findByIcao(code);
            if (row < 0) {
                const std::string upper = Upper(code);
                prompts.message("Error finding airport",
                                "The airport " + upper +
                                    " was not found in the database.\r\n"
                                    "All flights connected to this airport will not be saved.",
                                Icon::Exclamation);
                dropped.insert(upper);
                entry.clear();
                break;
            }
            written.emplace(code);
            std::string text = airports.cell(row, AirportTable::Icao) + "," +
                               airports.cell(row, AirportTable::Latitude) + "," +
                               airports.cell(row, AirportTable::Longitude) + "," +
                               airports.cell(row, AirportTable::Elevation);
            if (!shortLines)
                text += "," + airports.cell(row, AirportTable::Name) + "," +
                        airports.cell(row, AirportTable::Country);
            lines.push_back(std::move(text));
        }
        entries.entryDone(i);
    }
    progress.show(99);
    std::stable_sort(lines.begin(), lines.end(), LessIgnoringCase());
    for (const std::string& line : lines) AppendLine(out, line);
}

void WriteFlightSection(std::string& out, const std::vector<std::string>& flights, Progress& progress) {
    ProgressScope scope(progress, "Saving AI Flights Database");
    EntryProgress entries(progress, flights.size());
    std::size_t size = out.size();
    for (const std::string& flight : flights)
        if (!flight.empty()) size += flight.size() + kLineEnd.size();
    out.reserve(size);
    for (std::size_t i = 0; i < flights.size(); ++i) {
        if (!flights[i].empty()) AppendLine(out, flights[i]);
        entries.entryDone(i);
    }
}

std::string ProjectFileBytes(std::vector<std::string>& flights, bool writeOnly, TrafficDatabase& db,
                             Prompts& prompts, Progress& progress) {
    std::string out;
    AppendLine(out, kProjectHeader);
    AppendLine(out, "");
    AppendLine(out, "");
    AppendLine(out, kAircraftComment);
    WriteAircraftSection(out, flights, writeOnly, db, prompts, progress);
    AppendLine(out, "");
    AppendLine(out, "");
    AppendLine(out, kAirportComment);
    WriteAirportSection(out, flights, false, db, prompts, progress);
    AppendLine(out, "");
    AppendLine(out, "");
    AppendLine(out, kFlightComment);
    WriteFlightSection(out, flights, progress);
    return out;
}

bool WriteProjectFile(TrafficDatabase& db, const std::string& path, Prompts& prompts, Progress& progress) {
    std::string bytes;
    {
        FlightTable::Edit flights(db.flightTable());
        bytes = ProjectFileBytes(flights.lines(), false, db, prompts, progress);
    }
    std::string error;
    if (!SaveFileAtomically(path, bytes, &error)) {
        ReportWriteError(prompts, error);
        return false;
    }
    return true;
}

bool WriteTrafficFiles(TrafficDatabase& db, const std::string& folder, Prompts& prompts, Progress& progress) {
    std::string aircraft, airports, flights;
    {
        FlightTable::Edit lines(db.flightTable());
        WriteAircraftSection(aircraft, lines.lines(), false, db, prompts, progress);
        WriteAirportSection(airports, lines.lines(), true, db, prompts, progress);
        WriteFlightSection(flights, lines.lines(), progress);
    }

    std::string error;
    if (!ReplaceFileSet(folder, {{"Aircraft.txt", aircraft}, {"Airports.txt", airports}, {"FlightPlans.txt", flights}},
                        &error)) {
        ReportWriteError(prompts, error);
        return false;
    }
    return true;
}

} // namespace corvane
