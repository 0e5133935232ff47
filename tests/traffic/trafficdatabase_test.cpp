#include "traffic/trafficdatabase.h"

#include <chrono>
#include <gtest/gtest.h>

using namespace corvane;

namespace {

void Install(TrafficDatabase& db, std::initializer_list<const char*> titles) {
    for (const char* t : titles) db.installedAircraftTable().add({t, "250", "250"});
}

} // namespace

TEST(TrafficDatabase, installedAircraftGetFreeNumbers) {
    TrafficDatabase db;
    db.aircraftTable().add({"AC#1", "250", "Boeing 737"});
    db.aircraftTable().add({"AC#2", "300", "Airbus A320"});
    db.missingAircraftTable().add({"Fokker 100", "240", "AC#3"});
    Install(db, {"Cessna 172", "Dash 8", "ATR 72", "boeing 737", "FOKKER 100"});

    AddInstalledAircraft(db);

    const AircraftTable& aircraft = db.aircraftTable();
    ASSERT_EQ(aircraft.rowCount(), 5);
    // Installed rows are walked in their sorted order: ATR 72, Cessna 172, Dash 8.
    EXPECT_EQ(aircraft.row(2), (TextTable::Row{"AC#4", "250", "ATR 72"}));
    EXPECT_EQ(aircraft.row(3), (TextTable::Row{"AC#5", "250", "Cessna 172"}));
    EXPECT_EQ(aircraft.row(4), (TextTable::Row{"AC#6", "250", "Dash 8"}));
    EXPECT_EQ(db.missingAircraftTable().rowCount(), 1) << "a missing title is not added again";
    EXPECT_EQ(db.aircraftChoices().entries(), (std::vector<std::string>{"Choose Aircraft", kAircraftSeparator,
                                                                        "ATR 72", "Cessna 172", "Dash 8"}));
}

TEST(TrafficDatabase, headEntriesAlsoWhenNothingIsAdded) {
    TrafficDatabase db;
    AddInstalledAircraft(db);
    EXPECT_EQ(db.aircraftChoices().entries(),
              (std::vector<std::string>{"Choose Aircraft", kAircraftSeparator}));
    EXPECT_EQ(kAircraftSeparator.size(), 93u);
    AddInstalledAircraft(db);
    EXPECT_EQ(db.aircraftChoices().count(), 2) << "the heads are not inserted twice";
}

TEST(TrafficDatabase, lookupsIgnoreCaseAndNeedTheWholeText) {
    TrafficDatabase db;
    db.airportTable().add({"KSEA", "N47* 26.94'", "W122* 18.55'", "433", "Seattle", "US"});
    db.airportTable().add({"SEA", "N0* 0.0'", "W0* 0.0'", "0", "-", "-"});
    db.airportTable().add({"ksea", "N1* 0.0'", "W0* 0.0'", "0", "dup", "-"});
    EXPECT_EQ(db.airportTable().findByIcao("ksea"), 0);
    EXPECT_EQ(db.airportTable().findByIcao("sea"), 1);
    EXPECT_EQ(db.airportTable().findByIcao("KSE"), -1);
    EXPECT_EQ(db.airportTable().findByIcao("KSEAX"), -1);

    db.aircraftTable().add({"AC#1", "250", "Boeing 737-400"});
    db.aircraftTable().add({"AC#10", "250", "Boeing 737"});
    EXPECT_EQ(db.aircraftTable().findByTitle("boeing 737"), 1);
    EXPECT_EQ(db.aircraftTable().findByNumber("ac#1"), 0);
    EXPECT_TRUE(db.aircraftNumberInUse("AC#10"));
    EXPECT_FALSE(db.aircraftNumberInUse("AC#100"));
}

