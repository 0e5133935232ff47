#include "checks/flightchecker.h"

#include "checks/periodclock.h"
#include "schedule/flighttime.h"
#include "traffic/fields.h"
#include "traffic/flightline.h"
#include "traffic/numbers.h"
#include "traffic/text.h"
#include "traffic/trafficdatabase.h"
#include "traffic/writer.h"

#include <algorithm>

namespace corvane {

namespace {

constexpr long long kShortestLeg = 5 * 60;
constexpr double kLowestAltitude = 10;
constexpr double kHighestAltitude = 450;
constexpr double kSlowestSpeed = 10;
constexpr std::string_view kDropped = ", so saving or compiling drops the flight.";

} // namespace

FlightChecker::FlightChecker(const TrafficDatabase& db, const CheckOptions& options, CheckReport& report)
    : m_db(db)
    , m_options(options)
    , m_report(report) {}

void FlightChecker::add(Check check, int index, int leg, std::initializer_list<std::string_view> parts) {
    TextStore& texts = m_report.texts;
    texts.begin();
    for (std::string_view part : parts) texts.append(part);
    m_report.problems.push_back({check, index, leg, texts.end()});
}

std::string_view FlightChecker::field(int position) const {
    return position >= 1 && position <= static_cast<int>(m_fields.size())
               ? m_fields[static_cast<std::size_t>(position - 1)]
               : std::string_view();
}

const FlightChecker::Aircraft& FlightChecker::aircraft(std::string_view field) {
    if (const int known = m_aircraftIndex.find(field); known >= 0)
        return m_aircraft[static_cast<std::size_t>(known)];
    Aircraft a;
    const std::string number = "AC#" + AircraftKey(field);
    a.name = std::string(field);
    if (number != field) a.name += " (" + number + ")";
    const std::string* speed = nullptr;
    const std::string* title = nullptr;
    if (const int row = m_db.aircraftTable().findByNumber(number); row >= 0) {
        speed = &m_db.aircraftTable().cell(row, AircraftTable::Speed);
        title = &m_db.aircraftTable().cell(row, AircraftTable::Title);
    } else if (const int missing = m_db.missingAircraftTable().findByNumber(number); missing >= 0) {
        speed = &m_db.missingAircraftTable().cell(missing, MissingAircraftTable::Speed);
        title = &m_db.missingAircraftTable().cell(missing, MissingAircraftTable::Title);
        a.missing = true;
    }
    if (speed) {
        a.found = true;
        a.speed = NumericValue(*speed);
        a.speedText = *speed;
        a.name = std::string(field) + " (" + *title + ")";
    }
    m_aircraftIndex.insert(field, static_cast<int>(m_aircraft.size()));
    return m_aircraft.emplace_back(std::move(a));
}

const FlightChecker::Airport& FlightChecker::airport(std::string_view code) {
    if (const int known = m_airportIndex.find(code); known >= 0)
        return m_airports[static_cast<std::size_t>(known)];
    const AirportTable& airports = m_db.airportTable();
    Airport found;
    found.row = airports.findByIcao(code);
    if (const auto position = AirportPosition(airports, found.row)) {
        found.positioned = true;
        found.position = *position;
    }
    m_airportIndex.insert(code, static_cast<int>(m_airports.size()));
    return m_airports.emplace_back(std::move(found));
}

void FlightChecker::check(int index, std::string_view line) {
    SplitFieldsInto(line, ',', m_fields);
    const Aircraft& plane = aircraft(field(1));
    if (!plane.found) {
        add(Check::UnknownAircraft, index, 0,
            {"The aircraft ", plane.name, " is in neither aircraft table", kDropped});
    } else {
        if (plane.speed < kSlowestSpeed)
            add(Check::SlowAircraft, index, 0,
                {"The aircraft ", plane.name, " cruises at ", plane.speedText, " knots, below 10", kDropped});
        if (plane.missing)
            add(Check::MissingAircraft, index, 0,
                {"The aircraft ", plane.name, " is not installed in the simulator."});
    }

    const std::string_view percentText = field(3);
    const double percent = NumericValue(percentText);
    if (percent <= 0)
        add(Check::Percent, index, 0,
            {"The traffic percent is ", percentText, ", so the flight never appears."});
    else if (percent > 100)
        add(Check::Percent, index, 0, {"The traffic percent ", percentText, " is above 100 %."});

    checkLegs(index);
    const auto period = RepeatPeriodSeconds(field(4));
    if (period && !m_legs.empty() && readTimes()) checkTimes(index, *period, plane);
}

const FlightChecker::Leg& FlightChecker::previous(std::size_t k) const {
    return m_legs[k == 0 ? m_legs.size() - 1 : k - 1];
}

void FlightChecker::checkLegs(int index) {
    m_legs.clear();
    for (int position = kFirstDestinationField; !field(position).empty(); position += kFieldsPerLeg)
        m_legs.push_back({field(position), &airport(field(position))});
    m_withoutPosition.clear();
    for (std::size_t k = 0; k < m_legs.size(); ++k) {
        const int leg = static_cast<int>(k) + 1;
        const Leg& current = m_legs[k];
        const std::string_view from = previous(k).destination, to = current.destination;
        if (current.airport->row < 0) {
            add(Check::UnknownAirport, index, leg,
                {from, "-", to, ": the airport ", to, " is not in the airport table", kDropped});
        } else if (!current.airport->positioned &&
                   std::find(m_withoutPosition.begin(), m_withoutPosition.end(), current.airport->row) ==
                       m_withoutPosition.end()) {
            m_withoutPosition.push_back(current.airport->row);
            add(Check::NoPosition, index, 0,
                {"The airport ", to, " has no coordinates, so no flight time can be proposed for its legs."});
        }
        if (EqualsIgnoringCase(from, to))
            add(Check::SameAirport, index, leg,
                {from, "-", to, ": the leg departs from and arrives at ", to, "."});
        const std::string_view altitudeText = field(leg * kFieldsPerLeg + 2);
        const double altitude = NumericValue(altitudeText);
        if (altitude < kLowestAltitude || altitude > kHighestAltitude)
            add(Check::Altitude, index, leg,
                {from, "-", to, ": the cruise altitude ", altitudeText,
                 altitude < kLowestAltitude ? " is below 10" : " is above 450", " (hundreds of feet)."});
    }
}

bool FlightChecker::readTimes() {
    const bool weekly = field(4) == "WEEK";
    for (std::size_t k = 0; k < m_legs.size(); ++k) {
        const int departureField = static_cast<int>(k + 1) * kFieldsPerLeg;
        Leg& leg = m_legs[k];
        leg.departureText = field(departureField);
        leg.arrivalText = field(departureField + 1);
        const auto departure = StoredTimeSeconds(leg.departureText, weekly);
        const auto arrival = StoredTimeSeconds(leg.arrivalText, weekly);
        if (!departure || !arrival) return false;
        leg.departure = *departure;
        leg.arrival = *arrival;
    }
    return true;
}

long long FlightChecker::proposedSeconds(std::size_t k, const Aircraft& aircraft) const {
    const Airport& from = *previous(k).airport;
    const Airport& to = *m_legs[k].airport;
    return ProposedLegSeconds(previous(k).destination, from.positioned ? &from.position : nullptr,
                              m_legs[k].destination, to.positioned ? &to.position : nullptr, aircraft.speed)
        .value_or(-1);
}

void FlightChecker::checkTimes(int index, int period, const Aircraft& aircraft) {
    const long long turnaround = static_cast<long long>(m_options.turnaroundMinutes) * 60;
    long long total = 0;
    for (std::size_t k = 0; k < m_legs.size(); ++k) {
        const int leg = static_cast<int>(k) + 1;
        const Leg& current = m_legs[k];
        const Leg& before = previous(k);
        const long long ground = ClockDifference(before.arrival, current.departure, period);
        const long long duration = ClockDifference(current.departure, current.arrival, period);
        total += ground + duration;

        if (ground < turnaround)
            add(Check::ShortTurnaround, index, leg,
                {before.destination, ": arrives ", before.arrivalText, " and leaves ", current.departureText,
                 ", ", DurationText(ground), " on the ground, under the turnaround minimum of ",
                 std::to_string(m_options.turnaroundMinutes), " minutes."});

        const long long proposed = proposedSeconds(k, aircraft);
        const bool underShare = proposed >= 0 && duration * 5 < proposed * 4;
        const bool underFive = duration < kShortestLeg;
        const bool overTwice = proposed >= 0 && duration > 2 * proposed + 3600;
        if (!underShare && !underFive && !overTwice) continue;
        const std::string took = DurationText(duration);
        const std::string proposal = proposed >= 0 ? DurationText(proposed) : std::string();
        if (underShare || underFive)
            add(Check::LegTooShort, index, leg,
                {before.destination, "-", current.destination, ": ", current.departureText, " to ",
                 current.arrivalText, " takes ", took, underFive ? ", under 5 minutes" : "",
                 underShare
                     ? (underFive ? " and under 80 % of the proposed " : ", under 80 % of the proposed ")
                     : "",
                 underShare ? std::string_view(proposal) : "", "."});
        if (overTwice)
            add(Check::LegTooLong, index, leg,
                {before.destination, "-", current.destination, ": ", current.departureText, " to ",
                 current.arrivalText, " takes ", took, ", more than twice the proposed ", proposal,
                 " plus one hour."});
    }
    if (total > period)
        add(Check::CycleTooLong, index, 0,
            {"The legs and the ground times between them add up to ", DurationText(total),
             ", more than the repeat period of ",
             period == kWeekSeconds ? "one week" : std::to_string(period / 3600) + " hours",
             ": the aircraft would have to start its next round before finishing this one."});
}

} // namespace corvane
