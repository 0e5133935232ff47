#include "editors/airporteditor.h"
#include "legsfixture.h"

#include <gtest/gtest.h>

using namespace corvane;

namespace {

struct Fixture : test::LegsFixture {
    AirportEditor editor{db, legs, prompts};

    Fixture() {
        add("KSEA", "N47* 26.94'", "W122* 18.55'", "433", "Seattle", "United States");
        add("ENGM", "N60* 11.6'", "E11* 6.0'", "681", "Oslo", "Norway");
        add("eksb", "N54* 57.8'", "E9* 47.5'", "61", "Sonderborg", "Denmark");
        add("BGO", "N60* 17.6'", "E5* 13.1'", "170", "bergen", "Norway");
    }
    void add(const char* code, const char* lat, const char* lon, const char* elev, const char* name,
             const char* country) {
        db.airportTable().add({code, lat, lon, elev, name, country});
        db.airportCodes().add(code);
    }
    std::vector<std::string> shown(int column = 0) {
        std::vector<std::string> cells;
        AirportOrder& order = editor.order();
        for (int p = 0; p < order.count(); ++p)
            cells.push_back(db.airportTable().cell(order.tableRow(p), column));
        return cells;
    }
};

} // namespace

TEST(AirportEditor, coordinatesSplitAndJoin) {
    const CoordinateParts north = SplitCoordinate("N47* 27.6'");
    EXPECT_EQ(north.hemisphere, "N");
    EXPECT_EQ(north.degrees, "47");
    EXPECT_EQ(north.minutes, "27.6");
    const CoordinateParts lower = SplitCoordinate("s33 * 56.6 '");
    EXPECT_EQ(lower.hemisphere, "S");
    const CoordinateParts odd = SplitCoordinate("N47 27.6");
    EXPECT_EQ(odd.hemisphere, "N");
    EXPECT_EQ(odd.degrees, "") << "no * : no degrees";
    EXPECT_EQ(odd.minutes, "");
    EXPECT_EQ(SplitCoordinate("").hemisphere, "");
    EXPECT_EQ(JoinCoordinate({"S", "33", "56.6"}), "S33* 56.6'");
}

TEST(AirportEditor, editsGoStraightIntoTheRow) {
    Fixture f;
    f.editor.chooseRow(0);
    EXPECT_EQ(f.editor.fields().aptLon2, "47");
    EXPECT_EQ(f.editor.fields().aptLat1, "W");
    EXPECT_EQ(f.editor.fields().aptLat3, "18.55");

    f.prompts.expect("Do not use comma");
    f.editor.editName("Seattle, Tacoma");
    EXPECT_EQ(f.db.airportTable().cell(0, AirportTable::Name), "Seattle") << "the old name is kept";
    f.editor.editName("Seattle Tacoma");
    EXPECT_EQ(f.db.airportTable().cell(0, AirportTable::Name), "Seattle Tacoma");
    f.prompts.expect("Do not use comma");
    f.editor.editElevation("4,33");
    EXPECT_EQ(f.db.airportTable().cell(0, AirportTable::Elevation), "433")
        << "a comma would move the name and country into other fields on the next open";
    EXPECT_EQ(f.editor.fields().aptElevTxt, "433");
    f.editor.editElevation("434 ft");
    EXPECT_EQ(f.db.airportTable().cell(0, AirportTable::Elevation), "434 ft") << "nothing else is checked";

    f.editor.editLatitude("S", "33", "56.6");
    EXPECT_EQ(f.db.airportTable().cell(0, AirportTable::Latitude), "S33* 56.6'");
    f.editor.editLatitude("N", "47", "");
    EXPECT_EQ(f.db.airportTable().cell(0, AirportTable::Latitude), "N47* '")
        << "empty minutes are not refused";
    f.prompts.expect("Do not use comma");
    f.editor.editLongitude("W", "122", "18,5");
    EXPECT_EQ(f.db.airportTable().cell(0, AirportTable::Longitude), "W122* 18.55'");
}

TEST(AirportEditor, aCoordinateShowsInItsOwnRowOfFields) {
    // The rows are named crosswise: the latitude lives in aptLon1..3, the longitude in aptLat1..3.
    Fixture f;
    f.editor.chooseRow(0);
    f.editor.editLatitude("S", "33", "56.6");
    EXPECT_EQ(f.editor.fields().aptLon1, "S");
    EXPECT_EQ(f.editor.fields().aptLon2, "33");
    EXPECT_EQ(f.editor.fields().aptLon3, "56.6");
    EXPECT_EQ(f.editor.fields().aptLat1, "W") << "the longitude fields keep the longitude";
    EXPECT_EQ(f.editor.fields().aptLat2, "122");
    EXPECT_EQ(f.editor.fields().aptLat3, "18.55");
    f.editor.editLongitude("E", "11", "6.02");
    EXPECT_EQ(f.editor.fields().aptLat1, "E");
    EXPECT_EQ(f.editor.fields().aptLat2, "11");
    EXPECT_EQ(f.editor.fields().aptLat3, "6.02");
    EXPECT_EQ(f.editor.fields().aptLon2, "33");
}

