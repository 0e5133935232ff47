#include "editors/airporteditor.h"
#include "editors/routemapeditor.h"
#include "sessionfixture.h"
#include "testflights.h"

#include <gtest/gtest.h>

using namespace corvane;
using test::FlightVisiting;

namespace {

struct Fixture : test::SessionFixture {
    AirportEditor airports{session.db, flights.legs(), prompts};
    RouteMapEditor map{session.db, flights, airports};

    Fixture() {
        const char* rows[][3] = {
            {"ENGM", "N60* 11.63'", "E11* 6.02'"},   {"ESSA", "N59* 38.91'", "E17* 55.73'"},
            {"EKCH", "N55* 37.07'", "E12* 39.36'"},  {"ENBR", "N60* 17.60'", "E5* 13.09'"},
            {"KSEA", "N47* 26.88'", "W122* 18.62'"}, {"NOPO", "", ""},
            {"RJAA", "N35* 45.87'", "E140* 23.16'"}};
        for (const auto& row : rows) addAirport(row[0], row[1], row[2], std::string(row[0]) + " Airport");
        for (const auto& stops : {FlightVisiting({"ESSA", "EKCH", "ENGM"}), FlightVisiting({"NOPO", "ENGM"}),
                                  FlightVisiting({"KSEA", "ENGM"}), FlightVisiting({"RJAA", "KSEA"})})
            add(stops);
    }
    int row(const char* code) const { return session.db.airportTable().findByIcao(code); }
    const MapAirport& airport(const char* code) const {
        return map.airports()[static_cast<std::size_t>(row(code))];
    }
    std::vector<std::string> others() const {
        std::vector<std::string> codes;
        for (const AirportRoute& route : map.routes()) codes.push_back(route.other);
        return codes;
    }
};

} // namespace

TEST(RouteMapEditor, airportsWhereTheyLieAndWhetherTheyHaveFlights) {
    Fixture f;
    f.map.update();
    ASSERT_EQ(f.map.airports().size(), 7u);
    EXPECT_TRUE(f.airport("KSEA").positioned);
    EXPECT_NEAR(f.airport("KSEA").at.lon, -122.31, 0.01);
    EXPECT_FALSE(f.airport("NOPO").positioned);
    for (const char* code : {"ENGM", "ESSA", "EKCH", "KSEA", "RJAA", "NOPO"})
        EXPECT_TRUE(f.airport(code).withFlights) << code;
    EXPECT_FALSE(f.airport("ENBR").withFlights);
    EXPECT_EQ(f.map.summary(), "No airport listed on the FlightPlans page.");

    // Changes to the tables show at the next update.
    int revision = f.map.airportsRevision();
    f.session.db.flightTable().replace(2, FlightVisiting({"ENBR", "ENGM"}));
    f.map.update();
    EXPECT_TRUE(f.airport("ENBR").withFlights);
    EXPECT_TRUE(f.airport("KSEA").withFlights) << "still the destination of another flight";
    EXPECT_NE(f.map.airportsRevision(), revision);
    f.session.db.flightTable().empty(3);
    f.map.update();
    EXPECT_FALSE(f.airport("KSEA").withFlights);
    EXPECT_FALSE(f.airport("RJAA").withFlights);

    revision = f.map.airportsRevision();
    f.airports.chooseRow(f.row("NOPO"));
    f.airports.editLatitude("S", "10", "30");
    f.airports.editLongitude("W", "20", "0");
    f.map.update();
    EXPECT_TRUE(f.airport("NOPO").positioned);
    EXPECT_DOUBLE_EQ(f.airport("NOPO").at.lat, -10.5);
    EXPECT_NE(f.map.airportsRevision(), revision);

    f.session.db.airportTable().add({"LOWW", "N48* 6.0'", "E16* 34.0'", "0", "Wien", "-"});
    f.map.update();
    ASSERT_EQ(f.map.airports().size(), 8u) << "a new airport";
    EXPECT_TRUE(f.airport("LOWW").positioned);
}

