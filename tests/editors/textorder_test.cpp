// A text that is the beginning of another sorts before it ("Boeing 737" before "Boeing 737-400"), in
// every list that keeps an order: combos, sorted tables, the airport list, the flights list and the
// aircraft lists of the dialogs.

#include "editors/airportorder.h"
#include "editors/associationeditor.h"
#include "editors/filtereditor.h"
#include "projects/exportcriteria.h"
#include "sessionfixture.h"

#include <gtest/gtest.h>

using namespace corvane;

namespace {

const std::string kShort = "Boeing 737", kLong = "Boeing 737-400", kLonger = "BOEING 737-400 SP";
const std::vector<std::string> kSorted{kShort, kLong, kLonger};

struct Fixture : test::SessionFixture {
    TrafficDatabase& db = session.db;

    // The longest text first, as a list that sorted by length or by its last character would keep it.
    Fixture() {
        int number = 0;
        for (const std::string& title : {kLonger, kLong, kShort}) {
            db.aircraftTable().add({"AC#" + std::to_string(++number), "250", title});
            db.installedAircraftTable().add({title, "250", "250"});
            db.aircraftChoices().add(title);
        }
        db.missingAircraftTable().add({"Unknown", "250", "AC#9"});
    }
};

std::vector<std::string> Column(const TextTable& table, int column) {
    std::vector<std::string> texts;
    for (int row = 0; row < table.rowCount(); ++row) texts.push_back(table.cell(row, column));
    return texts;
}

} // namespace

TEST(TextOrder, aBeginningSortsBeforeTheLongerText) {
    EXPECT_LT(CompareIgnoringCase(kShort, kLong), 0);
    EXPECT_GT(CompareIgnoringCase(kLong, kShort), 0);
    EXPECT_LT(CompareIgnoringCase("", "A"), 0);

    Fixture f;
    EXPECT_EQ(f.db.aircraftChoices().entries(), kSorted) << "aircraftCom";
    EXPECT_EQ(Column(f.db.installedAircraftTable(), InstalledAircraftTable::Title), kSorted) << "fsAirLst";

    // The same lists filled in one batch, as the readers fill them.
    SortedList codes;
    MissingAircraftTable missing;
    {
        SortedList::Batch batch(codes);
        TextTable::Batch rows(missing);
        for (const std::string& text : {kLonger, kLong, kShort}) {
            codes.add(text);
            missing.add({text, "250", "AC#1"});
        }
    }
    EXPECT_EQ(codes.entries(), kSorted) << "airport combos";
    EXPECT_EQ(Column(missing, MissingAircraftTable::Title), kSorted) << "missingAIRLst";

    // The airport list sorted by a column, and a row added to it afterwards.
    AirportTable airports;
    AirportOrder order(airports);
    airports.add({"ENGM", "N0* 0.0'", "W0* 0.0'", "0", kLong, "-"});
    airports.add({"ENG", "N0* 0.0'", "W0* 0.0'", "0", kShort, "-"});
    order.sortBy(AirportTable::Name, true);
    airports.add({"EN", "N0* 0.0'", "W0* 0.0'", "0", kLonger, "-"});
    std::vector<std::string> names;
    for (int position = 0; position < order.count(); ++position)
        names.push_back(airports.cell(order.tableRow(position), AirportTable::Name));
    EXPECT_EQ(names, kSorted) << "aptLST by name";
    order.sortBy(AirportTable::Icao, true);
    EXPECT_EQ(airports.cell(order.tableRow(0), AirportTable::Icao), "EN") << "aptLST by code";

    EXPECT_EQ(ExportAircraftTitles(f.db), kSorted) << "exAircraftCom";
    EXPECT_EQ(FilterEditor(FilterMode::Delete, f.db, f.flights, f.prompts).aircraftTitles(), kSorted)
        << "airCom";
    AssociationEditor association(f.db, f.prompts);
    association.load(0);
    EXPECT_EQ(association.comFSAir(), kSorted) << "comFSAir";
}

TEST(TextOrder, aRouteThatBeginsAnotherIsListedFirst) {
    Fixture f;
    for (const char* code : {"ENGM", "ESSA", "EKCH"}) f.db.airportTable().add({code, "N0* 0.0'", "W0* 0.0'"});
    f.add("AC#1,-,50%,24Hr,IFR,08:00:00,09:00:00,100,F,1,ESSA,10:00:00,11:00:00,100,F,2,EKCH,"
          "12:00:00,13:00:00,100,F,3,ENGM,");
    f.add("AC#1,-,50%,24Hr,IFR,08:00:00,09:00:00,100,F,1,ESSA,10:00:00,11:00:00,100,F,2,ENGM,");
    f.flights.chooseAirport("ENGM");
    ASSERT_EQ(f.flights.flightsLst().size(), 2u);
    EXPECT_EQ(f.flights.flightsLst()[0].summary, "ENGM-ESSA");
    EXPECT_EQ(f.flights.flightsLst()[1].summary, "ENGM-ESSA-EKCH");
}
