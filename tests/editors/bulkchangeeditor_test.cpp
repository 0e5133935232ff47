// The dialogs of the bulk schedule changes without their widgets: what they count before a run, what
// they refuse, and their runs as single steps that propose what the legs editor proposes.

#include "editors/rerouteeditor.h"
#include "editors/retimeeditor.h"
#include "sessionfixture.h"

#include <gtest/gtest.h>

using namespace corvane;

namespace {

struct Fixture : test::SessionFixture {
    // 0: ENGM-ESSA-ENGM. 1: weekly EKCH-ESSA-EKCH over Saturday night. 2: an unknown aircraft. 3:
    // ENGM-ESSA-EKCH.
    Fixture() {
        const char* airports[][3] = {{"ENGM", "N60* 11.63'", "E11* 6.02'"},
                                     {"ESSA", "N59* 38.91'", "E17* 55.73'"},
                                     {"EKCH", "N55* 37.07'", "E12* 39.36'"}};
        for (const auto& [code, latitude, longitude] : airports) addAirport(code, latitude, longitude);
        session.db.aircraftTable().add({"AC#1", "450", "Boeing 737"});
        AddInstalledAircraft(session.db);
        add("AC#1,T0,100%,24Hr,IFR,08:00:00,08:10:00,100,F,1,ESSA,10:00:00,10:05:00,100,F,2,ENGM,");
        add("AC#1,T1,100%,WEEK,IFR,6/23:30:00,6/23:40:00,100,F,1,ESSA,0/01:00:00,0/01:05:00,100,F,2,EKCH,");
        add("AC#9,T2,100%,24Hr,IFR,08:00:00,08:10:00,100,F,1,ESSA,10:00:00,10:05:00,100,F,2,ENGM,");
        add("AC#1,T3,100%,24Hr,IFR,08:00:00,08:10:00,100,F,1,ESSA,10:00:00,10:05:00,100,F,2,EKCH,12:00:00,"
            "12:05:00,100,F,3,ENGM,");
        session.db.journal().clear();
    }
};

} // namespace

TEST(RetimeEditor, proposesWhatTheLegsEditorProposes) {
    Fixture f;
    // Each leg retyped in the legs editor, at its own departure: the arrivals it proposes.
    std::vector<std::string> typed;
    for (int flight : {0, 1, 3}) {
        ASSERT_TRUE(f.flights.showFlight(flight));
        LegsEditor& legs = f.flights.legs();
        for (int row = 0; row < static_cast<int>(legs.rows().size()); ++row) {
            legs.chooseLeg(row);
            legs.editDepartureTime(legs.fields().depTxt);
        }
        typed.push_back(f.flights.flightLine());
        f.flights.forgetFlight(); // the table keeps its lines
    }
    ASSERT_EQ(f.session.db.journal().stepCount(), 0);

    RetimeEditor retime(f.session.db, f.flights, f.prompts);
    EXPECT_EQ(
        retime.previewText(),
        "7 legs of 3 flights of the 4 flights selected get a new arrival time. Kept: 2 legs whose aircraft "
        "has no cruise speed.");
    f.prompts.expect(std::string(RetimeEditor::kCaption));
    ASSERT_TRUE(retime.run());
    EXPECT_EQ(f.prompts.shown().back().text, "Set the arrival time of 7 legs in 3 flights from the cruise "
                                             "speeds.\r\n\r\n2 legs kept their arrival "
                                             "time:\r\n2 legs whose aircraft has no cruise speed");
    EXPECT_EQ(f.line(0), typed[0]);
    EXPECT_EQ(f.line(1), typed[1]) << "the arrival day follows, as in the legs editor";
    EXPECT_EQ(f.line(3), typed[2]);
    const ChangeJournal& journal = f.session.db.journal();
    ASSERT_EQ(journal.stepCount(), 1);
    EXPECT_EQ(journal.undoText(), "Set arrival times from cruise speeds");
}