TEST(RouteMapEditor, theRoutesOfTheListedAirport) {
    Fixture f;
    f.flights.chooseAirport("ENGM");
    f.map.update();
    EXPECT_EQ(f.map.chosenCode(), "ENGM");
    ASSERT_TRUE(f.map.chosenAt());
    EXPECT_NEAR(f.map.chosenAt()->lat, 60.19, 0.01);
    EXPECT_EQ(f.others(), (std::vector<std::string>{"EKCH", "ESSA", "KSEA", "NOPO"}));
    EXPECT_EQ(f.map.routesDrawn(), 3) << "NOPO has no position";
    ASSERT_EQ(f.map.routeLines().size(), 3u);
    for (const auto& lines : f.map.routeLines()) {
        EXPECT_EQ(lines.last - lines.first, 1u);
        EXPECT_EQ(f.map.routeArcs().line(lines.first).front(), *f.map.chosenAt())
            << "every arc starts at ENGM";
    }
    EXPECT_EQ(f.map.summary(), "ENGM: 4 routes, 1 not drawn: airports without a position.");

    // Another airport: its routes, the one across the Pacific cut in two.
    const int revision = f.map.routesRevision();
    f.flights.chooseAirport("KSEA");
    f.map.update();
    EXPECT_NE(f.map.routesRevision(), revision);
    EXPECT_EQ(f.others(), (std::vector<std::string>{"ENGM", "RJAA"}));
    ASSERT_EQ(f.map.routeLines().size(), 2u);
    EXPECT_EQ(f.map.routeLines()[1].last - f.map.routeLines()[1].first, 2u);
    EXPECT_EQ(f.map.summary(), "KSEA: 2 routes");

    // A changed flight changes the routes, also when no airport gains or loses its flights.
    f.session.db.flightTable().replace(2, FlightVisiting({"KSEA", "ENGM", "EKCH"}));
    f.map.update();
    EXPECT_EQ(f.others(), (std::vector<std::string>{"EKCH", "ENGM", "RJAA"}));
    f.session.db.flightTable().replace(3, FlightVisiting({"ENBR", "KSEA"}));
    f.map.update();
    EXPECT_EQ(f.others(), (std::vector<std::string>{"EKCH", "ENBR", "ENGM"}));
    EXPECT_EQ(f.map.routes()[1].legs, 2);

    f.flights.chooseAirport("NOPO");
    f.map.update();
    EXPECT_EQ(f.map.routesDrawn(), 0);
    EXPECT_TRUE(f.map.routeArcs().points.empty());
    EXPECT_EQ(f.map.summary(), "NOPO: 1 route, none drawn: NOPO has no position.");
}

TEST(RouteMapEditor, theLegsOfTheFlightBeingEditedInOrder) {
    Fixture f;
    f.flights.chooseAirport("EKCH");
    f.map.update();
    ASSERT_EQ(f.flights.legs().rows().size(), 3u);
    const auto& legs = f.map.legs();
    ASSERT_EQ(legs.size(), 3u);
    const char* expected[][2] = {{"ENGM", "ESSA"}, {"ESSA", "EKCH"}, {"EKCH", "ENGM"}};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(legs[i].number, static_cast<int>(i) + 1);
        EXPECT_EQ(legs[i].from, expected[i][0]);
        EXPECT_EQ(legs[i].to, expected[i][1]);
        EXPECT_TRUE(legs[i].drawn());
        const auto arc = f.map.legArcs().line(legs[i].firstLine);
        EXPECT_EQ(arc.front(), f.airport(expected[i][0]).at);
        EXPECT_EQ(arc.back(), f.airport(expected[i][1]).at);
    }
    EXPECT_EQ(legs[0].row, 1) << "row 1 holds the first leg";
    EXPECT_EQ(legs[2].row, 0);

    // The leg on screen departs from the chosen row's airport.
    EXPECT_EQ(f.flights.legs().selectedRow(), 0);
    EXPECT_EQ(f.map.selectedLeg(), 0) << "row 0 is ENGM: the leg ENGM-ESSA";
    const int revision = f.map.legsRevision();
    f.flights.legs().chooseLeg(2);
    f.map.update();
    EXPECT_EQ(f.map.selectedLeg(), 2);
    EXPECT_NE(f.map.legsRevision(), revision);

    // A leg to an airport without position is listed but not drawn.
    f.flights.legs().chooseLeg(0);
    f.flights.legs().chooseDestination("NOPO");
    f.map.update();
    EXPECT_EQ(f.map.legs()[0].to, "NOPO");
    EXPECT_FALSE(f.map.legs()[0].drawn());
    EXPECT_FALSE(f.map.legs()[1].drawn());
    EXPECT_TRUE(f.map.legs()[2].drawn());

    f.flights.ClearData(false);
    f.map.update();
    EXPECT_TRUE(f.map.legs().empty());
    EXPECT_EQ(f.map.selectedLeg(), -1);
}

