#include "board/airporttraffic.h"

#include "checks/periodclock.h"
#include "traffic/fields.h"
#include "traffic/flightline.h"
#include "traffic/numbers.h"
#include "traffic/text.h"
#include "traffic/trafficdatabase.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

namespace corvane {

namespace {

bool TouchesAirport(std::string_view line, std::string_view code) {
    DestinationCursor cursor(line);
    std::string_view destination;
    while (cursor.next(destination))
        if (EqualsIgnoringCase(destination, code)) return true;
    return false;
}

class TrafficCollector {
public:
    TrafficCollector(const TrafficDatabase& db, AirportTraffic& traffic)
        : m_db(db)
        , m_traffic(traffic) {}

    void collect(int flight, std::string_view line) {
        m_fields = SplitFields(line, ',');
        const auto period = RepeatPeriodSeconds(field(4));
        const bool weekly = field(4) == "WEEK";
        std::vector<std::string_view> stops;
        for (int position = kFirstDestinationField; !field(position).empty(); position += kFieldsPerLeg)
            stops.push_back(field(position));
        const std::size_t n = stops.size();

        // The times the airport needs: the departures from it and the arrivals at it.
        std::vector<std::optional<int>> departures(n), arrivals(n);
        bool readable = period.has_value();
        for (std::size_t k = 0; k < n && readable; ++k) {
            const int departureField = static_cast<int>(k + 1) * kFieldsPerLeg;
            if (here(stops[k == 0 ? n - 1 : k - 1]))
                readable = (departures[k] = StoredTimeSeconds(field(departureField), weekly)).has_value();
            if (readable && here(stops[k]))
                readable = (arrivals[k] = StoredTimeSeconds(field(departureField + 1), weekly)).has_value();
        }
        if (!readable) {
            ++m_traffic.unreadableFlights;
            return;
        }

        AirportMovement movement;
        movement.flight = flight;
        movement.period = *period;
        movement.tail = field(2);
        movement.percent = field(3);
        if (!movement.percent.empty() && movement.percent.back() == '%') movement.percent.pop_back();
        movement.weight = std::clamp(NumericValue(movement.percent) / 100, 0.0, 1.0);
        movement.rules = field(5);
        movement.aircraft = aircraft(field(1));
        for (std::size_t k = 0; k < n; ++k) {
            movement.leg = static_cast<int>(k) + 1;
            movement.flightNumber = field(movement.leg * kFieldsPerLeg + 4);
            if (departures[k]) add(movement, MovementKind::Departure, *departures[k], stops[k]);
            if (arrivals[k]) {
                add(movement, MovementKind::Arrival, *arrivals[k], stops[k == 0 ? n - 1 : k - 1]);
                // On the ground until the next leg departs from here.
                const int leaves = *departures[(k + 1) % n];
                m_traffic.stays.push_back({*period, *arrivals[k] % *period,
                                           static_cast<int>(ClockDifference(*arrivals[k], leaves, *period))});
            }
        }
    }

private:
    bool here(std::string_view code) const { return EqualsIgnoringCase(code, m_traffic.code); }

    std::string_view field(int position) const {
        return position >= 1 && position <= static_cast<int>(m_fields.size())
                   ? m_fields[static_cast<std::size_t>(position - 1)]
                   : std::string_view();
    }

    void add(AirportMovement movement, MovementKind kind, int at, std::string_view other) {
        movement.kind = kind;
        movement.at = at % movement.period;
        movement.airport = Upper(other);
        const AirportTable& airports = m_db.airportTable();
        const int row = airports.findByIcao(other);
        if (row >= 0) movement.airportName = airports.cell(row, AirportTable::Name);
        m_traffic.movements.push_back(std::move(movement));
    }

    const std::string& aircraft(std::string_view number) {
        auto known = m_titles.find(std::string(number));
        if (known == m_titles.end()) {
            std::string title = AircraftTitleOf(m_db, number);
            known = m_titles.emplace(std::string(number), title.empty() ? std::string(number) : title).first;
        }
        return known->second;
    }

    const TrafficDatabase& m_db;
    AirportTraffic& m_traffic;
    std::vector<std::string_view> m_fields;
    std::unordered_map<std::string, std::string> m_titles; // by aircraft number as written
};

} // namespace

AirportTraffic CollectAirportTraffic(const TrafficDatabase& db, std::string_view code) {
    AirportTraffic traffic;
    traffic.code = Upper(code);
    if (code.empty()) return traffic;
    TrafficCollector collector(db, traffic);
    const auto& lines = db.flightTable().lines();
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (!lines[i].empty() && TouchesAirport(lines[i], code))
            collector.collect(static_cast<int>(i), lines[i]);
    return traffic;
}

} // namespace corvane
