#pragma once
// Everything the tables of a traffic database hold, to compare a database with itself before and after
// a change (an undo, a redo, a refused command).

#include "traffic/trafficdatabase.h"

#include <string>
#include <vector>

namespace corvane::test {

using Rows = std::vector<std::vector<std::string>>;

inline Rows RowsOf(const TextTable& table) {
    Rows rows;
    for (int r = 0; r < table.rowCount(); ++r) rows.push_back(table.row(r));
    return rows;
}

struct TablesSnapshot {
    Rows aircraft, missing, installed, airports;
    std::vector<std::string> flights, choices, codes;
    int heads = 0;
    bool operator==(const TablesSnapshot&) const = default;
};

inline TablesSnapshot SnapshotOf(const TrafficDatabase& db) {
    return {
        RowsOf(db.aircraftTable()),  RowsOf(db.missingAircraftTable()), RowsOf(db.installedAircraftTable()),
        RowsOf(db.airportTable()),   db.flightTable().lines(),          db.aircraftChoices().entries(),
        db.airportCodes().entries(), db.aircraftChoices().headCount()};
}

} // namespace corvane::test
