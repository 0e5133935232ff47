#include "routemap/airportroutes.h"
#include "routemap/arrivalcounts.h"
#include "testflights.h"
#include "traffic/flighttable.h"

#include <gtest/gtest.h>

using namespace corvane;
using test::FlightVisiting;

namespace {

std::vector<int> All(const FlightTable& flights) {
    std::vector<int> indexes;
    for (int i = 0; i < flights.count(); ++i) indexes.push_back(i);
    return indexes;
}

} // namespace

TEST(AirportRoutes, otherAirportsEitherWayWithTheirLegs) {
    FlightTable flights;
    flights.append(FlightVisiting({"ESSA", "EKCH", "ENGM"})); // ENGM-ESSA, ESSA-EKCH, EKCH-ENGM
    flights.append(FlightVisiting({"engm", "ESSA"}));         // ESSA-ENGM, ENGM-ESSA
    flights.append("");
    flights.append(FlightVisiting({"ENBR", "ENBR", "ENGM"})); // ENGM-ENBR, ENBR-ENBR, ENBR-ENGM
    flights.append(FlightVisiting({"ENGM"}));                 // ENGM-ENGM: no route
    flights.append(FlightVisiting({"EKCH", "ESSA"}));         // does not touch ENGM

    const std::vector<AirportRoute> expected{{"EKCH", 1}, {"ENBR", 2}, {"ESSA", 3}};
    EXPECT_EQ(AirportRoutes(flights, All(flights), "ENGM"), expected);
    EXPECT_EQ(AirportRoutes(flights, All(flights), "engm"), expected) << "letter case ignored";
    EXPECT_EQ(AirportRoutes(flights, {0, 0, 1, 1, 3, -1, 99}, "ENGM"), expected)
        << "each flight once; indexes out of range skipped";
    EXPECT_EQ(AirportRoutes(flights, {0}, "ENGM"), (std::vector<AirportRoute>{{"EKCH", 1}, {"ESSA", 1}}))
        << "only the flights given";
    EXPECT_EQ(AirportRoutes(flights, All(flights), "ENBR"), (std::vector<AirportRoute>{{"ENGM", 2}}));
    EXPECT_TRUE(AirportRoutes(flights, All(flights), "").empty());
    EXPECT_TRUE(AirportRoutes(flights, All(flights), "KSEA").empty());
}

TEST(ArrivalCounts, followTheTableAsItChanges) {
    FlightTable flights;
    flights.append(FlightVisiting({"ESSA", "ENGM"}));
    ArrivalCounts counts(flights);
    EXPECT_EQ(counts.arrivals("ESSA"), 0) << "nothing counted before the first update";
    counts.update();
    EXPECT_EQ(counts.arrivals("ESSA"), 1);
    EXPECT_EQ(counts.arrivals("engm"), 1) << "letter case ignored";
    EXPECT_EQ(counts.arrivals("EKCH"), 0);

    int revision = counts.revision();
    flights.append(FlightVisiting({"EKCH", "ESSA"}));
    EXPECT_EQ(counts.arrivals("ESSA"), 2) << "an appended line counts at once";
    EXPECT_EQ(counts.arrivals("EKCH"), 1);
    EXPECT_NE(counts.revision(), revision);

    revision = counts.revision();
    flights.replace(0, FlightVisiting({"ENBR", "ENGM"}));
    EXPECT_EQ(counts.arrivals("ESSA"), 1) << "a replaced line takes back its old codes";
    EXPECT_EQ(counts.arrivals("ENBR"), 1);
    EXPECT_NE(counts.revision(), revision);
    flights.empty(1);
    EXPECT_EQ(counts.arrivals("EKCH"), 0);
    EXPECT_EQ(counts.arrivals("ESSA"), 0);

    // Many changes to one line: the codes left behind are dropped at an update, the counts stay.
    for (int i = 0; i <= 3000; ++i) flights.replace(0, FlightVisiting({i % 2 ? "ENBR" : "ESSA", "ENGM"}));
    counts.update();
    EXPECT_EQ(counts.arrivals("ENBR"), 0);
    EXPECT_EQ(counts.arrivals("ESSA"), 1);
    EXPECT_EQ(counts.arrivals("ENGM"), 1);

    // Suspended, changes are not followed; the next update counts afresh.
    counts.suspend();
    flights.replace(0, FlightVisiting({"EKCH", "ENGM"}));
    EXPECT_EQ(counts.arrivals("EKCH"), 0);
    counts.update();
    EXPECT_EQ(counts.arrivals("EKCH"), 1);
    EXPECT_EQ(counts.arrivals("ESSA"), 0);

    // A whole new table: counted again at the next update.
    FlightTable loaded;
    loaded.append(FlightVisiting({"KSEA", "KBFI"}));
    flights.swapLines(loaded);
    flights.replace(0, FlightVisiting({"KSEA", "KPDX"})); // a change while a recount is due
    counts.update();
    EXPECT_EQ(counts.arrivals("ENGM"), 0);
    EXPECT_EQ(counts.arrivals("KBFI"), 0);
    EXPECT_EQ(counts.arrivals("KPDX"), 1);
    flights.clear();
    counts.update();
    EXPECT_EQ(counts.arrivals("KSEA"), 0);
}
