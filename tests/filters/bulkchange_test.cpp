// The bulk schedule changes on flight lines: arrivals from cruise speeds, and moving an airport's traffic.

#include "filters/reroute.h"
#include "filters/retime.h"
#include "traffic/trafficdatabase.h"

#include <array>
#include <gtest/gtest.h>

using namespace corvane;

namespace {

// AAAA to BBBB is 60 nm, AAAA to CCCC 300 nm: at 239.99 knots 1800 and 5400 seconds with the allowance.
struct Traffic {
    TrafficDatabase db;
    Traffic() {
        for (const char* code : {"AAAA", "BBBB", "CCCC", "DDDD"}) {
            const char* latitude = code[0] == 'A' ? "N00* 0.0'" : code[0] == 'B' ? "N01* 0.0'" : "N05* 0.0'";
            db.airportTable().add(
                {code, latitude, code[0] == 'D' ? "W001* 0.0'" : "W000* 0.0'", "0", "-", "-"});
            db.airportCodes().add(code);
        }
        db.airportTable().add({"NOPO", "", "", "0", "-", "-"});
        db.aircraftTable().add({"AC#1", "239.99", "Jet"});
        db.aircraftTable().add({"AC#2", "0", "Parked"});
        db.missingAircraftTable().add({"Ghost", "239.99", "AC#3"});
    }
};

std::string Legs(const std::string& head, const std::vector<std::array<const char*, 3>>& legs) {
    std::string line = head;
    int number = 1;
    for (const auto& [departure, arrival, destination] : legs)
        line += std::string(departure) + "," + arrival + ",100,F," + std::to_string(number++) + "," +
                destination + ",";
    return line;
}

// What a retime counted, but for the flights selected.
std::array<int, 6> Fields(const RetimeCounts& c) {
    return {c.flights, c.legs, c.noSpeed, c.noPosition, c.sameAirport, c.badTime};
}

} // namespace

TEST(Retime, eachLegFromItsProposalOrKeptWithItsReason) {
    const std::string daily = "AC#1,-,100%,24Hr,IFR,";
    const struct {
        const char* name;
        std::string line;
        std::string expected; // "" when the line stays as it is
        RetimeCounts counts;
    } cases[] = {
        {"daily",
         Legs(daily, {{"08:00:00", "08:10:00", "CCCC"}, {"10:00:00", "10:05:00", "AAAA"}}),
         Legs(daily, {{"08:00:00", "09:30:00", "CCCC"}, {"10:00:00", "11:30:00", "AAAA"}}),
         {0, 1, 2}},
        {"the departure's seconds carry",
         Legs(daily, {{"23:59:30", "00:10:00", "BBBB"}, {"02:00:00", "02:30:00", "AAAA"}}),
         Legs(daily, {{"23:59:30", "00:29:30", "BBBB"}, {"02:00:00", "02:30:00", "AAAA"}}),
         {0, 1, 1}},
        {"weekly over the week's end",
         Legs("AC#1,-,100%,WEEK,IFR,",
              {{"6/23:00:00", "6/23:10:00", "CCCC"}, {"0/01:00:00", "0/01:05:00", "AAAA"}}),
         Legs("AC#1,-,100%,WEEK,IFR,",
              {{"6/23:00:00", "0/00:30:00", "CCCC"}, {"0/01:00:00", "0/02:30:00", "AAAA"}}),
         {0, 1, 2}},
        {"an aircraft not installed keeps its speed",
         Legs("AC#03,-,100%,24Hr,IFR,", {{"08:00:00", "08:10:00", "BBBB"}, {"10:00:00", "10:30:00", "AAAA"}}),
         Legs("AC#03,-,100%,24Hr,IFR,", {{"08:00:00", "08:30:00", "BBBB"}, {"10:00:00", "10:30:00", "AAAA"}}),
         {0, 1, 1}},
        {"an aircraft in neither table",
         Legs("AC#9,-,100%,24Hr,IFR,", {{"08:00:00", "08:10:00", "CCCC"}, {"10:00:00", "10:05:00", "AAAA"}}),
         "",
         {0, 0, 0, 2}},
        {"an aircraft of speed 0",
         Legs("AC#2,-,100%,24Hr,IFR,", {{"08:00:00", "08:10:00", "CCCC"}, {"10:00:00", "10:05:00", "AAAA"}}),
         "",
         {0, 0, 0, 2}},
        {"airports without or with no position",
         Legs(daily, {{"08:00:00", "08:10:00", "NOPO"}, {"10:00:00", "10:05:00", "XXXX"}}),
         "",
         {0, 0, 0, 0, 2}},
        {"a leg from an airport to itself",
         Legs(daily, {{"08:00:00", "08:10:00", "CCCC"},
                      {"10:00:00", "10:05:00", "CCCC"},
                      {"12:00:00", "12:05:00", "AAAA"}}),
         Legs(daily, {{"08:00:00", "09:30:00", "CCCC"},
                      {"10:00:00", "10:05:00", "CCCC"},
                      {"12:00:00", "13:30:00", "AAAA"}}),
         {0, 1, 2, 0, 0, 1}},
        {"departures that are no time of day",
         Legs("AC#1,-,100%,WEEK,IFR,", {{"08:00:00", "08:10:00", "CCCC"}, {"0/8:00", "0/08:05:00", "AAAA"}}),
         "",
         {0, 0, 0, 0, 0, 0, 2}},
    };
    for (const auto& c : cases) {
        Traffic t;
        Retimer retimer(t.db);
        RetimeCounts counts;
        EXPECT_EQ(retimer.retimed(c.line, counts), c.expected.empty() ? c.line : c.expected) << c.name;
        EXPECT_EQ(Fields(counts), Fields(c.counts)) << c.name;
        // A second run finds every arrival as proposed.
        RetimeCounts again;
        EXPECT_EQ(retimer.retimed(retimer.retimed(c.line, counts), again), retimer.retimed(c.line, counts));
        EXPECT_EQ(again.legs, 0) << c.name;
    }
}

