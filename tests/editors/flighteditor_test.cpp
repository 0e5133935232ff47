#include "editors/flighteditor.h"
#include "recordingprogress.h"
#include "scriptedprompts.h"
#include "testflights.h"

#include <gtest/gtest.h>

using namespace corvane;

namespace {

struct Fixture {
    test::ScriptedPrompts prompts;
    test::RecordingProgress progress;
    Session session{prompts, progress};
    FlightEditor editor{session};

    Fixture() {
        for (const char* code : {"ENGM", "ESSA", "EKCH", "BGO", "ENBR"}) {
            session.db.airportTable().add({code, "N60* 0.0'", "E10* 0.0'", "0", "-", "-"});
            session.db.airportCodes().add(code);
        }
        session.db.aircraftTable().add({"AC#1", "450", "Boeing 737"});
        session.db.aircraftTable().add({"AC#2", "280", "Dash 8"});
        AddInstalledAircraft(session.db);
    }
    int add(const std::string& line) { return session.db.flightTable().append(line); }
    std::vector<std::string> summaries() const {
        std::vector<std::string> texts;
        for (const auto& row : editor.flightsLst()) texts.push_back(row.summary);
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
        f.editor.chooseAirport(code);
        EXPECT_NE(std::find(f.summaries().begin(), f.summaries().end(), "ENGM-ESSA-EKCH"),
                  f.summaries().end())
            << code;
        EXPECT_EQ(f.editor.infoLbl(), std::string("Flights at ") + code);
    }
    f.editor.chooseAirport("ENGM");
    EXPECT_EQ(f.summaries(), (std::vector<std::string>{"ENGM-ENBR", "ENGM-ESSA-EKCH"}));
    EXPECT_EQ(f.editor.CurrentFlightIndex(), 2) << "the first row in sorted order is loaded";

    f.editor.chooseAirport("BGO");
    EXPECT_TRUE(f.editor.flightsLst().empty());
    EXPECT_EQ(f.editor.infoLbl(), "Flights at BGO");
    EXPECT_EQ(f.editor.CurrentFlightIndex(), -1);
    EXPECT_EQ(f.editor.header().percent, "100");
    EXPECT_EQ(f.editor.header().aircraft, "Choose Aircraft");