TEST(RetimeEditor, choicesRefusedAndTheFlightBeingEdited) {
    Fixture f;
    ASSERT_TRUE(f.flights.showFlight(0));
    f.flights.editTail("N737");
    RetimeEditor retime(f.session.db, f.flights, f.prompts);
    EXPECT_NE(f.line(0).find(",N737,"), std::string::npos)
        << "the flight being edited is counted as it stands";
    retime.chooseOption(FilterSelection::Kind::Airport);
    EXPECT_EQ(retime.previewText(), "You must enter minimun the first letter of the ICAO airport code.");
    f.prompts.expect("Enter ICAO airport code");
    EXPECT_FALSE(retime.run());
    retime.editIcao("ek");
    EXPECT_EQ(retime.previewText(), "5 legs of 2 flights of the 2 flights selected get a new arrival time.");
    retime.chooseOption(FilterSelection::Kind::Aircraft);
    f.prompts.expect("Select aircraft");
    EXPECT_FALSE(retime.run());
    EXPECT_EQ(f.session.db.journal().stepCount(), 1) << "only the stored edit of the tail";
    EXPECT_EQ(f.flights.CurrentFlightIndex(), 0) << "a refused run keeps the flight";
    retime.chooseAircraft(0); // Boeing 737
    f.prompts.expect(std::string(RetimeEditor::kCaption));
    EXPECT_TRUE(retime.run());
    EXPECT_EQ(f.flights.CurrentFlightIndex(), -1) << "a run lets go of the flight";
    EXPECT_EQ(retime.previewText(), "No leg of the 3 flights selected gets a new arrival time.");
}

TEST(RerouteEditor, countsRefusalsAndReport) {
    Fixture f;
    RerouteEditor reroute(f.session.db, f.flights, f.prompts);
    reroute.editFrom("essa");
    EXPECT_EQ(reroute.fromText(), "ESSA");
    EXPECT_EQ(reroute.previewText(), "Enter the code of the airport that is to take the traffic.");
    reroute.editTo("zzzz");
    EXPECT_EQ(reroute.previewText(),
              "The airport ZZZZ is not in the airport table, so saving or compiling would "
              "drop every flight moved to it.\r\nAdd it on the Airports page first.");
    f.prompts.expect("Unknown airport");
    EXPECT_FALSE(reroute.run());
    reroute.editTo("ekch");
    EXPECT_EQ(
        reroute.previewText(),
        "2 flights with 4 legs to or from ESSA will fly to or from EKCH instead. 2 flights are left as they "
        "are: a leg of each would depart from and arrive at EKCH.");
    reroute.setRemoveOld(true);
    EXPECT_EQ(
        reroute.previewText(),
        "2 flights with 4 legs to or from ESSA will fly to or from EKCH instead. 2 flights are left as they "
        "are: a leg of each would depart from and arrive at EKCH. ESSA stays in the airport table, as they "
        "still fly there.");
    EXPECT_EQ(f.session.db.journal().stepCount(), 0) << "counting changes nothing";

    f.prompts.expect(std::string(RerouteEditor::kCaption));
    ASSERT_TRUE(reroute.run());
    EXPECT_EQ(f.prompts.shown().back().text,
              "Moved the traffic of ESSA to EKCH: 2 flights with 4 legs to or from ESSA.\r\n\r\n"
              "2 flights are left as they are: a leg of each would depart from and arrive at EKCH.\r\n"
              "flight 1: EKCH-ESSA (T1)\r\nflight 3: ENGM-ESSA-EKCH (T3)\r\n\r\n"
              "ESSA stays in the airport table: the flights left as they are still fly there.");
    EXPECT_EQ(f.line(0),
              "AC#1,T0,100%,24Hr,IFR,08:00:00,08:10:00,100,F,1,EKCH,10:00:00,10:05:00,100,F,2,ENGM,");
    ASSERT_EQ(f.session.db.journal().stepCount(), 1);
    EXPECT_EQ(f.session.db.journal().undoText(), "Move an airport's traffic");

    // Once nothing flies there, the old airport can go.
    f.session.db.flightTable().empty(1);
    f.session.db.flightTable().empty(3);
    reroute.editTo("ENGM");
    EXPECT_EQ(reroute.previewText(), "No flight flies to or from ESSA. ESSA leaves the airport table.");
    f.prompts.expect(std::string(RerouteEditor::kCaption));
    ASSERT_TRUE(reroute.run());
    EXPECT_EQ(f.prompts.shown().back().text,
              "Moved the traffic of ESSA to ENGM: 0 flights with 0 legs to or from "
              "ESSA.\r\n\r\nESSA was taken out of the airport table.");
    EXPECT_EQ(f.session.db.airportTable().findByIcao("ESSA"), -1);
}
