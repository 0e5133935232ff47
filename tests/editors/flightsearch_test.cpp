#include "editors/flightsearch.h"
#include "traffic/trafficdatabase.h"

#include <gtest/gtest.h>

using namespace corvane;

namespace {

using Matches = std::vector<int>;

struct Fixture {
    TrafficDatabase db;
    FlightSearch search{db};

    Fixture() {
        db.aircraftTable().add({"AC#1", "430", "Boeing 737-400"});
        db.aircraftTable().add({"AC#2", "280",
                                "Dash 8-100 Wider\xF8"
                                "e"});
        db.missingAircraftTable().add({"Lockheed Electra", "280", "AC#9"});
        // 0: two legs, flight numbers 101 and 102.
        db.flightTable().append(
            "AC#1,N101SK,100%,24Hr,IFR,08:00:00,09:10:00,330,F,101,ESSA,10:00:00,11:00:00,330,F,102,ENGM,");
        // 1: a Dash 8 with three legs, the third flight number 7734.
        db.flightTable().append(
            "AC#2,LN-WIA,100%,24Hr,IFR,06:00:00,06:40:00,100,F,1,ENBR,07:30:00,08:10:00,100,"
            "F,2,ENZV,09:00:00,09:40:00,100,R,7734,ENGM,");
        // 2: an aircraft that is not installed, written with its number in lower case.
        db.flightTable().append(
            "ac#9,-,50%,WEEKHr,VFR,1/08:00:00,1/09:00:00,50,F,9,KSEA,2/08:00:00,2/09:00:00,"
            "50,F,10,KPDX,");
    }
    Matches find(std::string_view text) { return search.search(text); }
};

} // namespace

TEST(FlightSearch, findsByTailFlightNumberAirportAndAircraft) {
    Fixture f;
    EXPECT_EQ(f.find("n101sk"), Matches{0}) << "the tail, letter case ignored";
    EXPECT_EQ(f.find("  LN-W "), Matches{1}) << "part of a tail, spaces around ignored";
    EXPECT_EQ(f.find("7734"), Matches{1}) << "the flight number of a later leg";
    EXPECT_EQ(f.find("ENGM"), (Matches{0, 1})) << "an airport, in table order";
    EXPECT_EQ(f.find("kpdx"), Matches{2});
    EXPECT_EQ(f.find("boeing"), Matches{0}) << "the installed aircraft's title";
    EXPECT_EQ(f.find("WIDEROE"), Matches{1}) << "its accents ignored";
    EXPECT_EQ(f.find("electra"), Matches{2}) << "a missing aircraft's title, its number in any case";
    EXPECT_EQ(f.find("(not installed)"), Matches{2}) << "the flights of every missing aircraft";

    // What is not searched: times, altitudes, percent, repeat, rules, the aircraft number.
    EXPECT_EQ(f.find("08:00"), Matches{});
    EXPECT_EQ(f.find("330"), Matches{});
    EXPECT_EQ(f.find("50%"), Matches{});
    EXPECT_EQ(f.find("WEEK"), Matches{});
    EXPECT_EQ(f.find("VFR"), Matches{});
    EXPECT_EQ(f.find("AC#"), Matches{});
    // A match never runs from one field into the next.
    EXPECT_EQ(f.find("101ESSA"), Matches{});
    EXPECT_EQ(f.find("SKESSA"), Matches{});
    EXPECT_EQ(f.find(""), Matches{}) << "the empty text finds nothing";
    EXPECT_EQ(f.find("   "), Matches{});
}

TEST(FlightSearch, followsTheTables) {
    Fixture f;
    EXPECT_EQ(f.find("N101"), Matches{0});
    f.db.flightTable().replace(0, "AC#1,N202SK,100%,24Hr,IFR,08:00:00,09:10:00,330,F,101,ESSA,");
    EXPECT_EQ(f.find("N101"), Matches{}) << "a changed flight is searched as it is now";
    EXPECT_EQ(f.find("N202"), Matches{0});
    f.db.flightTable().empty(1);
    EXPECT_EQ(f.find("ENGM"), Matches{}) << "a deleted flight is found no more";
    EXPECT_EQ(f.db.flightTable().append("AC#1,N303,100%,24Hr,IFR,08:00:00,09:00:00,330,F,5,ENGM,"), 3);
    EXPECT_EQ(f.find("ENGM"), Matches{3});
    // An aircraft renamed, or installed: its flights are found by the new title.
    f.db.aircraftTable().setCell(0, AircraftTable::Title, "Boeing 737-800");
    EXPECT_EQ(f.find("737-800"), (Matches{0, 3}));
    f.db.aircraftTable().add({"AC#9", "280", "Lockheed L-188 Electra"});
    EXPECT_EQ(f.find("L-188"), Matches{2});
    f.db.flightTable().clear();
    EXPECT_EQ(f.find("N"), Matches{});
}

TEST(FlightSearch, showsEachMatchAsTheListDoes) {
    Fixture f;
    ASSERT_EQ(f.find("KSEA"), Matches{2});
    EXPECT_EQ(f.search.tail(2), "-");
    EXPECT_EQ(f.search.aircraft(2), "Lockheed Electra (not installed)");
    EXPECT_EQ(f.search.aircraft(0), "Boeing 737-400");
    EXPECT_FALSE(f.search.summary(1).empty());
    EXPECT_EQ(AircraftTitleOf(f.db, "AC#5"), "") << "an aircraft of neither table";
}
