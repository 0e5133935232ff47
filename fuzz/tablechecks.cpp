#include "tablechecks.h"

#include "fuzzinput.h"
#include "platform/textfile.h"
#include "traffic/text.h"
#include "traffic/trafficdatabase.h"

#include <algorithm>

namespace corvane {

namespace {

using SameKey = bool (*)(std::string_view, std::string_view);

bool SameAircraftNumber(std::string_view a, std::string_view b) {
    return CanonicalAircraftNumber(a) == CanonicalAircraftNumber(b);
}

// Every row's key finds a row at or before it holding the same key (aircraft numbers in their
// canonical form, other keys with letter case ignored).
void CheckLookups(const TextTable& table, int column, const char* what, SameKey same = EqualsIgnoringCase) {
    for (int row = 0; row < table.rowCount(); ++row) {
        const std::string& key = table.cell(row, column);
        const int found = table.find(column, key);
        Require(found >= 0 && found <= row && same(table.cell(found, column), key), what);
    }
}

void CheckSortedRows(const TextTable& table, const char* what) {
    for (int row = 1; row < table.rowCount(); ++row)
        Require(CompareIgnoringCase(table.cell(row - 1, 0), table.cell(row, 0)) <= 0, what);
}

void CheckSortedEntries(const SortedList& list, const char* what) {
    const auto& entries = list.entries();
    Require(std::is_sorted(entries.begin() + list.headCount(), entries.end(), LessIgnoringCase()), what);
}

} // namespace

void CheckTables(const TrafficDatabase& db) {
    const AirportTable& airports = db.airportTable();
    const AircraftTable& aircraft = db.aircraftTable();
    const SortedList& choices = db.aircraftChoices();
    Require(db.airportCodes().count() == airports.rowCount(), "one airport combo entry per airport");
    Require(choices.count() - choices.headCount() == aircraft.rowCount(),
            "one aircraft combo entry per AircraftTable row");
    CheckSortedEntries(db.airportCodes(), "airport combo sorted");
    CheckSortedEntries(choices, "aircraft combo sorted");
    CheckSortedRows(db.missingAircraftTable(), "MissingAircraftTable sorted by title");
    CheckSortedRows(db.installedAircraftTable(), "InstalledAircraftTable sorted by title");
    CheckLookups(airports, AirportTable::Icao, "airport lookup by code");
    CheckLookups(aircraft, AircraftTable::Number, "aircraft lookup by number", SameAircraftNumber);
    CheckLookups(aircraft, AircraftTable::Title, "aircraft lookup by title");
    CheckLookups(db.missingAircraftTable(), MissingAircraftTable::Number, "missing aircraft lookup by number",
                 SameAircraftNumber);
    CheckLookups(db.missingAircraftTable(), MissingAircraftTable::Title, "missing aircraft lookup by title");
    CheckLookups(db.installedAircraftTable(), InstalledAircraftTable::Title, "installed lookup by title");
}

CodeSet LoadedCodes(const TrafficDatabase& db) {
    CodeSet codes;
    const AirportTable& airports = db.airportTable();
    for (int row = 0; row < airports.rowCount(); ++row)
        codes.insert(Upper(airports.cell(row, AirportTable::Icao)));
    return codes;
}

void InstallTitles(TrafficDatabase& db, std::string_view titles) {
    InstalledAircraftTable& installed = db.installedAircraftTable();
    TextTable::Batch batch(installed);
    LineCursor lines(titles);
    std::string_view title;
    while (lines.next(title)) installed.add({std::string(title), "250", "250"});
}

} // namespace corvane
