// The apt.dat merge on any bytes, beside a few loaded airports: one whose name may be filled in ("-"),
// one with an empty name, one with a proper name, and a loaded code without a row.

#include "fuzzinput.h"
#include "platform/progress.h"
#include "tablechecks.h"
#include "traffic/aptdata.h"
#include "traffic/trafficdatabase.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace corvane;
    TrafficDatabase db;
    AirportTable& airports = db.airportTable();
    for (TextTable::Row row : {TextTable::Row{"KSEA", "N47* 26.94'", "W122* 18.55'", "433", "-", "-"},
                               TextTable::Row{"kbfi", "N47* 31.80'", "W122* 18.12'", "21", "", ""},
                               TextTable::Row{"EGLL", "N51* 28.65'", "W0* 27.68'", "83", "Heathrow", "UK"}}) {
        db.airportCodes().add(row[0]);
        airports.add(std::move(row));
    }
    NullProgress progress;
    ReadAptBytes(db, InputText(data, size), CodeSet{"KSEA", "KBFI", "EGLL", "ENGM"}, progress);
    CheckTables(db);
    Require(airports.cell(2, AirportTable::Name) == "Heathrow", "a proper name is kept");
    Require(airports.cell(0, AirportTable::Icao) == "KSEA" && airports.cell(1, AirportTable::Icao) == "kbfi",
            "loaded airports keep their rows");
    return 0;
}
