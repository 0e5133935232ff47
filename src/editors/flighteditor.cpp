#include "editors/flighteditor.h"

#include "editors/fieldcheck.h"
#include "platform/progress.h"
#include "traffic/changejournal.h"
#include "traffic/fields.h"
#include "traffic/numbers.h"
#include "traffic/prompts.h"
#include "traffic/text.h"

#include <algorithm>
#include <cstring>
#include <unordered_set>

namespace corvane {

namespace {

constexpr std::size_t kSummaryLength = 14;

bool RowLess(const FlightRow& a, const FlightRow& b) {
    return CompareIgnoringCase(a.summary, b.summary) < 0;
}

} // namespace

std::string RouteSummary(std::string_view line) {
    const auto destinations = FlightDestinations(line);
    if (destinations.empty()) return {};
    std::string summary(destinations.back());
    for (std::size_t i = 0; i + 1 < destinations.size(); ++i) {
        if (summary.size() == kSummaryLength) {
            summary += "...";
            break;
        }
        if (summary.size() > kSummaryLength) break;
        summary += "-" + Upper(destinations[i]);
    }
    return summary;
}

FlightEditor::FlightEditor(Session& session)
    : m_session(session)
    , m_legs(session.db, m_header, session.prompts) {
    m_session.editor = this;
}

FlightEditor::~FlightEditor() {
    if (m_session.editor == this) m_session.editor = &Session::NoEditor();
}

bool FlightEditor::typeAirport(const std::string& text) {
    m_aptCom = text;
    if (text.size() < 4) return false;
    chooseAirport(Upper(text));
    return true;
}

bool FlightEditor::enterAirport() {
    if (m_aptCom.size() <= 2) return false;
    chooseAirport(Upper(m_aptCom));
    return true;
}

void FlightEditor::chooseAirport() {
    chooseAirport(m_aptCom);
}

void FlightEditor::chooseAirport(const std::string& text) {
    SaveToLST();
    m_aptCom = text;
    const std::string code = Upper(text);
    ClearData(false);
    m_flights.clear();
    m_selectedFlight = -1;
    {
        Progress& progress = m_session.progress;
        ProgressScope scope(progress, "Finding Flights for " + code);
        ProgressTicker ticker(progress);
        const auto& lines = m_session.db.flightTable().lines();
        const double n = static_cast<double>(lines.size());
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const std::string& line = lines[i];
            if (!line.empty() && line.find(code) != std::string::npos)
                m_flights.push_back({RouteSummary(line), static_cast<int>(i)});
            ticker.show(RoundToInt(static_cast<double>(i) / n * 100));
        }
        std::stable_sort(m_flights.begin(), m_flights.end(), RowLess);
        ++m_flightsRevision;
        m_infoLbl = "Flights at " + code;
        if (!m_flights.empty()) {
            m_selectedFlight = 0;
            ReadFlightData();
        }
    }
}

void FlightEditor::chooseFlight(int row) {
    if (row < 0 || row >= static_cast<int>(m_flights.size())) return;
    if (m_flights[static_cast<std::size_t>(row)].index == m_currentFlight) {
        m_selectedFlight = row;
        return;
    }
    SaveToLST();
    m_selectedFlight = row;
    ReadFlightData();
}

bool FlightEditor::showFlight(int index, int leg, const std::string& airport) {
    const FlightTable& table = m_session.db.flightTable();
    if (index < 0 || index >= table.count() || table.at(index).empty()) return false;
    SaveToLST(); // the flight on screen may be this one: list it as it now stands
    const auto listed = [&] {
        return std::find_if(m_flights.begin(), m_flights.end(),
                            [index](const FlightRow& r) { return r.index == index; });
    };
    if (!airport.empty()) chooseAirport(Upper(airport));
    if (airport.empty() || listed() == m_flights.end()) {
        const auto destinations = FlightDestinations(table.at(index));
        chooseAirport(destinations.empty() ? std::string() : Upper(destinations.back()));
    }
    const auto row = listed();
    if (row == m_flights.end()) return false;
    chooseFlight(static_cast<int>(row - m_flights.begin()));
    // Row r of the legs list holds the leg before the one departing from its airport: leg k departs
    // from the airport of row k - 1.
    if (leg >= 1 && leg <= static_cast<int>(m_legs.rows().size())) m_legs.chooseLeg(leg - 1);
    return true;
}

