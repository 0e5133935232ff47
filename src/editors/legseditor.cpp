#include "editors/legseditor.h"

#include "editors/fieldcheck.h"
#include "schedule/flighttime.h"
#include "schedule/weektime.h"
#include "traffic/fields.h"
#include "traffic/numbers.h"
#include "traffic/prompts.h"
#include "traffic/text.h"
#include "traffic/trafficdatabase.h"

#include <optional>

namespace corvane {

namespace {

long long WholeNumber(std::string_view text) {
    return RoundHalfEven(NumericValue(text));
}

// The hour part of a time text: the text before its first ":".
std::string_view HourPart(std::string_view time) {
    return time.substr(0, time.find(':'));
}

std::string FirstFive(const std::string& time) {
    return time.substr(0, 5);
}

} // namespace

LegsEditor::LegsEditor(const TrafficDatabase& db, const FlightHeader& header, Prompts& prompts)
    : m_db(db)
    , m_header(header)
    , m_prompts(prompts) {}

int LegsEditor::nextRow() const {
    if (m_rows.empty() || m_selected < 0) return -1;
    return m_selected + 1 < static_cast<int>(m_rows.size()) ? m_selected + 1 : 0;
}

LegRow* LegsEditor::next() {
    const int n = nextRow();
    return n < 0 ? nullptr : &m_rows[static_cast<std::size_t>(n)];
}

void LegsEditor::setRows(std::vector<LegRow> rows) {
    m_rows = std::move(rows);
    ++m_rowsRevision;
    m_selected = -1;
    if (!m_rows.empty()) chooseLeg(0);
}

void LegsEditor::clear() {
    m_rows.clear();
    ++m_rowsRevision;
    m_selected = -1;
    LegFields fresh;
    fresh.depZoneCom = m_fields.depZoneCom;
    fresh.arrZoneCom = m_fields.arrZoneCom;
    fresh.depZoneTag = m_fields.depZoneTag;
    fresh.arrZoneTag = m_fields.arrZoneTag;
    m_fields = fresh;
    showDaysForRepeat();
}

void LegsEditor::chooseLeg(int row) {
    if (row < 0 || row >= static_cast<int>(m_rows.size())) return;
    m_selected = row;
    const LegRow& from = m_rows[static_cast<std::size_t>(row)];
    const LegRow& leg = *next();
    if (m_header.weekly()) {
        m_fields.depDayCom = WrapDay(WholeNumber(leg.departureDay));
        m_fields.arrDayCom = WrapDay(WholeNumber(leg.arrivalDay));
    }
    m_fields.depCom = from.destination;
    m_fields.desCom = leg.destination;
    m_fields.depTxt = GmtToLocal(FirstFive(leg.departure), m_fields.depZoneCom, m_fields.depDayCom);
    m_fields.etaTxt = GmtToLocal(FirstFive(leg.arrival), m_fields.arrZoneCom, m_fields.arrDayCom);
    m_fields.cruiseTxt = leg.altitude;
    m_fields.flightNrTxt = leg.flightNumber;
    const std::string flag = Upper(leg.tailFlag);
    if (flag == "F")
        m_fields.forceTailChk = false;
    else if (flag == "R")
        m_fields.forceTailChk = true;
}

void LegsEditor::addLeg() {
    if (m_rows.empty()) return;
    if (m_rows.size() >= kMaxLegs) {
        m_prompts.message("Too many legs", "You are currently not allowed to use more than 25 legs!",
                          Icon::Exclamation);
        return;
    }
    const int at = (m_selected < 0 ? 0 : m_selected) + 1;
    m_rows.insert(m_rows.begin() + at, LegRow{"----", "00:00:00", "00:00:00", "100", "", "F", "", ""});
    ++m_rowsRevision;
    chooseLeg(at);
}

void LegsEditor::removeLeg() {
    if (m_rows.size() <= 2 || m_selected < 0) return;
    const std::string& code = m_rows[static_cast<std::size_t>(m_selected)].destination;
    if (!m_prompts.question("Delete leg", "Do you really want to delete the " + code + " leg?",
                            Icon::Exclamation, Answer::Yes))
        return;
    m_rows.erase(m_rows.begin() + m_selected);
    ++m_rowsRevision;
    // The row that moved into the removed one's place becomes current; after the last, the new last.
    chooseLeg(std::min(m_selected, static_cast<int>(m_rows.size()) - 1));
}

bool LegsEditor::typeDeparture(const std::string& text) {
    if (RefuseComma(m_prompts, text)) return false;
    m_fields.depCom = text;
    return text.size() >= 4 && enterDeparture();
}

bool LegsEditor::enterDeparture() {
    chooseDeparture(Upper(m_fields.depCom));
    return true;
}

bool LegsEditor::typeDestination(const std::string& text) {
    if (RefuseComma(m_prompts, text)) return false;
    m_fields.desCom = text;
    return text.size() >= 4 && enterDestination();
}

bool LegsEditor::enterDestination() {
    chooseDestination(Upper(m_fields.desCom));
    return true;
}

void LegsEditor::chooseDeparture(const std::string& code) {
    if (RefuseComma(m_prompts, code)) return;
    m_fields.depCom = code;
    if (m_rows.empty() || m_selected < 0) return;
    m_rows[static_cast<std::size_t>(m_selected)].destination = code;
    UpdateETA();
}

void LegsEditor::chooseDestination(const std::string& code) {
    if (RefuseComma(m_prompts, code)) return;
    m_fields.desCom = code;
    if (LegRow* leg = next()) {
        leg->destination = code;
        UpdateETA();
    }
}

void LegsEditor::editDepartureTime(const std::string& text) {
    if (RefuseComma(m_prompts, text) || RefuseDepartureTime(m_prompts, text)) return;
    m_fields.depTxt = text;
    UpdateETA();
}

void LegsEditor::chooseDepartureDay(int day) {
    m_fields.depDayCom = day;
    UpdateETA();
}

void LegsEditor::editAltitude(const std::string& text) {
    if (RefuseComma(m_prompts, text)) return;
    m_fields.cruiseTxt = text;
    if (LegRow* leg = next()) leg->altitude = text;
}

void LegsEditor::editFlightNumber(const std::string& text) {
    if (RefuseComma(m_prompts, text)) return;
    m_fields.flightNrTxt = text;
    if (LegRow* leg = next()) leg->flightNumber = text;
}

void LegsEditor::setTailFlag(bool checked) {
    m_fields.forceTailChk = checked;
    if (LegRow* leg = next()) leg->tailFlag = checked ? "R" : "F";
}

void LegsEditor::showDaysForRepeat() {
    m_fields.depDayEnabled = m_header.weekly();
    if (!m_header.weekly()) {
        m_fields.depDayCom = -1;
        m_fields.arrDayCom = -1;
    }
}

void LegsEditor::repeatChanged() {
    showDaysForRepeat();
    if (!m_header.weekly()) return;
    for (LegRow& row : m_rows) row.departureDay = "0";
    // Choosing Sunday recomputes the leg on screen, as a day chosen by the user does.
    chooseDepartureDay(0);
}

std::string LegsEditor::GmtToLocal(const std::string& time, int zone, int& day) const {
    long long h = WholeNumber(HourPart(time)) + ZoneOffset(zone);
    const std::string minutes = time.size() >= 2 ? time.substr(time.size() - 2) : time;
    long long d = day + NormalizeHour(h);
    if (m_header.weekly()) day = WrapDay(d);
    return TwoDigits(h) + ":" + minutes;
}

int LegsEditor::LegFlightSeconds() const {
    const AirportTable& airports = m_db.airportTable();
    const auto from = AirportPosition(airports, airports.findByIcao(m_fields.depCom));
    const auto to = AirportPosition(airports, airports.findByIcao(m_fields.desCom));
    const int aircraft = m_db.aircraftTable().findByTitle(m_header.aircraft);
    const double speed =
        aircraft < 0 ? 0 : NumericValue(m_db.aircraftTable().cell(aircraft, AircraftTable::Speed));
    return ProposedLegSeconds(m_fields.depCom, from ? &*from : nullptr, m_fields.desCom, to ? &*to : nullptr,
                              speed)
        .value_or(0);
}

void LegsEditor::UpdateETA() {
    LegRow* leg = next();
    if (!leg || m_fields.depTxt.size() < 5) return;
    const bool weekly = m_header.weekly();
    long long d = weekly ? m_fields.depDayCom : 0;
    long long h = WholeNumber(HourPart(m_fields.depTxt)) - ZoneOffset(m_fields.depZoneCom);
    d = WrapDay(d + NormalizeHour(h));
    const std::string H = TwoDigits(h);
    const std::string M = LastField(m_fields.depTxt, ':');
    leg->departure = H + ":" + M + ":00";
    leg->departureDay = std::to_string(d);

    // The departure's seconds are always 00 here; the arrival carries the flight time's.
    const ArrivalTime arrival = ArrivalAfter(WholeNumber(H), WholeNumber(M), 0, d, LegFlightSeconds());
    if (weekly) m_fields.arrDayCom = arrival.day;
    leg->arrivalDay = std::to_string(arrival.day);
    leg->arrival = arrival.time;
    m_fields.etaTxt = GmtToLocal(FirstFive(arrival.time), m_fields.arrZoneCom, m_fields.arrDayCom);
}

void LegsEditor::zoneChanged(int zone, int& zoneCombo, int& tag, int& dayCombo, std::string& timeField) {
    zoneCombo = zone;
    if (m_rows.empty()) {
        tag = zone;
        return;
    }
    long long d = m_header.weekly() ? dayCombo : 0;
    if (timeField.empty()) timeField = "00:00";
    long long h = WholeNumber(HourPart(timeField)) + (zone - tag);
    d = WrapDay(d + NormalizeHour(h));
    timeField = TwoDigits(h) + ":" + LastField(timeField, ':');
    if (m_header.weekly()) dayCombo = static_cast<int>(d);
    tag = zone;
}

void LegsEditor::chooseDepartureZone(int zone) {
    zoneChanged(zone, m_fields.depZoneCom, m_fields.depZoneTag, m_fields.depDayCom, m_fields.depTxt);
}

void LegsEditor::chooseArrivalZone(int zone) {
    zoneChanged(zone, m_fields.arrZoneCom, m_fields.arrZoneTag, m_fields.arrDayCom, m_fields.etaTxt);
}

} // namespace corvane
