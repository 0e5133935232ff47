#include "legsfixture.h"

#include <gtest/gtest.h>

using namespace corvane;

namespace {

// Airports on the equator's meridian, so flight times are easy to reckon: one degree of latitude is 60
// nautical miles, a quarter of an hour at 240 knots.
struct Fixture : test::LegsFixture {
    Fixture() {
        db.airportTable().add({"AAAA", "N00* 0.0'", "W000* 0.0'", "0", "A", "-"});
        db.airportTable().add({"BBBB", "N05* 0.0'", "W000* 0.0'", "0", "B", "-"});  // 300 nm from AAAA
        db.airportTable().add({"CCCC", "N00* 40.0'", "W000* 0.0'", "0", "C", "-"}); // 40 nm from AAAA
        // A hair under 240 knots so that truncation never lands a second short.
        db.aircraftTable().add({"AC#1", "239.99", "Dash 8"});
        header.aircraft = "dash 8";
    }

    // A two-leg flight AAAA -> to -> AAAA, shown from row AAAA (the leg AAAA -> to).
    void flight(const std::string& to, bool weekly) {
        header.repeat = weekly ? "WEEK" : "24";
        legs.showDaysForRepeat();
        legs.setRows({LegRow{"AAAA", "12:00:00", "13:00:00", "100", "2", "F", "0", "0"},
                      LegRow{to, "08:00:00", "09:00:00", "100", "1", "F", "0", "0"}});
    }
    const LegRow& shown() { return legs.rows()[static_cast<std::size_t>(legs.nextRow())]; }
};

} // namespace

TEST(LegFlightSeconds, workedExampleAndWhatCannotBeComputed) {
    Fixture f;
    f.flight("BBBB", false);
    EXPECT_EQ(f.legs.LegFlightSeconds(), 5400);
    f.legs.chooseDestination("cccc");
    EXPECT_EQ(f.legs.LegFlightSeconds(), 1500) << "codes are found ignoring case";
    f.legs.chooseDestination("AAAA");
    EXPECT_EQ(f.legs.LegFlightSeconds(), 0) << "a leg from an airport to itself";
    f.legs.chooseDestination("ZZZZ");
    EXPECT_EQ(f.legs.LegFlightSeconds(), 0) << "an unknown airport";
    f.legs.chooseDestination("BBBB");
    f.header.aircraft = "Nobody";
    EXPECT_EQ(f.legs.LegFlightSeconds(), 0) << "no such aircraft";
}

TEST(UpdateETA, weeklyDepartureAcrossMidnightAndZones) {
    Fixture f;
    f.flight("BBBB", true);
    f.legs.chooseDepartureZone(13); // "+1"
    f.legs.chooseDepartureDay(1);   // Mon
    f.legs.editDepartureTime("00:30");
    EXPECT_EQ(f.shown().departure, "23:30:00");
    EXPECT_EQ(f.shown().departureDay, "0") << "Monday 00:30 at +1 is Sunday 23:30 GMT";
    EXPECT_EQ(f.shown().arrival, "01:00:00");
    EXPECT_EQ(f.shown().arrivalDay, "1");
    EXPECT_EQ(f.legs.fields().etaTxt, "01:00");
    EXPECT_EQ(f.legs.fields().arrDayCom, 1);

    f.legs.chooseDepartureDay(0); // Sun
    EXPECT_EQ(f.shown().departureDay, "6") << "Sunday 00:30 at +1 is Saturday GMT";
    EXPECT_EQ(f.shown().arrivalDay, "0");

    // Back on screen in local time: the row's GMT Saturday 23:30 is Sunday 00:30 at +1.
    f.legs.chooseLeg(0);
    EXPECT_EQ(f.legs.fields().depTxt, "00:30");
    EXPECT_EQ(f.legs.fields().depDayCom, 0);
}

TEST(UpdateETA, aDailyFlightShowsNoArrivalDay) {
    Fixture f;
    f.flight("CCCC", false);
    f.legs.editDepartureTime("23:50");
    EXPECT_EQ(f.shown().arrival, "00:15:00");
    EXPECT_EQ(f.legs.fields().arrDayCom, -1) << "no day shown for a daily flight";
}

TEST(UpdateETA, unknownAircraftArrivesAtDeparture) {
    Fixture f;
    f.flight("BBBB", true);
    f.header.aircraft = "Choose Aircraft";
    f.legs.chooseDepartureDay(3);
    f.legs.editDepartureTime("14:20");
    EXPECT_EQ(f.shown().departure, "14:20:00");
    EXPECT_EQ(f.shown().arrival, "14:20:00");
    EXPECT_EQ(f.shown().arrivalDay, "3");
    EXPECT_EQ(f.legs.fields().etaTxt, "14:20");
}

