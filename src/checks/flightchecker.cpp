#include "checks/flightchecker.h"

#include "checks/periodclock.h"
#include "schedule/flighttime.h"
#include "traffic/flightline.h"
#include "traffic/numbers.h"
#include "traffic/text.h"
#include "traffic/trafficdatabase.h"
#include "traffic/writer.h"

#include <climits>

namespace corvane {

namespace {

constexpr long long kShortestLeg = 5 * 60;
constexpr double kLowestAltitude = 10;
constexpr double kHighestAltitude = 450;
constexpr double kSlowestSpeed = 10;
constexpr std::string_view kDropped = ", so saving or compiling drops the flight.";

// Splits a line at its commas into fields, reusing the vector's storage.
void SplitInto(std::string_view line, std::vector<std::string_view>& fields) {
    fields.clear();
    for (;;) {
        const auto comma = line.find(',');
        if (comma == std::string_view::npos) {
            fields.push_back(line);
            return;
        }
        fields.push_back(line.substr(0, comma));
        line.remove_prefix(comma + 1);
    }
}

std::string Text(std::initializer_list<std::string_view> parts) {
    std::size_t size = 0;
    for (std::string_view part : parts) size += part.size();
    std::string text;
    text.reserve(size);
    for (std::string_view part : parts) text += part;
    return text;
}

} // namespace

FlightChecker::FlightChecker(const TrafficDatabase& db, const CheckOptions& options)
    : m_db(db)
    , m_options(options) {}

std::string_view FlightChecker::field(int position) const {
    return position >= 1 && position <= static_cast<int>(m_fields.size())
               ? m_fields[static_cast<std::size_t>(position - 1)]
               : std::string_view();
}

const FlightChecker::Aircraft& FlightChecker::aircraft(std::string_view field) {
    const auto cached = m_aircraft.find(field);
    if (cached != m_aircraft.end()) return cached->second;
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
        a.name = Text({field, " (", *title, ")"});
    }
    return m_aircraft.emplace(field, std::move(a)).first->second;
}

void FlightChecker::check(int index, std::string_view line, std::vector<Problem>& out) {
    SplitInto(line, m_fields);
    const Aircraft& plane = aircraft(field(1));
    if (!plane.found) {
        out.push_back({Check::UnknownAircraft, index, 0,
                       Text({"The aircraft ", plane.name, " is in neither aircraft table", kDropped})});
    } else {
        if (plane.speed < kSlowestSpeed)
            out.push_back({Check::SlowAircraft, index, 0,
                           Text({"The aircraft ", plane.name, " cruises at ", plane.speedText,
                                 " knots, below 10", kDropped})});
        if (plane.missing)
            out.push_back({Check::MissingAircraft, index, 0,
                           Text({"The aircraft ", plane.name, " is not installed in the simulator."})});
    }

    const std::string_view percentText = field(3);
    const double percent = NumericValue(percentText);
    if (percent <= 0)
        out.push_back({Check::Percent, index, 0,
                       Text({"The traffic percent is ", percentText, ", so the flight never appears."})});
    else if (percent > 100)
        out.push_back(
            {Check::Percent, index, 0, Text({"The traffic percent ", percentText, " is above 100 %."})});

    checkLegs(index, out);
    const std::string_view repeat = field(4);
    const auto period = RepeatPeriodSeconds(repeat);
    if (period && !m_legs.empty() && readTimes()) checkTimes(index, *period, plane, out);
}

const FlightChecker::Leg& FlightChecker::previous(std::size_t k) const {
    return m_legs[k == 0 ? m_legs.size() - 1 : k - 1];
}

std::string FlightChecker::route(std::size_t k) const {
    return Text({previous(k).destination, "-", m_legs[k].destination});
}

bool FlightChecker::hasPosition(int airport) const {
    const AirportTable& airports = m_db.airportTable();
    return !airports.cell(airport, AirportTable::Latitude).empty() &&
           !airports.cell(airport, AirportTable::Longitude).empty();
}

