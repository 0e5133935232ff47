#pragma once
// The route map without its widget: the airports of the traffic set where they lie, the routes of the
// airport listed on the FlightPlans page as great-circle arcs, the legs of the flight being edited
// with the leg on screen, and the airport chosen on the Airports page. update() brings it in step with
// the tables and the editors; each layer has a revision, so that a view rebuilds only what changed.
// A click on an airport lists its flights on the FlightPlans page.

#include "routemap/airportroutes.h"
#include "routemap/arrivalcounts.h"
#include "routemap/geo.h"
#include "routemap/greatcircle.h"
#include "traffic/flightline.h"
#include "traffic/tableobserver.h"

#include <optional>
#include <string>
#include <vector>

namespace corvane {

class AirportEditor;
class FlightEditor;
class TrafficDatabase;

struct MapAirport {
    GeoPoint at;
    bool positioned = false;
    bool withFlights = false; // some leg arrives there
};

// A leg of the flight being edited, in flight line order.
struct MapLeg {
    int row = 0;    // the legs-list row that holds it
    int number = 0; // 1 for the first leg of the line
    std::string from, to;
    std::size_t firstLine = 0, lastLine = 0; // its arc: lines first .. last - 1 of legArcs()
    LineMiddle middle;                       // where its arrow goes
    bool drawn() const { return firstLine < lastLine; }
};

class RouteMapEditor final : private TableObserver {
public:
    RouteMapEditor(TrafficDatabase& db, FlightEditor& flights, const AirportEditor& airports);
    ~RouteMapEditor() override;
    RouteMapEditor(const RouteMapEditor&) = delete;
    RouteMapEditor& operator=(const RouteMapEditor&) = delete;

    void update();
    // The map is not shown: it stops following the flight table until the next update().
    void suspend() { m_arrivals.suspend(); }

    // By AirportTable row.
    const std::vector<MapAirport>& airports() const { return m_airports; }
    int airportsRevision() const { return m_airportsRevision; }

    // The airport whose flights the FlightPlans page lists ("" for none) and its routes.
    const std::string& chosenCode() const { return m_chosen; }
    std::optional<GeoPoint> chosenAt() const { return m_chosenAt; }
    const std::vector<AirportRoute>& routes() const { return m_routes; }
    const Polylines& routeArcs() const { return m_routeArcs; }
    // The arcs of the routes whose ends both have a position: lines first .. last - 1 of routeArcs()
    // each (two lines when the arc is cut at the 180th meridian).
    struct LineRange {
        std::size_t first = 0, last = 0;
    };
    const std::vector<LineRange>& routeLines() const { return m_routeLines; }
    int routesDrawn() const { return static_cast<int>(m_routeLines.size()); }
    int routesRevision() const { return m_routesRevision; }

    const std::vector<MapLeg>& legs() const { return m_legs; }
    const Polylines& legArcs() const { return m_legArcs; }
    // The leg on screen in the legs editor, as an index into legs(); -1 for none.
    int selectedLeg() const { return m_selectedLeg; }
    int legsRevision() const { return m_legsRevision; }

    // The airport chosen on the Airports page.
    std::optional<GeoPoint> markedAt() const { return m_markedAt; }

    // mapInfoLbl: "ENGM: 57 routes", and what is not drawn.
    std::string summary() const;

    // The AirportTable row of the positioned airport nearest to at, no farther than radius degrees
    // (on the map); -1 when none.
    int airportAt(GeoPoint at, double radius) const;
    // The tooltip of an airport: its code and name.
    std::string airportTip(int row) const;
    // Lists the flights of the airport of row on the FlightPlans page.
    void chooseAirport(int row);
    // What "Fit" shows: the flight's legs, else the chosen airport with its routes, else the airport
    // marked on the Airports page; empty (the world) when there is nothing.
    GeoBounds selectionBounds() const;

private:
    void rebuildAirports();
    void positionAirport(int row);
    void updateRoutes();
    void updateLegs();
    std::optional<GeoPoint> positionOf(std::string_view code) const;

    void rowsInserted(int, int) override { m_airportsStale = true; }
    void rowsRemoved(int, int) override { m_airportsStale = true; }
    void cellChanged(int row, int column) override;
    void wasReset() override { m_airportsStale = true; }

    TrafficDatabase& m_db;
    FlightEditor& m_flights;
    const AirportEditor& m_airportEditor;
    ArrivalCounts m_arrivals;

    std::vector<MapAirport> m_airports;
    bool m_airportsStale = true;
    int m_airportsRevision = 0;
    int m_arrivalsSeen = -1;

    std::string m_chosen;
    std::optional<GeoPoint> m_chosenAt;
    std::vector<AirportRoute> m_routes;
    Polylines m_routeArcs;
    std::vector<LineRange> m_routeLines;
    int m_routesRevision = 0;
    struct RoutesKey {
        std::string code;
        int flights = -1, arrivals = -1, airports = -1;
        bool operator==(const RoutesKey&) const = default;
    } m_routesKey;

    std::vector<MapLeg> m_legs;
    Polylines m_legArcs;
    int m_selectedLeg = -1;
    int m_legsRevision = 0;
    std::vector<LegRow> m_legRows; // the rows the legs were drawn from
    int m_legsAirports = -1;

    std::optional<GeoPoint> m_markedAt;
};

} // namespace corvane
