#include "sessionfixture.h"
#include "testflights.h"

#include <gtest/gtest.h>

using namespace corvane;

namespace {

struct Fixture : test::SessionFixture {
    Fixture() {
        for (const char* code : {"ENGM", "ESSA", "EKCH", "BGO", "ENBR"}) addAirport(code);
        session.db.aircraftTable().add({"AC#1", "450", "Boeing 737"});
        session.db.aircraftTable().add({"AC#2", "280", "Dash 8"});
        AddInstalledAircraft(session.db);
    }
    std::vector<std::string> summaries() const {
        std::vector<std::string> texts;
        for (const auto& row : flights.flightsLst()) texts.push_back(row.summary);
        return texts;
    }
};

using test::kLoop;

} // namespace

TEST(FlightEditor, summariesAndTheFlightsOfAnAirport) {
    EXPECT_EQ(RouteSummary(kLoop), "ENGM-ESSA-EKCH");
    EXPECT_EQ(
        RouteSummary("AC#1,-,50%,24Hr,IFR,a,b,c,d,e,AAAA,a,b,c,d,e,bbbb,a,b,c,d,e,CCCC,a,b,c,d,e,HOME,"),
        "HOME-AAAA-BBBB...");
    EXPECT_EQ(
        RouteSummary("AC#1,-,50%,24Hr,IFR,a,b,c,d,e,AAAAA,a,b,c,d,e,BBBBB,a,b,c,d,e,CC,a,b,c,d,e,HOME,"),
        "HOME-AAAAA-BBBBB")
        << "past 14 characters nothing more is added";
    EXPECT_EQ(RouteSummary(std::string(kNewFlightTemplate) + "ENGM,"), "ENGM-----");

    Fixture f;
    f.add(kLoop);
    f.add("");
    f.add("AC#2,-,50%,24Hr,IFR,08:00:00,09:00:00,100,F,1,ENBR,10:00:00,11:00:00,100,F,2,ENGM,");
    for (const char* code : {"ENGM", "ESSA", "EKCH"}) {
        f.flights.chooseAirport(code);
        EXPECT_NE(std::find(f.summaries().begin(), f.summaries().end(), "ENGM-ESSA-EKCH"),
                  f.summaries().end())
            << code;
        EXPECT_EQ(f.flights.infoLbl(), std::string("Flights at ") + code);
    }
    f.flights.chooseAirport("ENGM");
    EXPECT_EQ(f.summaries(), (std::vector<std::string>{"ENGM-ENBR", "ENGM-ESSA-EKCH"}));
    EXPECT_EQ(f.flights.CurrentFlightIndex(), 2) << "the first row in sorted order is loaded";

    f.flights.chooseAirport("BGO");
    EXPECT_TRUE(f.flights.flightsLst().empty());
    EXPECT_EQ(f.flights.infoLbl(), "Flights at BGO");
    EXPECT_EQ(f.flights.CurrentFlightIndex(), -1);
    EXPECT_EQ(f.flights.header().percent, "100");
    EXPECT_EQ(f.flights.header().aircraft, "Choose Aircraft");

    f.flights.chooseAirport("");
    EXPECT_EQ(f.flights.flightsLst().size(), 2u) << "an empty code lists every flight";
    EXPECT_EQ(f.flights.infoLbl(), "Flights at ");
    EXPECT_EQ(f.progress.events().back(), "end");
}

TEST(FlightEditor, typeAheadInTheAirportCombo) {
    Fixture f;
    f.add(kLoop);
    EXPECT_FALSE(f.flights.typeAirport("en"));
    EXPECT_TRUE(f.flights.flightsLst().empty());
    EXPECT_TRUE(f.flights.typeAirport("engm"));
    EXPECT_EQ(f.flights.aptComText(), "ENGM");
    EXPECT_EQ(f.flights.flightsLst().size(), 1u);
    EXPECT_FALSE(f.flights.typeAirport("bg"));
    EXPECT_FALSE(f.flights.enterAirport()) << "two letters are not enough, even on Enter";
    f.flights.typeAirport("bgo");
    EXPECT_TRUE(f.flights.enterAirport());
    EXPECT_EQ(f.flights.infoLbl(), "Flights at BGO");
}

