#include "traffic/aptdata.h"

#include "traffic/fields.h"
#include "traffic/numbers.h"
#include "traffic/progress.h"
#include "traffic/reader.h"
#include "traffic/text.h"
#include "traffic/textfile.h"
#include "traffic/trafficdatabase.h"

namespace corvane {

namespace {

constexpr int kNewAirport = -2;

// The merge: loadedRow(code) gives the row of a loaded airport with that code (-1: loaded, but no row
// holds it), or kNewAirport for a code that was not loaded.
template <typename LoadedRow>
void MergeAirports(TrafficDatabase& db, std::string_view bytes, Progress& progress, LoadedRow loadedRow) {
    ProgressScope scope(progress, "Adding Corvane Airport Data");
    ProgressTicker ticker(progress);
    AirportTable& airports = db.airportTable();
    TextTable::Batch rows(airports);
    SortedList::Batch codes(db.airportCodes());

    bytes = WithoutByteOrderMark(bytes);
    const double length = static_cast<double>(bytes.size());
    double total = 0;
    LineCursor lines(bytes);
    std::string_view line;
    while (lines.next(line)) {
        total += static_cast<double>(line.size());
        ticker.show(RoundToInt(total * 100 / length));

        std::string_view rest = line;
        const std::string_view code = TrimView(TakeField(rest, ','));
        const int row = loadedRow(code);
        if (row == kNewAirport) {
            TextTable::Row cells;
            cells.reserve(6);
            cells.emplace_back(code);
            for (int column = 1; column <= 5; ++column) cells.emplace_back(TrimView(TakeField(rest, ',')));
            db.airportCodes().add(std::string(code));
            airports.add(std::move(cells));
            continue;
        }
        if (row < 0) continue;
        const std::string& name = airports.cell(row, AirportTable::Name);
        if (name.empty() || name == "-") {
            airports.setCell(row, AirportTable::Name, GetField(rest, 4, ','));
            airports.setCell(row, AirportTable::Country, GetField(rest, 5, ','));
        }
    }
}

} // namespace

void ReadAptBytes(TrafficDatabase& db, std::string_view bytes, const CodeSet& loadedCodes,
                  Progress& progress) {
    const AirportTable& airports = db.airportTable();
    MergeAirports(db, bytes, progress, [&](std::string_view code) {
        return loadedCodes.contains(Upper(code)) ? airports.findByIcao(code) : kNewAirport;
    });
}

void MergeAptBytes(TrafficDatabase& db, std::string_view bytes, Progress& progress) {
    // The rows from before the merge are the loaded airports; the first row of a code is the one a
    // lookup finds, so a code is loaded exactly when that row is one of them.
    const AirportTable& airports = db.airportTable();
    const int loaded = airports.rowCount();
    MergeAirports(db, bytes, progress, [&](std::string_view code) {
        const int row = airports.findByIcao(code);
        return row >= 0 && row < loaded ? row : kNewAirport;
    });
}

bool ReadAptData(TrafficDatabase& db, const std::string& path, Prompts& prompts, Progress& progress) {
    std::string error;
    const auto bytes = ReadFileBytes(path, &error);
    if (!bytes) {
        ReportReadError(prompts, error);
        return false;
    }
    MergeAptBytes(db, *bytes, progress);
    return true;
}

} // namespace corvane