TEST(AirportEditor, headerClicksSort) {
    Fixture f;
    EXPECT_EQ(f.editor.sortTag(), "ICAO");
    EXPECT_EQ(f.shown(), (std::vector<std::string>{"BGO", "eksb", "ENGM", "KSEA"}));
    f.editor.clickHeader(0);
    EXPECT_EQ(f.shown(), (std::vector<std::string>{"KSEA", "ENGM", "eksb", "BGO"}))
        << "the first ICAO click descends";
    f.editor.clickHeader(4);
    EXPECT_EQ(f.shown(4), (std::vector<std::string>{"bergen", "Oslo", "Seattle", "Sonderborg"}));
    f.editor.clickHeader(4);
    EXPECT_EQ(f.shown(4), (std::vector<std::string>{"Sonderborg", "Seattle", "Oslo", "bergen"}));
    f.editor.clickHeader(0);
    EXPECT_EQ(f.shown(), (std::vector<std::string>{"BGO", "eksb", "ENGM", "KSEA"}))
        << "another column ascends";
}

TEST(AirportEditor, numbersAndCoordinatesSortByValue) {
    Fixture f;
    f.add("SYD", "S33* 56.8'", "E151* 10.6'", "21", "Sydney", "Australia");
    f.add("EHAM", "N52* 18.5'", "E4* 45.8'", "-11", "Schiphol", "Netherlands");
    f.add("SCEL", "S33* 23.6'", "W70* 47.1'", "1555", "Santiago", "Chile");
    f.editor.clickHeader(3);
    EXPECT_EQ(f.shown(), (std::vector<std::string>{"EHAM", "SYD", "eksb", "BGO", "KSEA", "ENGM", "SCEL"}))
        << "-11 before 21 before 61 ... 1555";
    f.editor.clickHeader(1);
    EXPECT_EQ(f.shown(), (std::vector<std::string>{"SYD", "SCEL", "KSEA", "EHAM", "eksb", "ENGM", "BGO"}))
        << "south negative: S33* 56.8' before S33* 23.6' before the north";
    f.editor.clickHeader(2);
    EXPECT_EQ(f.shown(), (std::vector<std::string>{"KSEA", "SCEL", "EHAM", "BGO", "eksb", "ENGM", "SYD"}))
        << "west negative, east positive";
}

TEST(AirportEditor, aRowAddedToASortedListTakesItsPlaceByValue) {
    Fixture f;
    f.editor.clickHeader(3);
    ASSERT_EQ(f.shown(3), (std::vector<std::string>{"61", "170", "433", "681"}));
    // As text 1000 would come before 170, and 9 after 681.
    f.add("LOWI", "N47* 15.6'", "E11* 20.6'", "1000", "Innsbruck", "Austria");
    f.add("EKEB", "N55* 31.6'", "E8* 33.2'", "9", "Esbjerg", "Denmark");
    EXPECT_EQ(f.shown(3), (std::vector<std::string>{"9", "61", "170", "433", "681", "1000"}));
    f.editor.clickHeader(3);
    f.add("LSGG", "N46* 14.3'", "E6* 6.5'", "500", "Geneva", "Switzerland");
    EXPECT_EQ(f.shown(3), (std::vector<std::string>{"1000", "681", "500", "433", "170", "61", "9"}));
    // South below the north, though "S" follows "N" as text.
    f.editor.clickHeader(1);
    f.add("SAEZ", "S34* 49.3'", "W58* 32.1'", "20", "Ezeiza", "Argentina");
    EXPECT_EQ(f.shown().front(), "SAEZ");
}