TEST(UpdateETA, impossibleTimesAreRefused) {
    Fixture f;
    f.flight("BBBB", true);
    f.legs.chooseDepartureDay(2);
    f.legs.editDepartureTime("10:59");
    ASSERT_EQ(f.shown().departure, "10:59:00");
    const auto stored = f.legs.rows();
    for (const char* typed : {"25:99", "10:60", "10:5x", "10:-5", "10:30:45", "10:30 ", "12345", "10:075"}) {
        f.prompts.expect("Wrong departure time");
        f.legs.editDepartureTime(typed);
        ASSERT_FALSE(f.prompts.shown().empty()) << typed;
        EXPECT_EQ(f.prompts.shown().back().text,
                  "The departure time must be hh:mm, with minutes from 00 to 59.");
        EXPECT_EQ(f.prompts.shown().back().icon, Icon::Exclamation);
        EXPECT_EQ(f.legs.rows(), stored) << typed << " is refused and the stored times stay";
        EXPECT_EQ(f.legs.fields().depTxt, "10:59") << typed;
    }
    f.legs.chooseDepartureDay(3);
    EXPECT_EQ(f.shown().departure, "10:59:00") << "a later recomputation uses the time kept";

    f.legs.editDepartureTime("25:00");
    EXPECT_EQ(f.shown().departure, "01:00:00") << "hours past 23 are the next day's";
    EXPECT_EQ(f.shown().departureDay, "4");
    f.legs.editDepartureTime("11:5");
    EXPECT_EQ(f.shown().departure, "01:00:00") << "an incomplete time is still being typed";
}

TEST(ZoneChange, onlyTheDisplayMoves) {
    Fixture f;
    f.flight("BBBB", true);
    f.legs.chooseDepartureDay(3);
    f.legs.editDepartureTime("21:45"); // arrives 23:15 GMT
    ASSERT_EQ(f.legs.fields().etaTxt, "23:15");
    const auto rows = f.legs.rows();
    f.legs.chooseArrivalZone(14); // "+ 2"
    EXPECT_EQ(f.legs.fields().etaTxt, "01:15");
    EXPECT_EQ(f.legs.fields().arrDayCom, 4);
    EXPECT_EQ(f.legs.fields().arrZoneTag, 14);
    EXPECT_EQ(f.legs.rows(), rows) << "the GMT times stay";
    f.legs.chooseArrivalZone(12);
    EXPECT_EQ(f.legs.fields().etaTxt, "23:15");
    EXPECT_EQ(f.legs.fields().arrDayCom, 3);

    int day = 6;
    f.header.repeat = "WEEK";
    EXPECT_EQ(f.legs.GmtToLocal("22:40", 15, day), "01:40");
    EXPECT_EQ(day, 0) << "Saturday becomes Sunday";
    f.header.repeat = "24";
    day = 6;
    EXPECT_EQ(f.legs.GmtToLocal("22:40", 15, day), "01:40");
    EXPECT_EQ(day, 6) << "days move only in weekly flights";

    Fixture empty;
    empty.legs.chooseDepartureZone(20);
    EXPECT_EQ(empty.legs.fields().depZoneTag, 20) << "without legs only the zone is remembered";
}

