// The "Airport Board" window's logic: its airport box, zone and day, sorting, following the tables and
// showing a movement's flight on the FlightPlans page.

#include "board/boardtext.h"
#include "editors/airportboardeditor.h"
#include "sessionfixture.h"

#include <gtest/gtest.h>

using namespace corvane;

namespace {

using Board = AirportBoardEditor;
using Cells = std::vector<std::string>;

struct Fixture : test::SessionFixture {
    Board board{session};

    // Flights 0 and 2 visit ENGM from ESSA; flight 1 is ESSA's alone; flight 3 weekly on Monday.
    Fixture() {
        session.db.airportTable().add({"ENGM", "N60* 0.0'", "E11* 0.0'", "0", "Oslo", "NO"});
        session.db.airportTable().add({"ESSA", "N59* 0.0'", "E18* 0.0'", "0", "Stockholm", "SE"});
        session.db.aircraftTable().add({"AC#1", "450", "Boeing 737"});
        add("AC#1,LN-A,50%,24Hr,IFR,08:00:00,09:00:00,330,F,120,ESSA,10:00:00,11:00:00,330,F,9,ENGM,");
        add("AC#1,SE-B,50%,24Hr,IFR,08:00:00,09:00:00,330,F,1,EKCH,10:00:00,11:00:00,330,F,2,ESSA,");
        add("AC#1,LN-C,100%,12Hr,VFR,01:30:00,02:30:00,330,F,77,ESSA,03:00:00,04:00:00,330,F,78,ENGM,");
        add("AC#1,LN-D,25%,WEEK,IFR,1/22:00:00,1/23:00:00,330,F,5,ESSA,2/06:00:00,2/07:00:00,330,F,6,ENGM,");
    }
    Cells column(Board::Table table, int c) const {
        Cells cells;
        for (int row = 0; row < board.rowCount(table); ++row) cells.push_back(board.cell(table, row, c));
        return cells;
    }
};

} // namespace

TEST(AirportBoardEditor, theAirportBoxZoneAndDay) {
    Fixture f;
    EXPECT_EQ(f.board.airportText(), "Type an airport code.");
    EXPECT_FALSE(f.board.typeAirport("eng"));
    EXPECT_EQ(f.board.airport(), "") << "three letters wait for Enter";
    EXPECT_TRUE(f.board.typeAirport("engm"));
    EXPECT_EQ(f.board.aptComText(), "ENGM");
    EXPECT_EQ(f.board.airport(), "ENGM");
    EXPECT_EQ(f.board.airportText(), "ENGM Oslo");
    EXPECT_EQ(f.board.tableTitle(Board::Departures), "Departures (4)") << "daily, twice the 12-hour, weekly";
    EXPECT_EQ(f.column(Board::Departures, TimeColumn), (Cells{"01:30", "08:00", "13:30", "22:00"}));
    EXPECT_EQ(f.column(Board::Departures, DayColumn), (Cells{"", "", "", "Mon"}));
    EXPECT_EQ(f.board.header(Board::Departures, AirportColumn), "To");
    EXPECT_EQ(f.board.header(Board::Arrivals, AirportColumn), "From");
    EXPECT_EQ(f.board.header(Board::Arrivals, PercentColumn), "Percent");

    f.board.chooseZone(14); // +2
    EXPECT_EQ(f.column(Board::Departures, TimeColumn), (Cells{"00:00", "03:30", "10:00", "15:30"}));
    f.board.chooseDay(3); // Tue
    EXPECT_EQ(f.board.dayItem(), 3);
    f.board.chooseDay(2); // Mon
    EXPECT_EQ(f.board.tableTitle(Board::Departures), "Departures (3)");
    EXPECT_EQ(f.board.zone(), 14) << "the zone stays";

    EXPECT_FALSE(f.board.typeAirport("ES"));
    EXPECT_FALSE(f.board.enterAirport()) << "two letters are no code";
    f.board.typeAirport("ess");
    EXPECT_TRUE(f.board.enterAirport());
    EXPECT_EQ(f.board.airport(), "ESS");
    EXPECT_EQ(f.board.airportText(), "ESS: no flights");
    f.board.chooseAirport("essa");
    EXPECT_EQ(f.board.airportText(), "ESSA Stockholm");
    EXPECT_EQ(f.board.dayItem(), 2) << "the day stays";
}