    f.editor.chooseAirport("");
    EXPECT_EQ(f.editor.flightsLst().size(), 2u) << "an empty code lists every flight";
    EXPECT_EQ(f.editor.infoLbl(), "Flights at ");
    EXPECT_EQ(f.progress.events().back(), "end");
}

TEST(FlightEditor, typeAheadInTheAirportCombo) {
    Fixture f;
    f.add(kLoop);
    EXPECT_FALSE(f.editor.typeAirport("en"));
    EXPECT_TRUE(f.editor.flightsLst().empty());
    EXPECT_TRUE(f.editor.typeAirport("engm"));
    EXPECT_EQ(f.editor.aptComText(), "ENGM");
    EXPECT_EQ(f.editor.flightsLst().size(), 1u);
    EXPECT_FALSE(f.editor.typeAirport("bg"));
    EXPECT_FALSE(f.editor.enterAirport()) << "two letters are not enough, even on Enter";
    f.editor.typeAirport("bgo");
    EXPECT_TRUE(f.editor.enterAirport());
    EXPECT_EQ(f.editor.infoLbl(), "Flights at BGO");
}

TEST(FlightEditor, readAndSaveAFlight) {
    Fixture f;
    const int index = f.add(kLoop);
    f.editor.chooseAirport("ENGM");
    EXPECT_EQ(f.editor.header().aircraft, "Boeing 737");
    EXPECT_EQ(f.editor.header().tail, "LN-A");
    EXPECT_EQ(f.editor.header().percent, "80");
    EXPECT_EQ(f.editor.legs().rows().size(), 3u);
    EXPECT_EQ(f.editor.legs().fields().depCom, "ENGM");

    f.editor.editTail("LN-B");
    f.editor.chooseAircraft("DASH 8");
    f.editor.chooseRules(false);
    f.editor.editPercent("250");
    EXPECT_EQ(f.editor.header().percent, "100");
    f.editor.editPercent("abc");
    EXPECT_EQ(f.editor.header().percent, "0");
    f.editor.editPercent("-5");
    EXPECT_EQ(f.editor.header().percent, "-5");
    f.editor.editPercent("99999");
    EXPECT_EQ(f.editor.header().percent, "100") << "no overflow";
    f.editor.editPercent("60");
    f.prompts.expect("Do not use comma").expect("Do not use comma");
    f.editor.editTail("LN,C");
    f.editor.editPercent("6,0");
    EXPECT_EQ(f.editor.header().tail, "LN-B");
    EXPECT_EQ(f.editor.header().percent, "60");

    f.editor.chooseAirport("ESSA"); // a write-back point
    EXPECT_EQ(f.session.db.flightTable().at(index),
              "AC#2,LN-B,60%,24Hr,VFR,08:00:00,08:15:00,330,F,1,ESSA,10:00:00,11:00:00,330,F,2,EKCH,"
              "12:00:00,13:00:00,330,F,3,ENGM,")
        << "the new aircraft proposed a new arrival for the leg on screen (all airports share one place)";

    f.editor.chooseAircraft("Choose Aircraft");
    f.editor.SaveToLST();
    EXPECT_EQ(f.session.db.flightTable().at(index).substr(0, 5), "AC#2,")
        << "no aircraft chosen keeps the number";
}

TEST(FlightEditor, theAircraftOfANumberInAnyWriting) {
    // The aircraft shown is the one the writer will give the flight: AC#001 and ac#2 are AC#1 and AC#2.
    Fixture f;
    f.add("AC#001,A,80%,24Hr,IFR,08:00:00,09:00:00,330,F,1,ESSA,10:00:00,11:00:00,330,F,2,ENGM,");
    f.add("ac#2,B,80%,24Hr,IFR,08:00:00,09:00:00,330,F,1,EKCH,10:00:00,11:00:00,330,F,2,ENGM,");
    f.editor.chooseAirport("ESSA");
    EXPECT_EQ(f.editor.header().aircraft, "Boeing 737");
    f.editor.chooseAirport("EKCH");
    EXPECT_EQ(f.editor.header().aircraft, "Dash 8");
    f.editor.SaveToLST();
    EXPECT_EQ(f.session.db.flightTable().at(1).substr(0, 5), "AC#2,") << "saved with the row's number";
}

TEST(FlightEditor, clickingTheLoadedFlightNeitherSavesNorReloads) {
    Fixture f;
    const int index = f.add(kLoop);
    f.editor.chooseAirport("ENGM");
    f.editor.editTail("changed");
    f.editor.chooseFlight(0);
    EXPECT_EQ(f.editor.header().tail, "changed");
    EXPECT_EQ(f.session.db.flightTable().at(index), kLoop);
}

TEST(FlightEditor, addAndDeleteFlights) {
    Fixture f;
    f.add(kLoop);
    f.editor.addFlight();
    EXPECT_EQ(f.session.db.flightTable().count(), 1) << "nothing listed yet";
    f.editor.chooseAirport("ENGM");
    f.editor.addFlight();
    ASSERT_EQ(f.session.db.flightTable().count(), 2);
    EXPECT_EQ(f.session.db.flightTable().at(1), std::string(kNewFlightTemplate) + "ENGM,");
    EXPECT_EQ(f.summaries(), (std::vector<std::string>{"ENGM-----", "ENGM-ESSA-EKCH"}));
    EXPECT_EQ(f.editor.CurrentFlightIndex(), 1);
    EXPECT_EQ(f.editor.header().aircraft, "Choose Aircraft");
    EXPECT_EQ(f.editor.legs().fields().depCom, "ENGM");
    EXPECT_EQ(f.editor.legs().fields().desCom, "----");

    f.prompts.expect("Delete selected flight", Answer::No);
    f.editor.deleteFlight();
    EXPECT_EQ(f.session.db.flightTable().at(1), std::string(kNewFlightTemplate) + "ENGM,");
    EXPECT_EQ(f.prompts.shown().back().text, "Do you really want to delete ENGM-----?");
    f.prompts.expect("Delete selected flight", Answer::Yes);
    f.editor.deleteFlight();
    EXPECT_TRUE(f.session.db.flightTable().at(1).empty()) << "the entry stays, empty";
    EXPECT_EQ(f.summaries(), std::vector<std::string>{"ENGM-ESSA-EKCH"});
    EXPECT_EQ(f.editor.CurrentFlightIndex(), 0) << "the flight now selected is loaded";

    f.editor.typeAirport("bgo");
    f.editor.enterAirport();
    f.editor.addFlight();
    EXPECT_EQ(f.session.db.flightTable().count(), 2) << "three-letter codes cannot receive flights here";
}

TEST(FlightEditor, weeklyRepeatStartsEveryLegOnSunday) {
    Fixture f;
    const int index = f.add(kLoop);
    f.editor.chooseAirport("ENGM");
    f.editor.chooseRepeat("WEEK");
    for (const auto& row : f.editor.legs().rows()) EXPECT_EQ(row.departureDay, "0");
    EXPECT_EQ(f.editor.legs().fields().depDayCom, 0);
    EXPECT_TRUE(f.editor.legs().fields().depDayEnabled);
    f.editor.SaveToLST();
    EXPECT_EQ(f.session.db.flightTable().at(index).substr(0, 35), "AC#1,LN-A,80%,WEEK,IFR,0/08:00:00,0");
    f.editor.chooseRepeat("12");
    EXPECT_FALSE(f.editor.legs().fields().depDayEnabled);
    EXPECT_EQ(f.editor.legs().fields().depDayCom, -1);
    f.editor.SaveToLST();
    EXPECT_EQ(f.session.db.flightTable().at(index).substr(0, 32), "AC#1,LN-A,80%,12Hr,IFR,08:00:00,");
}

TEST(FlightEditor, showsAFlightAndPutsOneOfItsLegsOnScreen) {
    Fixture f;
    const int shuttle =
        f.add("AC#2,-,50%,24Hr,IFR,08:00:00,09:00:00,100,F,1,ENBR,10:00:00,11:00:00,100,F,2,ENGM,");
    const int loop = f.add(kLoop);
    const int deleted = f.add("");
    f.editor.chooseAirport("BGO");

    const struct {
        int leg;
        int row;
        const char* from;
        const char* to;
    } legs[] = {{1, 0, "ENGM", "ESSA"}, {2, 1, "ESSA", "EKCH"}, {3, 2, "EKCH", "ENGM"}};
    for (const auto& leg : legs) {
        ASSERT_TRUE(f.editor.showFlight(loop, leg.leg));
        EXPECT_EQ(f.editor.aptComText(), "ENGM") << "the flight's home airport";
        EXPECT_EQ(f.editor.infoLbl(), "Flights at ENGM");
        EXPECT_EQ(f.editor.CurrentFlightIndex(), loop);
        ASSERT_GE(f.editor.selectedFlightRow(), 0);
        EXPECT_EQ(f.editor.flightsLst()[static_cast<std::size_t>(f.editor.selectedFlightRow())].index, loop);
        EXPECT_EQ(f.editor.legs().selectedRow(), leg.row);
        EXPECT_EQ(f.editor.legs().fields().depCom, leg.from) << leg.leg;
        EXPECT_EQ(f.editor.legs().fields().desCom, leg.to) << leg.leg;
    }

    // The flight on screen is stored before another is shown; the whole flight shows its first row.
    f.editor.editTail("LN-NEW");
    ASSERT_TRUE(f.editor.showFlight(shuttle));
    EXPECT_EQ(f.session.db.flightTable().at(loop).substr(0, 11), "AC#1,LN-NEW");
    EXPECT_EQ(f.editor.aptComText(), "ENGM");
    EXPECT_EQ(f.editor.CurrentFlightIndex(), shuttle);
    EXPECT_EQ(f.editor.legs().selectedRow(), 0);

    EXPECT_FALSE(f.editor.showFlight(deleted, 1));
    EXPECT_FALSE(f.editor.showFlight(99));
    EXPECT_FALSE(f.editor.showFlight(-1));
    EXPECT_EQ(f.editor.CurrentFlightIndex(), shuttle) << "nothing changed";
}

TEST(FlightEditor, anUnchangedFlightIsNotStoredAgain) {
    Fixture f;
    struct Counter final : TableObserver {
        int changes = 0;
        void cellChanged(int, int) override { ++changes; }
    } counter;
    f.session.db.flightTable().observers().add(&counter);
    f.add(kLoop);
    f.editor.chooseAirport("ENGM");
    f.editor.SaveToLST();
    EXPECT_EQ(counter.changes, 0);
    f.editor.editTail("LN-B");
    f.editor.SaveToLST();
    EXPECT_EQ(counter.changes, 1);
    f.session.db.flightTable().observers().remove(&counter);
}