TEST(FlightEditor, readAndSaveAFlight) {
    Fixture f;
    const int index = f.add(kLoop);
    f.flights.chooseAirport("ENGM");
    EXPECT_EQ(f.flights.header().aircraft, "Boeing 737");
    EXPECT_EQ(f.flights.header().tail, "LN-A");
    EXPECT_EQ(f.flights.header().percent, "80");
    EXPECT_EQ(f.flights.legs().rows().size(), 3u);
    EXPECT_EQ(f.flights.legs().fields().depCom, "ENGM");

    f.flights.editTail("LN-B");
    f.flights.chooseAircraft("DASH 8");
    f.flights.chooseRules(false);
    // At most 100; no number is 0; a number too large for the stored type does not overflow.
    for (const auto& [typed, shown] :
         {std::pair{"250", "100"}, {"abc", "0"}, {"-5", "-5"}, {"99999", "100"}}) {
        f.flights.editPercent(typed);
        EXPECT_EQ(f.flights.header().percent, shown) << typed;
    }
    f.flights.editPercent("60");
    f.prompts.expect("Do not use comma").expect("Do not use comma");
    f.flights.editTail("LN,C");
    f.flights.editPercent("6,0");
    EXPECT_EQ(f.flights.header().tail, "LN-B");
    EXPECT_EQ(f.flights.header().percent, "60");

    f.flights.chooseAirport("ESSA"); // a write-back point
    EXPECT_EQ(f.line(index),
              "AC#2,LN-B,60%,24Hr,VFR,08:00:00,08:15:00,330,F,1,ESSA,10:00:00,11:00:00,330,F,2,EKCH,"
              "12:00:00,13:00:00,330,F,3,ENGM,")
        << "the new aircraft proposed a new arrival for the leg on screen (all airports share one place)";

    f.flights.chooseAircraft("Choose Aircraft");
    f.flights.SaveToLST();
    EXPECT_EQ(f.line(index).substr(0, 5), "AC#2,") << "no aircraft chosen keeps the number";
}

TEST(FlightEditor, theAircraftOfANumberInAnyWriting) {
    // The aircraft shown is the one the writer will give the flight: AC#001 and ac#2 are AC#1 and AC#2.
    Fixture f;
    f.add("AC#001,A,80%,24Hr,IFR,08:00:00,09:00:00,330,F,1,ESSA,10:00:00,11:00:00,330,F,2,ENGM,");
    f.add("ac#2,B,80%,24Hr,IFR,08:00:00,09:00:00,330,F,1,EKCH,10:00:00,11:00:00,330,F,2,ENGM,");
    f.flights.chooseAirport("ESSA");
    EXPECT_EQ(f.flights.header().aircraft, "Boeing 737");
    f.flights.chooseAirport("EKCH");
    EXPECT_EQ(f.flights.header().aircraft, "Dash 8");
    f.flights.SaveToLST();
    EXPECT_EQ(f.line(1).substr(0, 5), "AC#2,") << "saved with the row's number";
}

TEST(FlightEditor, addAndDeleteFlights) {
    Fixture f;
    f.add(kLoop);
    f.flights.addFlight();
    EXPECT_EQ(f.session.db.flightTable().count(), 1) << "nothing listed yet";
    f.flights.chooseAirport("ENGM");
    f.flights.addFlight();
    ASSERT_EQ(f.session.db.flightTable().count(), 2);
    EXPECT_EQ(f.line(1), std::string(kNewFlightTemplate) + "ENGM,");
    EXPECT_EQ(f.summaries(), (std::vector<std::string>{"ENGM-----", "ENGM-ESSA-EKCH"}));
    EXPECT_EQ(f.flights.CurrentFlightIndex(), 1);
    EXPECT_EQ(f.flights.header().aircraft, "Choose Aircraft");
    EXPECT_EQ(f.flights.legs().fields().depCom, "ENGM");
    EXPECT_EQ(f.flights.legs().fields().desCom, "----");

    f.prompts.expect("Delete selected flight", Answer::No);
    f.flights.deleteFlight();
    EXPECT_EQ(f.line(1), std::string(kNewFlightTemplate) + "ENGM,");
    EXPECT_EQ(f.prompts.shown().back().text, "Do you really want to delete ENGM-----?");
    f.prompts.expect("Delete selected flight", Answer::Yes);
    f.flights.deleteFlight();
    EXPECT_TRUE(f.line(1).empty()) << "the entry stays, empty";
    EXPECT_EQ(f.summaries(), std::vector<std::string>{"ENGM-ESSA-EKCH"});
    EXPECT_EQ(f.flights.CurrentFlightIndex(), 0) << "the flight now selected is loaded";

    f.flights.typeAirport("bgo");
    f.flights.enterAirport();
    f.flights.addFlight();
    EXPECT_EQ(f.session.db.flightTable().count(), 2) << "three-letter codes cannot receive flights here";
}

