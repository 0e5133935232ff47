#include "editors/routemapeditor.h"

#include "editors/airporteditor.h"
#include "editors/flighteditor.h"
#include "traffic/text.h"
#include "traffic/trafficdatabase.h"

#include <cmath>

namespace corvane {

namespace {

constexpr std::string_view kListedPrefix = "Flights at ";
// infoLbl before any airport has been listed.
constexpr std::string_view kNothingListed = "Flights at ...";

std::string Plural(int n, std::string_view one, std::string_view many) {
    return std::to_string(n) + " " + std::string(n == 1 ? one : many);
}

} // namespace

RouteMapEditor::RouteMapEditor(TrafficDatabase& db, FlightEditor& flights, const AirportEditor& airports)
    : m_db(db)
    , m_flights(flights)
    , m_airportEditor(airports)
    , m_arrivals(db.flightTable()) {
    m_db.airportTable().observers().add(this);
}

RouteMapEditor::~RouteMapEditor() {
    m_db.airportTable().observers().remove(this);
}

void RouteMapEditor::cellChanged(int row, int column) {
    if (m_airportsStale || row < 0 || row >= static_cast<int>(m_airports.size())) {
        m_airportsStale = true;
        return;
    }
    if (column != AirportTable::Icao && column != AirportTable::Latitude && column != AirportTable::Longitude)
        return;
    positionAirport(row);
    ++m_airportsRevision;
}

void RouteMapEditor::positionAirport(int row) {
    const AirportTable& table = m_db.airportTable();
    MapAirport& airport = m_airports[static_cast<std::size_t>(row)];
    const auto at =
        AirportPosition(table.cell(row, AirportTable::Latitude), table.cell(row, AirportTable::Longitude));
    airport.positioned = at.has_value();
    airport.at = at.value_or(GeoPoint{});
    airport.withFlights = m_arrivals.arrivals(table.cell(row, AirportTable::Icao)) > 0;
}

void RouteMapEditor::rebuildAirports() {
    m_airports.assign(static_cast<std::size_t>(m_db.airportTable().rowCount()), MapAirport{});
    for (int row = 0; row < m_db.airportTable().rowCount(); ++row) positionAirport(row);
    m_airportsStale = false;
    ++m_airportsRevision;
}

void RouteMapEditor::update() {
    m_arrivals.update();
    if (m_airportsStale) {
        rebuildAirports();
        m_arrivalsSeen = m_arrivals.revision();
    } else if (m_arrivalsSeen != m_arrivals.revision()) {
        const AirportTable& table = m_db.airportTable();
        bool changed = false;
        for (int row = 0; row < table.rowCount(); ++row) {
            MapAirport& airport = m_airports[static_cast<std::size_t>(row)];
            const bool with = m_arrivals.arrivals(table.cell(row, AirportTable::Icao)) > 0;
            changed |= with != airport.withFlights;
            airport.withFlights = with;
        }
        if (changed) ++m_airportsRevision;
        m_arrivalsSeen = m_arrivals.revision();
    }
    updateRoutes();
    updateLegs();
    const int marked = m_airportEditor.selectedRow();
    m_markedAt.reset();
    if (marked >= 0 && marked < static_cast<int>(m_airports.size()) &&
        m_airports[static_cast<std::size_t>(marked)].positioned)
        m_markedAt = m_airports[static_cast<std::size_t>(marked)].at;
}

std::optional<GeoPoint> RouteMapEditor::positionOf(std::string_view code) const {
    const int row = m_db.airportTable().findByIcao(code);
    if (row < 0 || row >= static_cast<int>(m_airports.size())) return std::nullopt;
    const MapAirport& airport = m_airports[static_cast<std::size_t>(row)];
    return airport.positioned ? std::optional<GeoPoint>(airport.at) : std::nullopt;
}

void RouteMapEditor::updateRoutes() {
    const std::string& label = m_flights.infoLbl();
    std::string code;
    if (label != kNothingListed && StartsWithIgnoringCase(label, kListedPrefix))
        code = label.substr(kListedPrefix.size());
    RoutesKey key{code, m_flights.flightsRevision(), m_arrivals.revision(), m_airportsRevision};
    if (key == m_routesKey) return;
    m_routesKey = std::move(key);

    m_chosen = code;
    m_chosenAt = code.empty() ? std::nullopt : positionOf(code);
    std::vector<int> indexes;
    for (const FlightRow& row : m_flights.flightsLst()) indexes.push_back(row.index);
    m_routes = code.empty() ? std::vector<AirportRoute>() : AirportRoutes(m_db.flightTable(), indexes, code);
    m_routeArcs.clear();
    m_routeLines.clear();
    if (m_chosenAt) {
        for (const AirportRoute& route : m_routes) {
            const auto other = positionOf(route.other);
            if (!other) continue;
            LineRange lines{m_routeArcs.lineCount(), 0};
            AppendGreatCircle(*m_chosenAt, *other, m_routeArcs);
            lines.last = m_routeArcs.lineCount();
            m_routeLines.push_back(lines);
        }
    }
    ++m_routesRevision;
}

void RouteMapEditor::updateLegs() {
    const LegsEditor& editor = m_flights.legs();
    const std::vector<LegRow>& rows = editor.rows();
    if (rows != m_legRows || m_legsAirports != m_airportsRevision) {
        m_legRows = rows;
        m_legsAirports = m_airportsRevision;
        m_legs.clear();
        m_legArcs.clear();
        const std::size_t n = rows.size();
        // Flight line order: row 1 holds the first leg, row 0 the last.
        for (std::size_t k = 1; k <= n; ++k) {
            const std::size_t r = k % n;
            MapLeg leg;
            leg.row = static_cast<int>(r);
            leg.number = static_cast<int>(k);
            leg.from = rows[(r + n - 1) % n].destination;
            leg.to = rows[r].destination;
            leg.firstLine = leg.lastLine = m_legArcs.lineCount();
            const auto from = positionOf(leg.from), to = positionOf(leg.to);
            if (from && to) {
                AppendGreatCircle(*from, *to, m_legArcs);
                leg.lastLine = m_legArcs.lineCount();
                leg.middle = MiddleOf(m_legArcs, leg.firstLine, leg.lastLine);
            }
            m_legs.push_back(std::move(leg));
        }
        ++m_legsRevision;
    }
    int selected = -1;
    for (std::size_t i = 0; i < m_legs.size(); ++i)
        if (m_legs[i].row == editor.nextRow()) selected = static_cast<int>(i);
    if (selected != m_selectedLeg) {
        m_selectedLeg = selected;
        ++m_legsRevision;
    }
}

std::string RouteMapEditor::summary() const {
    if (m_chosen.empty()) return "No airport listed on the FlightPlans page.";
    const int routes = static_cast<int>(m_routes.size());
    std::string text = m_chosen + ": " + Plural(routes, "route", "routes");
    if (!m_chosenAt)
        text += ", none drawn: " + m_chosen + " has no position.";
    else if (routesDrawn() < routes)
        text += ", " + std::to_string(routes - routesDrawn()) + " not drawn: airports without a position.";
    return text;
}

int RouteMapEditor::airportAt(GeoPoint at, double radius) const {
    int nearest = -1;
    double best = radius * radius;
    for (std::size_t row = 0; row < m_airports.size(); ++row) {
        const MapAirport& airport = m_airports[row];
        if (!airport.positioned) continue;
        const double dx = airport.at.lon - at.lon, dy = airport.at.lat - at.lat;
        const double d = dx * dx + dy * dy;
        // On a tie the airport with flights wins: it is the one drawn on top.
        if (d < best || (d == best && nearest >= 0 && airport.withFlights &&
                         !m_airports[static_cast<std::size_t>(nearest)].withFlights)) {
            best = d;
            nearest = static_cast<int>(row);
        }
    }
    return nearest;
}

std::string RouteMapEditor::airportTip(int row) const {
    const AirportTable& table = m_db.airportTable();
    if (row < 0 || row >= table.rowCount()) return {};
    const std::string& name = table.cell(row, AirportTable::Name);
    return table.cell(row, AirportTable::Icao) + (name.empty() ? std::string() : "  " + name);
}

void RouteMapEditor::chooseAirport(int row) {
    const AirportTable& table = m_db.airportTable();
    if (row < 0 || row >= table.rowCount()) return;
    m_flights.chooseAirport(Upper(table.cell(row, AirportTable::Icao)));
}

GeoBounds RouteMapEditor::selectionBounds() const {
    GeoBounds bounds;
    for (GeoPoint p : m_legArcs.points) bounds.add(p);
    if (!bounds.empty) return bounds;
    for (GeoPoint p : m_routeArcs.points) bounds.add(p);
    if (m_chosenAt) bounds.add(*m_chosenAt);
    if (!bounds.empty) return bounds;
    if (m_markedAt) bounds.add(*m_markedAt);
    return bounds;
}

} // namespace corvane