TEST(Retime, chosenLegsSelectionsAndTexts) {
    Traffic t;
    const std::string line =
        Legs("AC#1,-,100%,24Hr,IFR,", {{"08:00:00", "08:10:00", "CCCC"}, {"10:00:00", "10:05:00", "AAAA"}});
    Retimer retimer(t.db);
    RetimeCounts counts;
    EXPECT_EQ(
        retimer.retimed(line, counts, {2}),
        Legs("AC#1,-,100%,24Hr,IFR,", {{"08:00:00", "08:10:00", "CCCC"}, {"10:00:00", "11:30:00", "AAAA"}}))
        << "only leg 2";

    FlightTable& flights = t.db.flightTable();
    flights.append(line);
    flights.append("");
    flights.append(
        Legs("AC#9,-,100%,24Hr,IFR,", {{"08:00:00", "08:10:00", "DDDD"}, {"10:00:00", "10:05:00", "BBBB"}}));
    const std::vector<std::string> before = flights.lines();
    RetimePlan all = PlanRetime(t.db, {FilterSelection::Kind::All, "", ""});
    EXPECT_EQ(flights.lines(), before) << "a plan changes nothing";
    ASSERT_EQ(all.changes.size(), 1u);
    EXPECT_EQ(all.changes[0].index, 0);
    EXPECT_EQ(all.counts.selected, 2) << "an empty entry is no flight";
    EXPECT_EQ(
        RetimePreviewText(all.counts),
        "2 legs of 1 flight of the 2 flights selected get a new arrival time. Kept: 2 legs whose aircraft "
        "has no cruise speed.");
    EXPECT_EQ(RetimeDoneText(all.counts),
              "Set the arrival time of 2 legs in 1 flight from the cruise speeds.\r\n\r\n"
              "2 legs kept their arrival time:\r\n2 legs whose aircraft has no cruise speed");
    EXPECT_EQ(PlanRetime(t.db, {FilterSelection::Kind::Airport, "dd", ""}).counts.selected, 1);
    EXPECT_EQ(PlanRetime(t.db, {FilterSelection::Kind::Aircraft, "", "jet"}).counts.selected, 1);
    EXPECT_EQ(RetimePreviewText(PlanRetime(t.db, {FilterSelection::Kind::Aircraft, "", "Nobody"}).counts),
              "No flight is selected.");
    ApplyLineChanges(flights, all.changes);
    EXPECT_EQ(flights.at(0), retimer.retimed(line, counts));
}