std::string FlightEditor::listedAirport() const {
    constexpr std::string_view kPrefix = "Flights at ";
    if (m_infoLbl.rfind(kPrefix, 0) != 0 || m_infoLbl == "Flights at ...") return {};
    return m_infoLbl.substr(kPrefix.size());
}

void FlightEditor::addFlight() {
    const AirportTable& airports = m_session.db.airportTable();
    if (airports.isEmpty() || m_aptCom.empty()) return;
    // The airport last listed: the last four characters of "Flights at CODE".
    const std::string code = m_infoLbl.size() >= 4 ? m_infoLbl.substr(m_infoLbl.size() - 4) : m_infoLbl;
    const int row = airports.findByIcao(code);
    if (row < 0 || airports.cell(row, AirportTable::Icao) != code) return;
    StepScope step(m_session.db.journal(), "Add Flight");
    SaveToLST();
    const int index = m_session.db.flightTable().append(std::string(kNewFlightTemplate) + code + ",");
    const FlightRow added{code + "-----", index};
    const auto at = std::upper_bound(m_flights.begin(), m_flights.end(), added, RowLess);
    m_selectedFlight = static_cast<int>(at - m_flights.begin());
    m_flights.insert(at, added);
    ++m_flightsRevision;
    ReadFlightData();
}

void FlightEditor::deleteFlight() {
    if (m_currentFlight == -1 || m_selectedFlight < 0) return;
    const std::string& summary = m_flights[static_cast<std::size_t>(m_selectedFlight)].summary;
    if (!m_session.prompts.question("Delete selected flight", "Do you really want to delete " + summary + "?",
                                    Icon::Exclamation, Answer::No))
        return;
    StepScope step(m_session.db.journal(), "Delete Flight");
    m_flights.erase(m_flights.begin() + m_selectedFlight);
    ++m_flightsRevision;
    m_session.db.flightTable().empty(m_currentFlight);
    ClearData(false);
    if (m_flights.empty()) {
        m_selectedFlight = -1;
        return;
    }
    m_selectedFlight = std::min(m_selectedFlight, static_cast<int>(m_flights.size()) - 1);
    ReadFlightData();
}

void FlightEditor::chooseAircraft(const std::string& title) {
    m_header.aircraft = title;
    m_legs.UpdateETA();
}

void FlightEditor::editTail(const std::string& text) {
    if (!RefuseComma(m_session.prompts, text)) m_header.tail = text;
}

void FlightEditor::editPercent(const std::string& text) {
    if (RefuseComma(m_session.prompts, text)) return;
    const int p = std::min<int>(RoundToInt16(NumericValue(text)), 100);
    m_header.percent = std::to_string(p);
}

void FlightEditor::chooseRepeat(const std::string& period) {
    m_header.repeat = period;
    m_legs.repeatChanged();
}

void FlightEditor::chooseRules(bool ifr) {
    m_header.ifr = ifr;
}

std::string FlightEditor::flightLine() const {
    const std::string& current = m_session.db.flightTable().at(m_currentFlight);
    FlightForm form;
    form.aircraftNumber = GetField(current, 1, ',');
    const AircraftTable& aircraft = m_session.db.aircraftTable();
    if (const int row = aircraft.findByTitle(m_header.aircraft); row >= 0)
        form.aircraftNumber = aircraft.cell(row, AircraftTable::Number);
    form.tail = m_header.tail;
    form.percent = m_header.percent;
    form.repeat = m_header.repeat;
    form.ifr = m_header.ifr;
    form.legs = m_legs.rows();
    return EncodeFlightLine(form);
}