void FlightChecker::checkLegs(int index, std::vector<Problem>& out) {
    m_legs.clear();
    for (int position = kFirstDestinationField; !field(position).empty(); position += kFieldsPerLeg)
        m_legs.push_back({field(position), m_db.airportTable().findByIcao(field(position))});
    std::vector<int> withoutPosition; // airports reported for this flight
    for (std::size_t k = 0; k < m_legs.size(); ++k) {
        const int leg = static_cast<int>(k) + 1;
        const Leg& current = m_legs[k];
        if (current.airport < 0) {
            out.push_back({Check::UnknownAirport, index, leg,
                           Text({route(k), ": the airport ", current.destination,
                                 " is not in the airport table", kDropped})});
        } else if (!hasPosition(current.airport) && std::find(withoutPosition.begin(), withoutPosition.end(),
                                                              current.airport) == withoutPosition.end()) {
            withoutPosition.push_back(current.airport);
            out.push_back({Check::NoPosition, index, 0,
                           Text({"The airport ", current.destination,
                                 " has no coordinates, so no flight time can be proposed for its legs."})});
        }
        if (EqualsIgnoringCase(previous(k).destination, current.destination))
            out.push_back(
                {Check::SameAirport, index, leg,
                 Text({route(k), ": the leg departs from and arrives at ", current.destination, "."})});
        const std::string_view altitudeText = field(leg * kFieldsPerLeg + 2);
        const double altitude = NumericValue(altitudeText);
        if (altitude < kLowestAltitude || altitude > kHighestAltitude)
            out.push_back({Check::Altitude, index, leg,
                           Text({route(k), ": the cruise altitude ", altitudeText,
                                 altitude < kLowestAltitude ? " is below 10" : " is above 450",
                                 " (hundreds of feet)."})});
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
    const int from = previous(k).airport;
    const int to = m_legs[k].airport;
    if (!(aircraft.speed > 0) || from < 0 || to < 0 || !hasPosition(from) || !hasPosition(to) ||
        EqualsIgnoringCase(previous(k).destination, m_legs[k].destination))
        return -1;
    const AirportTable& airports = m_db.airportTable();
    const double seconds =
        FlightSeconds(airports.cell(from, AirportTable::Latitude),
                      airports.cell(from, AirportTable::Longitude), airports.cell(to, AirportTable::Latitude),
                      airports.cell(to, AirportTable::Longitude), aircraft.speed);
    // Whole seconds, as the legs editor proposes them.
    return seconds >= INT_MAX ? INT_MAX : static_cast<int>(seconds);
}

void FlightChecker::checkTimes(int index, int period, const Aircraft& aircraft, std::vector<Problem>& out) {
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
            out.push_back({Check::ShortTurnaround, index, leg,
                           Text({before.destination, ": arrives ", before.arrivalText, " and leaves ",
                                 current.departureText, ", ", DurationText(ground),
                                 " on the ground, under the turnaround minimum of ",
                                 std::to_string(m_options.turnaroundMinutes), " minutes."})});

        const long long proposed = proposedSeconds(k, aircraft);
        const std::string flown = Text({route(k), ": ", current.departureText, " to ", current.arrivalText,
                                        " takes ", DurationText(duration)});
        const bool underShare = proposed >= 0 && duration * 5 < proposed * 4;
        const bool underFive = duration < kShortestLeg;
        if (underShare || underFive) {
            std::string text = flown + (underFive ? ", under 5 minutes" : "");
            if (underShare)
                text +=
                    Text({underFive ? " and" : ",", " under 80 % of the proposed ", DurationText(proposed)});
            out.push_back({Check::LegTooShort, index, leg, text + "."});
        }
        if (proposed >= 0 && duration > 2 * proposed + 3600)
            out.push_back({Check::LegTooLong, index, leg,
                           Text({flown, ", more than twice the proposed ", DurationText(proposed),
                                 " plus one hour."})});
    }
    if (total > period)
        out.push_back(
            {Check::CycleTooLong, index, 0,
             Text({"The legs and the ground times between them add up to ", DurationText(total),
                   ", more than the repeat period of ",
                   period == kWeekSeconds ? "one week" : std::to_string(period / 3600) + " hours",
                   ": the aircraft would have to start its next round before finishing this one."})});
}

} // namespace corvane