TEST(Reroute, movesEveryLegAndLeavesFlightsThatWouldFlyToThemselves) {
    Traffic t;
    FlightTable& flights = t.db.flightTable();
    const std::string head = "AC#1,-,100%,24Hr,IFR,";
    const int there =
        flights.append(Legs(head, {{"08:00:00", "09:00:00", "BBBB"}, {"10:00:00", "11:00:00", "AAAA"}}));
    const int between = flights.append(Legs(head, {{"08:00:00", "09:00:00", "BBBB"},
                                                   {"10:00:00", "11:00:00", "CCCC"},
                                                   {"12:00:00", "13:00:00", "AAAA"}}));
    flights.append(Legs(head, {{"08:00:00", "09:00:00", "CCCC"}, {"10:00:00", "11:00:00", "DDDD"}}));
    const int lower =
        flights.append(Legs(head, {{"08:00:00", "09:00:00", "bbbb"}, {"10:00:00", "11:00:00", "DDDD"}}));
    flights.append("");
    const int single = flights.append(Legs(head, {{"08:00:00", "09:00:00", "BBBB"}}));

    ReroutePlan plan = PlanReroute(t.db, "BBBB", "cccc");
    EXPECT_EQ(plan.to, "CCCC") << "written as the airport table writes it";
    ASSERT_EQ(plan.changes.size(), 3u);
    EXPECT_EQ(plan.changes[0].index, there);
    EXPECT_EQ(plan.changes[0].line,
              Legs(head, {{"08:00:00", "09:00:00", "CCCC"}, {"10:00:00", "11:00:00", "AAAA"}}));
    EXPECT_EQ(plan.changes[1].index, lower);
    EXPECT_EQ(plan.changes[1].line,
              Legs(head, {{"08:00:00", "09:00:00", "CCCC"}, {"10:00:00", "11:00:00", "DDDD"}}));
    EXPECT_EQ(plan.changes[2].index, single) << "already from its airport to itself: moved as it is";
    EXPECT_EQ(plan.legs, 2 + 2 + 1);
    EXPECT_EQ(plan.leftOut, std::vector<int>{between}) << "BBBB-CCCC would become CCCC-CCCC";
    EXPECT_EQ(PlanReroute(t.db, "CCCC", "BBBB").leftOut, std::vector<int>{between}) << "either way round";

    EXPECT_EQ(ApplyReroute(t.db, plan, "BBBB", true), OldAirport::StillUsed)
        << "the flight left still flies there";
    EXPECT_GE(t.db.airportTable().findByIcao("BBBB"), 0);
    flights.empty(between);
    ReroutePlan none = PlanReroute(t.db, "BBBB", "CCCC");
    EXPECT_TRUE(none.changes.empty());
    EXPECT_EQ(ApplyReroute(t.db, none, "BBBB", false), OldAirport::Kept);
    EXPECT_EQ(ApplyReroute(t.db, none, "bbbb", true), OldAirport::Removed);
    EXPECT_LT(t.db.airportTable().findByIcao("BBBB"), 0);
    EXPECT_LT(t.db.airportCodes().indexOf("BBBB"), 0) << "gone from the airport combos too";
    EXPECT_EQ(ApplyReroute(t.db, none, "BBBB", true), OldAirport::NotInTable);
}

TEST(Reroute, refusals) {
    Traffic t;
    const struct {
        const char *from, *to, *title;
    } cases[] = {
        {"", "CCCC", "Enter ICAO airport code"},
        {"BBBB", "", "Enter ICAO airport code"},
        {"BB,B", "CCCC", "Do not use comma"},
        {"BBBB", "bbbb", "Same airport"},
        {"BBBB", "ZZZZ", "Unknown airport"},
        {"XXXX", "CCCC", nullptr}, // an unknown old airport is repaired
        {"BBBB", "CCCC", nullptr},
    };
    for (const auto& c : cases) {
        const auto refused = CheckReroute(t.db, c.from, c.to);
        EXPECT_EQ(refused ? refused->title : "", c.title ? c.title : "") << c.from << " to " << c.to;
    }
    EXPECT_EQ(
        CheckReroute(t.db, "BBBB", "ZZZZ")->text,
        "The airport ZZZZ is not in the airport table, so saving or compiling would drop every flight moved "
        "to it.\r\nAdd it on the Airports page first.");
}
