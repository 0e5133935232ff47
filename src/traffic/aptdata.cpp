#include "traffic/aptdata.h"

#include "traffic/fields.h"
#include "traffic/numbers.h"
#include "traffic/progress.h"
#include "traffic/reader.h"
#include "traffic/text.h"
#include "traffic/textfile.h"
#include "traffic/trafficdatabase.h"

namespace corvane {

void ReadAptBytes(TrafficDatabase& db, std::string_view bytes, const CodeSet& loadedCodes,
                  Progress& progress) {
    ProgressScope scope(progress, "Adding Corvane Airport Data");
    ProgressTicker ticker(progress);
    AirportTable& airports = db.airportTable();
    TextTable::Batch rows(airports);
    SortedList::Batch codes(db.airportCodes());

    const double length = static_cast<double>(bytes.size());
    double total = 0;
    LineCursor lines(bytes);
    std::string_view line;
    while (lines.next(line)) {
        total += static_cast<double>(line.size());
        ticker.show(RoundToInt(total * 100 / length));

        std::string_view rest = line;
        const std::string code = Trim(TakeField(rest, ','));
        if (!loadedCodes.contains(Upper(code))) {
            TextTable::Row row;
            row.reserve(6);
            row.push_back(code);
            for (int column = 1; column <= 5; ++column) row.push_back(Trim(TakeField(rest, ',')));
            db.airportCodes().add(code);
            airports.add(std::move(row));
            continue;
        }
        const int row = airports.findByIcao(code);
        if (row < 0) continue;
        const std::string& name = airports.cell(row, AirportTable::Name);
        if (name.empty() || name == "-") {
            airports.setCell(row, AirportTable::Name, GetField(rest, 4, ','));
            airports.setCell(row, AirportTable::Country, GetField(rest, 5, ','));
        }
    }
}

bool ReadAptData(TrafficDatabase& db, const std::string& path, const CodeSet& loadedCodes, Prompts& prompts,
                 Progress& progress) {
    std::string error;
    const auto bytes = ReadFileBytes(path, &error);
    if (!bytes) {
        ReportReadError(prompts, error);
        return false;
    }
    ReadAptBytes(db, *bytes, loadedCodes, progress);
    return true;
}

} // namespace corvane