TEST(TrafficDatabase, aircraftNumbersAreComparedCanonically) {
    EXPECT_EQ(CanonicalAircraftNumber("AC#007"), "AC#7");
    EXPECT_EQ(CanonicalAircraftNumber(" ac#0008 "), "AC#8");
    EXPECT_EQ(CanonicalAircraftNumber("AC#x"), "AC#0") << "as the writer reads a number never chosen";
    EXPECT_EQ(CanonicalAircraftNumber("AC#-05"), "AC#-5");

    TrafficDatabase db;
    db.aircraftTable().add({"AC#007", "250", "Seven"});
    db.missingAircraftTable().add({"Eight", "250", "ac#0008"});
    db.missingAircraftTable().add({"Alpha", "250", "AC#010"}); // sorted in before Eight
    EXPECT_EQ(db.aircraftTable().findByNumber("AC#7"), 0);
    EXPECT_EQ(db.aircraftTable().findByNumber("ac#0007"), 0);
    EXPECT_EQ(db.missingAircraftTable().findByNumber("AC#8"), 1);
    EXPECT_EQ(db.missingAircraftTable().findByNumber("AC#10"), 0);
    EXPECT_EQ(db.aircraftTable().findByNumber("AC#70"), -1);
    EXPECT_TRUE(db.aircraftNumberInUse("AC#7"));
    EXPECT_TRUE(db.aircraftNumberInUse("AC#08"));

    // The installed aircraft get the free numbers from AC#1 on, skipping those the set holds in any
    // writing.
    for (int i = 2; i <= 6; ++i)
        db.aircraftTable().add({"AC#" + std::to_string(i), "250", std::to_string(i)});
    Install(db, {"New", "Newer", "Newest"});
    AddInstalledAircraft(db);
    EXPECT_EQ(db.aircraftTable().row(6), (TextTable::Row{"AC#1", "250", "New"}));
    EXPECT_EQ(db.aircraftTable().row(7), (TextTable::Row{"AC#9", "250", "Newer"}));
    EXPECT_EQ(db.aircraftTable().row(8), (TextTable::Row{"AC#11", "250", "Newest"}));

    db.aircraftTable().setCell(0, AircraftTable::Number, "AC#0100");
    EXPECT_EQ(db.aircraftTable().findByNumber("AC#100"), 0) << "a changed number is found in its new form";
    EXPECT_EQ(db.aircraftTable().findByNumber("AC#7"), -1);
}

TEST(TrafficDatabase, flightIndexesStayStable) {
    TrafficDatabase db;
    FlightTable& flights = db.flightTable();
    flights.append("AC#1,a,50%,");
    flights.append("AC#1,b,50%,");
    flights.append("AC#1,c,50%,");
    flights.empty(1);
    EXPECT_EQ(flights.count(), 3);
    EXPECT_EQ(flights.nonEmptyCount(), 2);
    EXPECT_EQ(flights.at(2), "AC#1,c,50%,");
    flights.replace(7, "out of range is ignored");
    EXPECT_EQ(flights.count(), 3);

    db.installedAircraftTable().add({"Cessna", "120", "120"});
    db.airportCodes().add("KSEA");
    db.clearTables();
    EXPECT_TRUE(db.flightTable().isEmpty());
    EXPECT_TRUE(db.airportCodes().isEmpty());
    EXPECT_EQ(db.installedAircraftTable().rowCount(), 1) << "installed aircraft survive a clear";
}

namespace {

// Loads flights and airports the way the readers do and looks every airport up once.
double LoadSeconds(int flights, int airports) {
    const auto start = std::chrono::steady_clock::now();
    TrafficDatabase db;
    {
        TextTable::Batch batch(db.airportTable());
        SortedList::Batch codes(db.airportCodes());
        for (int i = 0; i < airports; ++i) {
            const std::string code = "A" + std::to_string(1000000 + i * 7919 % airports);
            db.airportCodes().add(code);
            db.airportTable().add({code, "N47* 26.94'", "W122* 18.55'", "433", "Name", "Country"});
        }
    }
    for (int i = 0; i < flights; ++i)
        db.flightTable().append("AC#" + std::to_string(i % 2000) +
                                ",-,50%,24Hr,IFR,08:00:00,09:00:00,100,F,1,A1000000,");
    int found = 0;
    for (int i = 0; i < airports; ++i)
        found += db.airportTable().findByIcao("a" + std::to_string(1000000 + i)) >= 0;
    EXPECT_EQ(found, airports);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

TEST(TrafficDatabase, bulkLoadIsLinear) {
    LoadSeconds(20'000, 5'000); // warm up the allocator
    double small = 1e9, large = 1e9;
    for (int i = 0; i < 3; ++i) {
        small = std::min(small, LoadSeconds(20'000, 5'000));
        large = std::min(large, LoadSeconds(200'000, 50'000));
    }
    // Ten times the rows: about ten times the time when linear, a hundred times when quadratic. The
    // smaller set is large enough not to fit a processor's caches either (a set that does runs some
    // five times faster per row, which once put a linear load past the bar).
    EXPECT_LT(large / small, 50.0) << "20k: " << small << " s, 200k: " << large << " s";
}