TEST(LegsEditor, rowsAddRemoveAndChoose) {
    Fixture f;
    f.header.repeat = "24";
    f.legs.setRows({LegRow{"ENGM", "10:00:00", "11:00:00", "100", "2", "F", "", ""},
                    LegRow{"ESSA", "08:00:00", "09:00:00", "200", "1", "R", "", ""}});
    EXPECT_EQ(f.legs.fields().depCom, "ENGM");
    EXPECT_EQ(f.legs.fields().desCom, "ESSA");
    EXPECT_EQ(f.legs.fields().depTxt, "08:00");
    EXPECT_EQ(f.legs.fields().cruiseTxt, "200");
    EXPECT_TRUE(f.legs.fields().forceTailChk);
    f.legs.chooseLeg(1);
    EXPECT_EQ(f.legs.fields().depCom, "ESSA");
    EXPECT_EQ(f.legs.fields().desCom, "ENGM");
    EXPECT_EQ(f.legs.fields().depTxt, "10:00");
    EXPECT_FALSE(f.legs.fields().forceTailChk);

    f.legs.chooseLeg(0);
    f.legs.addLeg();
    ASSERT_EQ(f.legs.rows().size(), 3u);
    EXPECT_EQ(f.legs.rows()[1].destination, "----");
    EXPECT_EQ(f.legs.fields().depCom, "----");
    EXPECT_EQ(f.legs.fields().desCom, "ESSA");

    f.prompts.expect("Delete leg", Answer::No);
    f.legs.removeLeg();
    EXPECT_EQ(f.legs.rows().size(), 3u);
    f.prompts.expect("Delete leg", Answer::Yes);
    f.legs.removeLeg();
    EXPECT_EQ(f.legs.rows().size(), 2u);
    EXPECT_EQ(f.prompts.shown().back().text, "Do you really want to delete the ---- leg?");
    f.legs.removeLeg(); // two legs: nothing, not even a question
    EXPECT_EQ(f.legs.rows().size(), 2u);

    while (f.legs.rows().size() < kMaxLegs) f.legs.addLeg();
    f.prompts.expect("Too many legs");
    f.legs.addLeg();
    EXPECT_EQ(f.prompts.shown().back().text, "You are currently not allowed to use more than 25 legs!");
    EXPECT_EQ(f.legs.rows().size(), 25u);
}

TEST(LegsEditor, fieldEditsGoIntoTheLegOnScreen) {
    Fixture f;
    f.flight("BBBB", false);
    EXPECT_FALSE(f.legs.typeDestination("cc"));
    EXPECT_EQ(f.legs.fields().desCom, "cc");
    EXPECT_NE(f.shown().destination, "CC") << "two letters wait for Enter";
    EXPECT_TRUE(f.legs.typeDestination("cccc"));
    EXPECT_EQ(f.shown().destination, "CCCC");
    EXPECT_EQ(f.shown().arrival, "08:25:00") << "a new arrival is proposed";
    f.legs.editAltitude("350");
    f.legs.editFlightNumber("SK 101");
    f.legs.setTailFlag(true);
    EXPECT_EQ(f.shown().altitude, "350");
    EXPECT_EQ(f.shown().flightNumber, "SK 101");
    EXPECT_EQ(f.shown().tailFlag, "R");
    f.legs.chooseDeparture("XXXX");
    EXPECT_EQ(f.legs.rows()[0].destination, "XXXX") << "the departure is the selected row's airport";
}

// A comma would shift every later field of the flight line.
TEST(LegsEditor, noCommaReachesTheFlightLine) {
    Fixture f;
    f.flight("BBBB", false);
    f.legs.editDepartureTime("09:00");
    f.legs.editFlightNumber("SK 101");
    const auto stored = f.legs.rows();
    const LegFields shown = f.legs.fields();
    auto refused = [&](const char* what, auto edit) {
        const std::size_t before = f.prompts.shown().size();
        f.prompts.expect("Do not use comma");
        edit();
        ASSERT_EQ(f.prompts.shown().size(), before + 1) << what;
        EXPECT_EQ(f.prompts.shown().back().text, "The character comma '','' is not allowed!") << what;
        EXPECT_EQ(f.legs.rows(), stored) << what << ": the stored leg stays";
    };
    refused("typed departure", [&] { f.legs.typeDeparture("KS,A"); });
    refused("departure on Enter", [&] { f.legs.chooseDeparture("KS,"); });
    refused("typed destination", [&] { f.legs.typeDestination("CC,C"); });
    refused("short destination", [&] { f.legs.typeDestination("C,"); });
    refused("destination on Enter", [&] { f.legs.chooseDestination("C,C"); });
    refused("departure time", [&] { f.legs.editDepartureTime("09,30"); });
    refused("short departure time", [&] { f.legs.editDepartureTime("9,3"); });
    refused("altitude", [&] { f.legs.editAltitude("3,50"); });
    refused("flight number", [&] { f.legs.editFlightNumber("1,2"); });
    EXPECT_EQ(f.legs.fields().depCom, shown.depCom);
    EXPECT_EQ(f.legs.fields().desCom, shown.desCom);
    EXPECT_EQ(f.legs.fields().depTxt, shown.depTxt);
    EXPECT_EQ(f.legs.fields().flightNrTxt, "SK 101");
    f.legs.enterDestination();
    f.legs.editDepartureTime("09:00");
    EXPECT_EQ(f.legs.rows(), stored) << "what the fields still hold is what was stored";
}