TEST(FlightEditor, weeklyRepeatStartsEveryLegOnSunday) {
    Fixture f;
    const int index = f.add(kLoop);
    f.flights.chooseAirport("ENGM");
    f.flights.chooseRepeat("WEEK");
    for (const auto& row : f.flights.legs().rows()) EXPECT_EQ(row.departureDay, "0");
    EXPECT_EQ(f.flights.legs().fields().depDayCom, 0);
    EXPECT_TRUE(f.flights.legs().fields().depDayEnabled);
    f.flights.SaveToLST();
    EXPECT_EQ(f.line(index).substr(0, 35), "AC#1,LN-A,80%,WEEK,IFR,0/08:00:00,0");
    f.flights.chooseRepeat("12");
    EXPECT_FALSE(f.flights.legs().fields().depDayEnabled);
    EXPECT_EQ(f.flights.legs().fields().depDayCom, -1);
    f.flights.SaveToLST();
    EXPECT_EQ(f.line(index).substr(0, 32), "AC#1,LN-A,80%,12Hr,IFR,08:00:00,");
}

TEST(FlightEditor, showsAFlightAndPutsOneOfItsLegsOnScreen) {
    Fixture f;
    const int shuttle =
        f.add("AC#2,-,50%,24Hr,IFR,08:00:00,09:00:00,100,F,1,ENBR,10:00:00,11:00:00,100,F,2,ENGM,");
    const int loop = f.add(kLoop);
    const int deleted = f.add("");
    f.flights.chooseAirport("BGO");

    const struct {
        int leg;
        int row;
        const char* from;
        const char* to;
    } legs[] = {{1, 0, "ENGM", "ESSA"}, {2, 1, "ESSA", "EKCH"}, {3, 2, "EKCH", "ENGM"}};
    for (const auto& leg : legs) {
        ASSERT_TRUE(f.flights.showFlight(loop, leg.leg));
        EXPECT_EQ(f.flights.aptComText(), "ENGM") << "the flight's home airport";
        EXPECT_EQ(f.flights.infoLbl(), "Flights at ENGM");
        EXPECT_EQ(f.flights.CurrentFlightIndex(), loop);
        ASSERT_GE(f.flights.selectedFlightRow(), 0);
        EXPECT_EQ(f.flights.flightsLst()[static_cast<std::size_t>(f.flights.selectedFlightRow())].index,
                  loop);
        EXPECT_EQ(f.flights.legs().selectedRow(), leg.row);
        EXPECT_EQ(f.flights.legs().fields().depCom, leg.from) << leg.leg;
        EXPECT_EQ(f.flights.legs().fields().desCom, leg.to) << leg.leg;
    }

    // The flight on screen is stored before another is shown; the whole flight shows its first row.
    f.flights.editTail("LN-NEW");
    ASSERT_TRUE(f.flights.showFlight(shuttle));
    EXPECT_EQ(f.line(loop).substr(0, 11), "AC#1,LN-NEW");
    EXPECT_EQ(f.flights.aptComText(), "ENGM");
    EXPECT_EQ(f.flights.CurrentFlightIndex(), shuttle);
    EXPECT_EQ(f.flights.legs().selectedRow(), 0);

    EXPECT_FALSE(f.flights.showFlight(deleted, 1));
    EXPECT_FALSE(f.flights.showFlight(99));
    EXPECT_FALSE(f.flights.showFlight(-1));
    EXPECT_EQ(f.flights.CurrentFlightIndex(), shuttle) << "nothing changed";
}

TEST(FlightEditor, theLoadedFlightIsStoredOnlyWhenChanged) {
    Fixture f;
    struct Counter final : TableObserver {
        int changes = 0;
        void cellChanged(int, int) override { ++changes; }
    } counter;
    f.session.db.flightTable().observers().add(&counter);
    f.add(kLoop);
    f.flights.chooseAirport("ENGM");
    f.flights.SaveToLST();
    EXPECT_EQ(counter.changes, 0);
    f.flights.editTail("LN-B");
    f.flights.chooseFlight(0);
    EXPECT_EQ(f.flights.header().tail, "LN-B") << "clicking the loaded flight neither reloads it";
    EXPECT_EQ(counter.changes, 0) << "nor stores it";
    f.flights.SaveToLST();
    EXPECT_EQ(counter.changes, 1);
    f.session.db.flightTable().observers().remove(&counter);
}