TEST(AirportBoardEditor, sortsByAColumnAndFollowsTheTables) {
    Fixture f;
    int calls = 0;
    f.board.setChangeCallback([&] { ++calls; });
    f.board.chooseAirport("ENGM");
    EXPECT_EQ(f.board.sortColumn(Board::Departures), TimeColumn);
    f.board.clickHeader(Board::Departures, FlightColumn);
    EXPECT_EQ(f.column(Board::Departures, FlightColumn), (Cells{"5", "77", "77", "120"})) << "by number";
    EXPECT_EQ(f.column(Board::Departures, TimeColumn), (Cells{"22:00", "01:30", "13:30", "08:00"}))
        << "equal ones in time order";
    f.board.clickHeader(Board::Departures, FlightColumn);
    EXPECT_FALSE(f.board.ascending(Board::Departures));
    EXPECT_EQ(f.column(Board::Departures, FlightColumn), (Cells{"120", "77", "77", "5"}));
    EXPECT_EQ(f.column(Board::Departures, TimeColumn)[1], "01:30") << "still in time order";
    f.board.clickHeader(Board::Departures, TimeColumn);
    f.board.clickHeader(Board::Departures, TimeColumn);
    EXPECT_EQ(f.column(Board::Departures, TimeColumn), (Cells{"22:00", "13:30", "08:00", "01:30"}));
    f.board.clickHeader(Board::Departures, DayColumn);
    EXPECT_EQ(f.column(Board::Departures, DayColumn).back(), "Mon");
    f.board.clickHeader(Board::Departures, PercentColumn);
    EXPECT_EQ(f.column(Board::Departures, PercentColumn), (Cells{"25", "50", "100", "100"}));
    EXPECT_EQ(f.column(Board::Arrivals, TimeColumn), (Cells{"04:00", "07:00", "11:00", "16:00"}))
        << "each table has its own order";

    // A change to the tables: the board is stale until refreshed, and keeps its place.
    const Board::RowKey weekly = f.board.key(Board::Departures, 0);
    EXPECT_EQ(weekly.flight, 3);
    EXPECT_EQ(calls, 0);
    f.session.db.flightTable().empty(0);
    EXPECT_TRUE(f.board.stale());
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(f.board.rowCount(Board::Departures), 4) << "nothing is read until the refresh";
    f.board.refresh();
    EXPECT_FALSE(f.board.stale());
    EXPECT_EQ(f.board.rowCount(Board::Departures), 3);
    EXPECT_EQ(f.board.sortColumn(Board::Departures), PercentColumn);
    EXPECT_EQ(f.board.find(Board::Departures, weekly), 0);
    EXPECT_EQ(f.board.find(Board::Departures, Board::RowKey{0, 1, -1, 8 * 3600}), -1) << "gone";
    f.session.db.airportTable().setCell(0, AirportTable::Name, "Gardermoen");
    EXPECT_EQ(calls, 2);
}

TEST(AirportBoardEditor, aDoubleClickShowsTheFlightWithItsLegAtThisAirport) {
    Fixture f;
    f.board.chooseAirport("ENGM");
    f.board.clickHeader(Board::Arrivals, FlightColumn);               // 6, 9, 78, 78
    ASSERT_TRUE(f.board.showMovement(Board::Arrivals, 1, f.flights)); // flight 0, leg 2: ESSA-ENGM
    EXPECT_EQ(f.flights.CurrentFlightIndex(), 0);
    EXPECT_EQ(f.flights.listedAirport(), "ENGM") << "the board's airport, not the flight's home";
    EXPECT_EQ(f.flights.legs().fields().depCom, "ESSA");
    EXPECT_EQ(f.flights.legs().fields().desCom, "ENGM");

    f.board.chooseAirport("ESSA");
    f.board.clickHeader(Board::Departures, TimeColumn); // descending
    const int last = f.board.rowCount(Board::Departures) - 1;
    ASSERT_EQ(f.board.cell(Board::Departures, last, TimeColumn), "03:00") << "the first of flight 2's two";
    ASSERT_EQ(f.board.cell(Board::Departures, last - 1, DayColumn), "Tue");
    ASSERT_TRUE(f.board.showMovement(Board::Departures, last - 1, f.flights));
    EXPECT_EQ(f.flights.listedAirport(), "ESSA");
    EXPECT_EQ(f.flights.legs().fields().depCom, "ESSA");

    f.session.db.flightTable().empty(1);
    f.prompts.expect("Airport Board");
    const int rows = f.board.rowCount(Board::Departures);
    int row = 0;
    while (row < rows && f.board.row(Board::Departures, row).movement->flight != 1) ++row;
    ASSERT_LT(row, rows);
    EXPECT_FALSE(f.board.showMovement(Board::Departures, row, f.flights));
    EXPECT_EQ(f.prompts.shown().back().text,
              "Flight 1 is no longer in the traffic.\r\nThe board now shows the traffic as it is.");
    EXPECT_EQ(f.board.rowCount(Board::Departures), rows - 1) << "read again";
    EXPECT_FALSE(f.board.showMovement(Board::Departures, rows, f.flights));

    // A line with the code in small letters is listed under no such airport: its home is listed; with
    // its home in small letters too, under none.
    const int lower =
        f.add("AC#1,LN-E,50%,24Hr,IFR,06:00:00,07:00:00,330,F,1,essa,07:30:00,08:30:00,330,F,2,ENGM,");
    f.add("AC#1,LN-F,50%,24Hr,IFR,06:00:00,07:00:00,330,F,1,essa,07:30:00,08:45:00,330,F,2,engm,");
    f.board.refresh();
    f.board.clickHeader(Board::Departures, TailColumn);
    ASSERT_EQ(f.board.cell(Board::Departures, 4, TailColumn), "LN-E");
    ASSERT_TRUE(f.board.showMovement(Board::Departures, 4, f.flights));
    EXPECT_EQ(f.flights.listedAirport(), "ENGM");
    EXPECT_EQ(f.flights.CurrentFlightIndex(), lower);
    EXPECT_EQ(f.flights.legs().fields().depCom, "ESSA");
    f.prompts.expect("Airport Board");
    EXPECT_FALSE(f.board.showMovement(Board::Departures, 5, f.flights));
    EXPECT_EQ(f.prompts.shown().back().text, "Flight 5 cannot be listed on the FlightPlans page.");
}
