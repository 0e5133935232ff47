#include "editors/airportboardeditor.h"

#include "board/boardtext.h"
#include "editors/flighteditor.h"
#include "projects/session.h"
#include "traffic/numbers.h"
#include "traffic/prompts.h"
#include "traffic/text.h"

#include <algorithm>
#include <numeric>

namespace corvane {

const std::array<std::string_view, 8> AirportBoardEditor::kDayItems{"All", "Sun", "Mon", "Tue",
                                                                    "Wed", "Thu", "Fri", "Sat"};

namespace {

// Numbers by their value (flight numbers, percents), then as text.
int CompareNumbers(std::string_view a, std::string_view b) {
    const double x = NumericValue(a), y = NumericValue(b);
    return x < y ? -1 : x > y ? 1 : CompareIgnoringCase(a, b);
}

int CompareColumn(const BoardRow& a, const BoardRow& b, int column) {
    const AirportMovement& x = *a.movement;
    const AirportMovement& y = *b.movement;
    switch (column) {
    case DayColumn:
        return a.day - b.day;
    case FlightColumn:
        return CompareNumbers(x.flightNumber, y.flightNumber);
    case TailColumn:
        return CompareIgnoringCase(x.tail, y.tail);
    case AircraftColumn:
        return CompareIgnoringCase(x.aircraft, y.aircraft);
    case AirportColumn:
        return CompareIgnoringCase(x.airport, y.airport);
    case PercentColumn:
        return CompareNumbers(x.percent, y.percent);
    case RulesColumn:
        return CompareIgnoringCase(x.rules, y.rules);
    case RepeatColumn:
        return x.period - y.period;
    default:
        return 0; // the time: the time order below
    }
}

} // namespace

AirportBoardEditor::AirportBoardEditor(Session& session)
    : m_session(session) {
    for (ObserverList* list : watched()) list->add(this);
}

AirportBoardEditor::~AirportBoardEditor() {
    for (ObserverList* list : watched()) list->remove(this);
}

std::vector<ObserverList*> AirportBoardEditor::watched() const {
    TrafficDatabase& db = m_session.db;
    return {&db.flightTable().observers(), &db.airportTable().observers(), &db.aircraftTable().observers(),
            &db.missingAircraftTable().observers()};
}

void AirportBoardEditor::changed() {
    m_changed = true;
    if (m_changedCallback) m_changedCallback();
}

bool AirportBoardEditor::typeAirport(const std::string& text) {
    m_aptCom = text;
    if (text.size() < 4) return false;
    chooseAirport(text);
    return true;
}

bool AirportBoardEditor::enterAirport() {
    if (m_aptCom.size() <= 2) return false;
    chooseAirport(m_aptCom);
    return true;
}

void AirportBoardEditor::chooseAirport(const std::string& code) {
    m_aptCom = Upper(code);
    m_traffic.code = m_aptCom;
    refresh();
}

std::string AirportBoardEditor::airportText() const {
    if (m_traffic.code.empty()) return "Type an airport code.";
    const AirportTable& airports = m_session.db.airportTable();
    const int row = airports.findByIcao(m_traffic.code);
    std::string text = m_traffic.code;
    if (row >= 0 && !airports.cell(row, AirportTable::Name).empty())
        text += " " + airports.cell(row, AirportTable::Name);
    if (m_traffic.movements.empty() && m_traffic.unreadableFlights == 0) text += ": no flights";
    return text;
}

void AirportBoardEditor::chooseZone(int zone) {
    m_board.zone = zone;
    rebuild();
}

void AirportBoardEditor::chooseDay(int item) {
    m_board.day = item - 1;
    rebuild();
}

void AirportBoardEditor::refresh() {
    m_traffic = CollectAirportTraffic(m_session.db, m_traffic.code);
    m_changed = false;
    rebuild();
}

void AirportBoardEditor::rebuild() {
    m_board = BuildAirportBoard(m_traffic, m_board.zone, m_board.day);
    sortRows(Departures);
    sortRows(Arrivals);
}

void AirportBoardEditor::sortRows(Table table) {
    const std::vector<BoardRow>& all = rows(table);
    std::vector<int>& shown = m_order[table];
    shown.resize(all.size());
    std::iota(shown.begin(), shown.end(), 0);
    const Sort sort = m_sort[table];
    // The board's rows come in time order, which breaks the ties of every column.
    std::stable_sort(shown.begin(), shown.end(), [&](int a, int b) {
        const BoardRow& x = all[static_cast<std::size_t>(a)];
        const BoardRow& y = all[static_cast<std::size_t>(b)];
        const int order = CompareColumn(x, y, sort.column);
        if (order != 0) return sort.ascending ? order < 0 : order > 0;
        return sort.column == TimeColumn && !sort.ascending ? b < a : a < b;
    });
    ++m_rowsRevision;
}

void AirportBoardEditor::clickHeader(Table table, int column) {
    if (column < 0 || column >= kBoardColumnCount) return;
    Sort& sort = m_sort[table];
    sort.ascending = column == sort.column ? !sort.ascending : true;
    sort.column = column;
    sortRows(table);
}

const BoardRow& AirportBoardEditor::row(Table table, int row) const {
    return rows(table)[static_cast<std::size_t>(order(table)[static_cast<std::size_t>(row)])];
}

std::string AirportBoardEditor::header(Table table, int column) const {
    if (table == Arrivals && column == AirportColumn) return std::string(kArrivalsAirportHeader);
    return column >= 0 && column < kBoardColumnCount
               ? std::string(kBoardHeaders[static_cast<std::size_t>(column)])
               : std::string();
}

std::string AirportBoardEditor::cell(Table table, int row, int column) const {
    return BoardCell(this->row(table, row), column);
}

std::string AirportBoardEditor::tableTitle(Table table) const {
    return std::string(table == Departures ? "Departures" : "Arrivals") + " (" +
           std::to_string(rowCount(table)) + ")";
}

AirportBoardEditor::RowKey AirportBoardEditor::key(Table table, int row) const {
    if (row < 0 || row >= rowCount(table)) return {};
    const BoardRow& r = this->row(table, row);
    return {r.movement->flight, r.movement->leg, r.day, r.time};
}

int AirportBoardEditor::find(Table table, const RowKey& key) const {
    for (int row = 0; row < rowCount(table); ++row) {
        const BoardRow& r = this->row(table, row);
        if (r.movement->flight == key.flight && r.movement->leg == key.leg && r.day == key.day &&
            r.time == key.time)
            return row;
    }
    return -1;
}

bool AirportBoardEditor::showMovement(Table table, int row, FlightEditor& editor) {
    if (row < 0 || row >= rowCount(table)) return false;
    const AirportMovement& movement = *this->row(table, row).movement;
    if (editor.showFlight(movement.flight, movement.leg, m_traffic.code)) return true;
    const FlightTable& flights = m_session.db.flightTable();
    const std::string flight = "Flight " + std::to_string(movement.flight);
    if (movement.flight < flights.count() && !flights.at(movement.flight).empty()) {
        // Its codes are not in capitals, so the FlightPlans page lists it under no airport.
        m_session.prompts.message("Airport Board", flight + " cannot be listed on the FlightPlans page.",
                                  Icon::Exclamation);
        return false;
    }
    m_session.prompts.message(
        "Airport Board",
        flight + " is no longer in the traffic.\r\nThe board now shows the traffic as it is.",
        Icon::Exclamation);
    refresh();
    return false;
}

} // namespace corvane
