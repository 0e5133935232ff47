#include "filters/flightfilter.h"
#include "traffic/trafficdatabase.h"

#include <gtest/gtest.h>

using namespace corvane;

namespace {

std::string Line(const std::string& aircraft, const std::string& a, const std::string& b,
                 const std::string& times = "08:00:00,09:10:00") {
    return aircraft + ",-,100%,24Hr,IFR," + times + ",100,F,1," + a + ",10:00:00,11:00:00,100,F,2," + b + ",";
}

} // namespace

TEST(Filters, applyToOneLine) {
    const std::string line =
        "AC#1,-,100%,24Hr,IFR,08:00:00,09:10:00,100,F,1,KSEA,10:00:00,11:00:00,100,F,2,KBFI,";
    EXPECT_EQ(ApplyFilter(line, {FilterMode::Percent, "50"}),
              "AC#1,-,50%,24Hr,IFR,08:00:00,09:10:00,100,F,1,KSEA,"
              "10:00:00,11:00:00,100,F,2,KBFI,");
    EXPECT_EQ(ApplyFilter(line, {FilterMode::Percent, " 50.5 "}).substr(0, 12), "AC#1,-,50.5%");
    EXPECT_EQ(ApplyFilter(line, {FilterMode::Time, "-1"}),
              "AC#1,-,100%,24Hr,IFR,07:00:00,08:10:00,100,F,1,KSEA,"
              "09:00:00,10:00:00,100,F,2,KBFI,");
    EXPECT_EQ(ApplyFilter(line, {FilterMode::Time, "1.5"}).substr(21, 8), "10:00:00") << "1.5 rounds to 2";
    EXPECT_EQ(ApplyFilter(line, {FilterMode::Time, "abc"}), line) << "a value without number shifts nothing";
    EXPECT_EQ(ApplyFilter(line, {FilterMode::Delete, ""}), "");
    for (FilterMode mode : {FilterMode::Delete, FilterMode::Percent, FilterMode::Time})
        EXPECT_EQ(ApplyFilter("", {mode, "5"}), "") << "an empty line stays empty";
}

TEST(Filters, selectionsByAirportAndAircraft) {
    TrafficDatabase db;
    db.aircraftTable().add({"AC#1", "250", "Boeing 737"});
    db.aircraftTable().add({"AC#10", "250", "Boeing 747"});
    db.aircraftTable().add({"AC#12", "250", "Dash 8"});
    FlightTable& flights = db.flightTable();
    flights.append(Line("AC#1", "KSEA", "KBFI"));
    flights.append(Line("AC#10", "KPDX", "KSEA"));
    flights.append(Line("AC#12", "ENGM", "ESSA"));
    flights.append("");
    flights.append(Line("ac#1", "ENGM", "EKCH"));

    const Filter half{FilterMode::Percent, "50"};
    EXPECT_EQ(FilterByAircraft(db, half, "boeing 737"), 2) << "AC#1 ignoring case, not AC#10 or AC#12";
    EXPECT_EQ(flights.at(0).substr(0, 10), "AC#1,-,50%");
    EXPECT_EQ(flights.at(1).substr(0, 12), "AC#10,-,100%");
    EXPECT_EQ(flights.at(2).substr(0, 12), "AC#12,-,100%");
    EXPECT_EQ(flights.at(4).substr(0, 10), "ac#1,-,50%");

    int steps = 0;
    EXPECT_EQ(FilterByAirport(flights, {FilterMode::Percent, "25"}, " ksea ",
                              [&](int done, int count) {
                                  EXPECT_EQ(count, 5);
                                  EXPECT_EQ(done, ++steps);
                              }),
              2);
    EXPECT_EQ(steps, 5);
    EXPECT_EQ(FilterByAirport(flights, {FilterMode::Percent, "75"}, "K"), 2)
        << "every airport beginning with K";
    EXPECT_EQ(FilterByAirport(flights, {FilterMode::Percent, "75"}, "KSE"), 2);
    EXPECT_EQ(FilterByAirport(flights, {FilterMode::Percent, "75"}, "SEA"), 0) << "a prefix, not a part";
    EXPECT_EQ(FilterByAircraft(db, half, "Nobody"), 0);

    EXPECT_EQ(FilterAll(flights, {FilterMode::Delete, ""}), 5) << "empty entries count too";
    for (const auto& line : flights.lines()) EXPECT_TRUE(line.empty());
    EXPECT_EQ(flights.count(), 5) << "deleted flights stay as empty entries";
}

TEST(Filters, anAircraftsFlightsWhateverZerosItsNumberHas) {
    TrafficDatabase db;
    db.aircraftTable().add({"AC#01", "250", "Boeing 737"});
    db.flightTable().append(Line("AC#1", "KSEA", "KBFI"));
    db.flightTable().append(Line("AC#001", "KSEA", "KBFI"));
    db.flightTable().append(Line("AC#10", "KSEA", "KBFI"));
    EXPECT_EQ(FilterByAircraft(db, {FilterMode::Delete, ""}, "Boeing 737"), 2);
    EXPECT_EQ(db.flightTable().nonEmptyCount(), 1);
    EXPECT_EQ(db.flightTable().at(2).substr(0, 6), "AC#10,");
}

TEST(Filters, aHundredThousandFlights) {
    TrafficDatabase db;
    for (int i = 0; i < 100000; ++i)
        db.flightTable().append(Line("AC#" + std::to_string(i % 50), "KSEA", "KBFI"));
    EXPECT_EQ(RunFilter(db, {FilterMode::Time, "1"}, {FilterSelection::Kind::All, "", ""}), 100000);
    const std::string& last = db.flightTable().at(99999);
    EXPECT_EQ(last.substr(last.find(",IFR,") + 5, 8), "09:00:00");
}
