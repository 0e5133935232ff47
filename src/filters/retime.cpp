#include "filters/retime.h"

#include "checks/periodclock.h"
#include "schedule/weektime.h"
#include "traffic/fields.h"
#include "traffic/flightline.h"
#include "traffic/numbers.h"
#include "traffic/trafficdatabase.h"
#include "traffic/writer.h"

#include <algorithm>

namespace corvane {

namespace {

// Why legs kept their arrival, one text per reason that applies.
std::vector<std::string> KeptReasons(const RetimeCounts& counts) {
    std::vector<std::string> reasons;
    const auto add = [&](int count, const char* why) {
        if (count > 0) reasons.push_back(Counted(count, "leg", "legs") + " " + why);
    };
    add(counts.noSpeed, "whose aircraft has no cruise speed");
    add(counts.noPosition, "whose airports have no known position");
    add(counts.sameAirport, "from an airport to itself");
    add(counts.badTime, "whose departure is not a time of day");
    return reasons;
}

} // namespace

RetimeCounts& RetimeCounts::operator+=(const RetimeCounts& other) {
    selected += other.selected;
    flights += other.flights;
    legs += other.legs;
    noSpeed += other.noSpeed;
    noPosition += other.noPosition;
    sameAirport += other.sameAirport;
    badTime += other.badTime;
    return *this;
}

Retimer::Retimer(const TrafficDatabase& db)
    : m_db(db) {}

double Retimer::speed(std::string_view aircraftField) {
    if (const auto known = m_speeds.find(aircraftField); known != m_speeds.end()) return known->second;
    // Looked up as the writer and the check look it up: AC#007 and AC#7 are one aircraft.
    const std::string number = "AC#" + AircraftKey(aircraftField);
    double speed = 0;
    if (const int row = m_db.aircraftTable().findByNumber(number); row >= 0)
        speed = NumericValue(m_db.aircraftTable().cell(row, AircraftTable::Speed));
    else if (const int missing = m_db.missingAircraftTable().findByNumber(number); missing >= 0)
        speed = NumericValue(m_db.missingAircraftTable().cell(missing, MissingAircraftTable::Speed));
    m_speeds.emplace(std::string(aircraftField), speed);
    return speed;
}

const GeoPosition* Retimer::position(std::string_view code) {
    auto known = m_positions.find(code);
    if (known == m_positions.end()) {
        const AirportTable& airports = m_db.airportTable();
        known = m_positions.emplace(std::string(code), AirportPosition(airports, airports.findByIcao(code)))
                    .first;
    }
    return known->second ? &*known->second : nullptr;
}

std::string Retimer::retimed(std::string_view line, RetimeCounts& counts, const std::vector<int>& legs) {
    SplitFieldsInto(line, ',', m_fields);
    const auto field = [&](int position) {
        return position >= 1 && position <= static_cast<int>(m_fields.size())
                   ? m_fields[static_cast<std::size_t>(position - 1)]
                   : std::string_view();
    };
    // Leg k (from 1) flies to the destination at field 6k + 5 from the one before it (leg 1 from the last).
    const auto destination = [&](int leg) { return field(leg * kFieldsPerLeg + 5); };
    int legCount = 0;
    m_legPositions.clear();
    while (!destination(legCount + 1).empty()) m_legPositions.push_back(position(destination(++legCount)));
    const bool weekly = field(4) == "WEEK";
    const double knots = speed(field(1));

    m_arrivals.assign(static_cast<std::size_t>(legCount), std::string()); // empty: kept
    bool changed = false;
    for (int leg = 1; leg <= legCount; ++leg) {
        if (!legs.empty() && std::find(legs.begin(), legs.end(), leg) == legs.end()) continue;
        const int before = leg == 1 ? legCount : leg - 1;
        const std::string_view from = destination(before), to = destination(leg);
        if (!(knots > 0)) {
            ++counts.noSpeed;
            continue;
        }
        if (EqualsIgnoringCase(from, to)) {
            ++counts.sameAirport;
            continue;
        }
        const auto seconds = ProposedLegSeconds(from, m_legPositions[static_cast<std::size_t>(before - 1)],
                                                to, m_legPositions[static_cast<std::size_t>(leg - 1)], knots);
        if (!seconds) {
            ++counts.noPosition;
            continue;
        }
        const auto departure = StoredTimeSeconds(field(leg * kFieldsPerLeg), weekly);
        if (!departure) {
            ++counts.badTime;
            continue;
        }
        // The departure's seconds from Sunday (or midnight) carry into minutes, hours and days.
        const ArrivalTime arrival = ArrivalAfter(0, 0, *departure, 0, *seconds);
        std::string text = weekly ? std::to_string(arrival.day) + "/" + arrival.time : arrival.time;
        if (text == field(leg * kFieldsPerLeg + 1)) continue;
        m_arrivals[static_cast<std::size_t>(leg - 1)] = std::move(text);
        ++counts.legs;
        changed = true;
    }
    if (!changed) return std::string(line);
    ++counts.flights;
    std::string result;
    result.reserve(line.size() + 8);
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        if (i > 0) result += ',';
        const int position = static_cast<int>(i) + 1;
        const int leg = (position - 1) / kFieldsPerLeg; // the arrival of leg k is field 6k + 1
        const bool arrivalField = position % kFieldsPerLeg == 1 && leg >= 1 && leg <= legCount;
        if (arrivalField && !m_arrivals[static_cast<std::size_t>(leg - 1)].empty())
            result += m_arrivals[static_cast<std::size_t>(leg - 1)];
        else
            result += m_fields[i];
    }
    return result;
}

RetimePlan PlanRetime(const TrafficDatabase& db, const FilterSelection& selection,
                      const FilterProgress& progress) {
    RetimePlan plan;
    const FlightSelector selector(db, selection);
    Retimer retimer(db);
    const FlightTable& flights = db.flightTable();
    const int count = flights.count();
    for (int i = 0; i < count; ++i) {
        const std::string& line = flights.at(i);
        if (selector.selects(line)) {
            ++plan.counts.selected;
            std::string retimed = retimer.retimed(line, plan.counts);
            if (retimed != line) plan.changes.push_back({i, std::move(retimed)});
        }
        if (progress) progress(i + 1, count);
    }
    return plan;
}

std::string RetimeDoneText(const RetimeCounts& counts) {
    std::string text = "Set the arrival time of " + Counted(counts.legs, "leg", "legs") + " in " +
                       Counted(counts.flights, "flight", "flights") + " from the cruise speeds.";
    if (counts.kept() > 0) {
        text += "\r\n\r\n" + Counted(counts.kept(), "leg", "legs") + " kept " +
                (counts.kept() == 1 ? "its" : "their") + " arrival time:";
        for (const std::string& reason : KeptReasons(counts)) text += "\r\n" + reason;
    }
    return text;
}

std::string RetimePreviewText(const RetimeCounts& counts) {
    if (counts.selected == 0) return "No flight is selected.";
    const std::string selected = Counted(counts.selected, "flight", "flights") + " selected";
    std::string text = counts.legs == 0
                           ? "No leg of the " + selected + " gets a new arrival time."
                           : Counted(counts.legs, "leg", "legs") + " of " +
                                 Counted(counts.flights, "flight", "flights") + " of the " + selected +
                                 (counts.legs == 1 ? " gets" : " get") + " a new arrival time.";
    const std::vector<std::string> reasons = KeptReasons(counts);
    for (std::size_t i = 0; i < reasons.size(); ++i)
        text += (i == 0 ? " Kept: " : ", ") + reasons[i] + (i + 1 == reasons.size() ? "." : "");
    return text;
}

} // namespace corvane