TEST(RouteMapEditor, markedAirportHitsTipsAndClicks) {
    Fixture f;
    f.map.update();
    EXPECT_FALSE(f.map.markedAt());
    f.airports.chooseRow(f.row("ENBR"));
    f.map.update();
    ASSERT_TRUE(f.map.markedAt());
    EXPECT_EQ(*f.map.markedAt(), f.airport("ENBR").at);

    const GeoPoint essa = f.airport("ESSA").at;
    EXPECT_EQ(f.map.airportAt({essa.lon + 0.1, essa.lat - 0.1}, 0.2), f.row("ESSA"));
    EXPECT_EQ(f.map.airportAt({essa.lon + 0.3, essa.lat}, 0.2), -1) << "too far";
    EXPECT_EQ(f.map.airportAt({0, 0}, 1000), f.row("EKCH")) << "the nearest one on the map";
    // Two airports in one place: the one with flights is drawn on top, and it is the one picked.
    f.session.db.airportTable().add({"BGO", "N60* 17.60'", "E5* 13.09'", "0", "Bergen", "-"});
    f.add(FlightVisiting({"BGO", "ENGM"}));
    f.map.update();
    EXPECT_EQ(f.map.airportAt(f.airport("ENBR").at, 0.1), f.row("BGO"));
    EXPECT_EQ(f.map.airportTip(f.row("ESSA")), "ESSA  ESSA Airport");
    EXPECT_EQ(f.map.airportTip(-1), "");

    f.map.chooseAirport(f.row("ESSA"));
    EXPECT_EQ(f.flights.infoLbl(), "Flights at ESSA");
    EXPECT_EQ(f.flights.flightsLst().size(), 1u);
    f.map.chooseAirport(99);
    EXPECT_EQ(f.flights.infoLbl(), "Flights at ESSA") << "no such row: nothing happens";
}

TEST(RouteMapEditor, fitShowsTheFlightElseTheRoutesElseTheMarkedAirport) {
    Fixture f;
    f.map.update();
    EXPECT_TRUE(f.map.selectionBounds().empty) << "nothing chosen: the world";
    f.airports.chooseRow(f.row("ENBR"));
    f.map.update();
    GeoBounds bounds = f.map.selectionBounds();
    EXPECT_EQ(bounds.west, f.airport("ENBR").at.lon);
    EXPECT_EQ(bounds.east, f.airport("ENBR").at.lon);

    f.flights.chooseAirport("ENGM"); // lists ENGM's flights and loads ENGM-ESSA-EKCH
    f.map.update();
    bounds = f.map.selectionBounds();
    EXPECT_NEAR(bounds.west, f.airport("ENGM").at.lon, 1e-9) << "the flight, not the route to KSEA";
    EXPECT_NEAR(bounds.east, f.airport("ESSA").at.lon, 1e-9);
    EXPECT_NEAR(bounds.south, f.airport("EKCH").at.lat, 1e-9);

    f.flights.ClearData(false); // the routes stay listed, no flight is loaded
    f.map.update();
    bounds = f.map.selectionBounds();
    EXPECT_NEAR(bounds.east, f.airport("ESSA").at.lon, 1e-9);
    EXPECT_NEAR(bounds.west, f.airport("KSEA").at.lon, 1e-9) << "ENGM's routes reach KSEA";
}