TEST(AirportEditor, aSearchNarrowsTheListIgnoringCaseAndAccents) {
    Fixture f;
    f.add("LSZH", "N47* 27.6'", "E8* 32.9'", "1416",
          "Z\xFC"
          "rich Airport",
          "Switzerland");
    f.add("LFPG", "N49* 0.6'", "E2* 32.9'", "392", "Paris Charles de Gaulle", "France");
    AirportOrder& order = f.editor.order();
    order.search("zurich");
    EXPECT_EQ(f.shown(), std::vector<std::string>{"LSZH"}) << "ü is u";
    EXPECT_EQ(order.count(), 1);
    EXPECT_EQ(order.total(), 6);
    order.search("NOR");
    EXPECT_EQ(f.shown(), (std::vector<std::string>{"BGO", "ENGM"})) << "countries match too";
    order.search("lsz");
    EXPECT_EQ(f.shown(), std::vector<std::string>{"LSZH"}) << "codes in any case";
    EXPECT_EQ(order.position(0), -1) << "KSEA is not shown";
    // A row added while searching shows only when it matches; a deleted one leaves the view.
    f.add("LSZR", "N47* 29.1'", "E9* 33.6'", "1306", "St. Gallen", "Switzerland");
    EXPECT_EQ(f.shown(), (std::vector<std::string>{"LSZH", "LSZR"}));
    f.add("KBFI", "N47* 31.6'", "W122* 18.0'", "21", "Boeing Field", "United States");
    EXPECT_EQ(order.count(), 2);
    f.db.airportTable().remove(f.db.airportTable().findByIcao("LSZR"));
    EXPECT_EQ(f.shown(), std::vector<std::string>{"LSZH"});
    order.search("");
    EXPECT_EQ(order.count(), 7);
}

TEST(AirportEditor, addAndDelete) {
    Fixture f;
    f.prompts.expectInput("ksea").expect("Already added");
    f.editor.addAirport();
    EXPECT_EQ(f.prompts.shown().back().text, "KSEA is already added to the list!");
    EXPECT_EQ(f.prompts.inputRequests().back().prompt, "Enter the ICAO code for the new airport");
    f.prompts.expectInput(std::nullopt);
    f.editor.addAirport();
    EXPECT_EQ(f.db.airportTable().rowCount(), 4);
    f.prompts.expectInput("EK,CH").expect("Do not use comma");
    f.editor.addAirport();
    EXPECT_EQ(f.db.airportTable().rowCount(), 4)
        << "a code with a comma would break every line that names it";
    EXPECT_EQ(f.db.airportCodes().indexOf("EK,CH"), -1);

    f.prompts.expectInput("ekch");
    f.editor.addAirport();
    ASSERT_EQ(f.db.airportTable().rowCount(), 5);
    EXPECT_EQ(f.db.airportTable().row(4), (TextTable::Row{"EKCH", "N0* 0.0'", "W0* 0.0'", "0", "-", "-"}));
    EXPECT_EQ(f.editor.selectedRow(), 4);
    EXPECT_EQ(f.editor.fields().aptIcaoTxt, "EKCH");
    EXPECT_EQ(f.shown(), (std::vector<std::string>{"BGO", "EKCH", "eksb", "ENGM", "KSEA"}))
        << "in its sorted place";
    EXPECT_GE(f.db.airportCodes().indexOf("EKCH"), 0);

    f.db.flightTable().append("AC#1,-,50%,24Hr,IFR,08:00:00,09:00:00,100,F,1,EKCH,");
    f.prompts.expect("Delete AI Airport", Answer::No);
    f.editor.deleteAirport();
    EXPECT_EQ(f.db.airportTable().rowCount(), 5);
    f.prompts.expect("Delete AI Airport", Answer::Yes);
    f.editor.deleteAirport();
    EXPECT_EQ(f.prompts.shown().back().text,
              "WARNING: All flights connected to this airport will be deleted!\r\n\r\n"
              "Are you sure you want to remove EKCH form this project?");
    EXPECT_EQ(f.db.airportTable().rowCount(), 4);
    EXPECT_EQ(f.db.airportCodes().indexOf("EKCH"), -1);
    EXPECT_EQ(f.db.flightTable().nonEmptyCount(), 1) << "its flights stay until the next write";
    EXPECT_EQ(f.editor.fields().aptIcaoTxt, "eksb") << "the next row is loaded";
}

TEST(AirportEditor, aNewTableHasNoSelection) {
    Fixture f;
    f.editor.chooseRow(2);
    f.db.airportTable().clear();
    f.add("ZZZZ", "N1* 0.0'", "E1* 0.0'", "0", "-", "-");
    EXPECT_EQ(f.editor.selectedRow(), -1);
    f.editor.editName("goes nowhere");
    f.editor.editLatitude("S", "2", "0");
    f.editor.deleteAirport(); // no question, nothing deleted
    EXPECT_EQ(f.db.airportTable().row(0), (TextTable::Row{"ZZZZ", "N1* 0.0'", "E1* 0.0'", "0", "-", "-"}));
}