bool FlightEditor::holdsUnstoredEdits() const {
    const FlightTable& table = m_session.db.flightTable();
    return m_currentFlight >= 0 && m_currentFlight < table.count() &&
           flightLine() != table.at(m_currentFlight);
}

void FlightEditor::SaveToLST() {
    FlightTable& table = m_session.db.flightTable();
    if (m_currentFlight < 0 || m_currentFlight >= table.count()) return;
    // An unchanged flight is not stored again, so that the table announces real changes only.
    std::string line = flightLine();
    if (line == table.at(m_currentFlight)) return;
    StepScope step(m_session.db.journal(), "Edit Flight");
    table.replace(m_currentFlight, std::move(line));
}

void FlightEditor::addLeg() {
    StepScope step(m_session.db.journal(), "Add Leg");
    m_legs.addLeg();
    SaveToLST();
}

void FlightEditor::removeLeg() {
    StepScope step(m_session.db.journal(), "Delete Leg");
    m_legs.removeLeg();
    SaveToLST();
}

void FlightEditor::forgetFlight() {
    ClearData(false);
}

void FlightEditor::ReadFlightData() {
    if (m_flights.empty() || m_selectedFlight < 0) return;
    m_currentFlight = m_flights[static_cast<std::size_t>(m_selectedFlight)].index;
    const FlightTable& table = m_session.db.flightTable();
    if (m_currentFlight >= table.count() || table.at(m_currentFlight).empty()) {
        ClearData(false);
        return;
    }
    FlightForm form = DecodeFlightLine(table.at(m_currentFlight));

    // The aircraft with field 1's number, the first in table order: the one the writer will give the
    // flight (AC#007 is AC#7).
    const AircraftTable& aircraft = m_session.db.aircraftTable();
    m_header.aircraft = std::string(kChooseAircraft);
    const int row = aircraft.findByNumber(form.aircraftNumber);
    if (row >= 0 && !aircraft.cell(row, AircraftTable::Title).empty())
        m_header.aircraft = aircraft.cell(row, AircraftTable::Title);
    // An aircraft that is not installed is shown by its title, marked; the combo offers only the
    // others, and choosing one of them works as always.
    const MissingAircraftTable& missing = m_session.db.missingAircraftTable();
    if (const int unknown = missing.findByNumber(form.aircraftNumber); row < 0 && unknown >= 0)
        m_header.aircraft = missing.cell(unknown, MissingAircraftTable::Title) + std::string(kNotInstalled);
    m_header.tail = form.tail;
    m_header.percent = form.percent;
    m_header.repeat = form.repeat;
    m_header.ifr = form.ifr;
    m_legs.showDaysForRepeat();
    m_legs.setRows(std::move(form.legs));
}

void FlightEditor::ClearData(bool clearTables) {
    if (clearTables) {
        m_flights.clear();
        m_selectedFlight = -1;
        ++m_flightsRevision;
    }
    const SortedList& choices = m_session.db.aircraftChoices();
    m_header = FlightHeader{};
    m_header.aircraft = choices.isEmpty() ? std::string() : choices.entry(0);
    m_legs.clear();
    m_currentFlight = -1;
}

void FlightEditor::releaseFlight() {
    SaveToLST();
    m_currentFlight = -1;
}

void FlightEditor::showFirstAirport() {
    // The first airport in the combo's order that flights fly to (the first of all when none do): an
    // opened traffic set shows flights at once, not an empty list of the first airport of apt.dat.
    std::unordered_set<std::string> served;
    for (const std::string& line : m_session.db.flightTable().lines()) {
        DestinationCursor destinations(line);
        for (std::string_view code; destinations.next(code);) served.insert(Upper(code));
    }
    const SortedList& codes = m_session.db.airportCodes();
    std::string first = codes.isEmpty() ? std::string() : codes.entry(0);
    for (const std::string& code : codes.entries()) {
        if (served.count(Upper(code)) == 0) continue;
        first = code;
        break;
    }
    chooseAirport(first);
}

} // namespace corvane
