#include "board/airportboard.h"

#include "checks/flighttimeline.h"
#include "checks/periodclock.h"
#include "schedule/weektime.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace corvane {

namespace {

constexpr long long kHourSeconds = 3600;

long long Wrap(long long value, long long period) {
    return ClockDifference(0, value, period);
}

void CountMovement(HourFigures& hour, const AirportMovement& movement) {
    ++(movement.kind == MovementKind::Departure ? hour.departures : hour.arrivals);
    hour.expected += movement.weight;
}

// The most aircraft on the ground at one instant in each hour of the local week. Every stay repeats
// with its period over the week; a stay that runs past the week's end goes on from its start.
void CountOnGround(const std::vector<GroundStay>& stays, long long shift,
                   std::array<HourFigures, kWeekHours>& week) {
    struct Event {
        long long at;
        int change;
    };
    std::vector<Event> events;
    for (const GroundStay& stay : stays) {
        if (stay.length <= 0 || stay.period <= 0) continue;
        for (long long start = stay.from; start < kWeekSeconds; start += stay.period)
            for (const ClockSpan& piece :
                 ClockPieces({Wrap(start + shift, kWeekSeconds), stay.length}, kWeekSeconds)) {
                events.push_back({piece.start, 1});
                events.push_back({piece.start + piece.length, -1});
            }
    }
    // Departures before arrivals at one instant: the count never rises above what stands there at once.
    std::sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
        return std::tie(a.at, a.change) < std::tie(b.at, b.change);
    });
    std::size_t i = 0;
    int count = 0;
    for (int h = 0; h < kWeekHours; ++h) {
        const long long start = h * kHourSeconds, end = start + kHourSeconds;
        while (i < events.size() && events[i].at <= start) count += events[i++].change;
        int most = count;
        for (; i < events.size() && events[i].at < end; ++i) most = std::max(most, count += events[i].change);
        week[static_cast<std::size_t>(h)].onGround = most;
    }
}

void ChooseChartDay(AirportBoard& board) {
    if (board.day >= 0) {
        board.chartDay = board.day;
        board.chartKind = ChartDay::Chosen;
        return;
    }
    const auto dayBegin = [&](int day) { return board.week.begin() + day * 24; };
    int busiest = 0, most = -1;
    bool alike = true;
    for (int day = 0; day < 7; ++day) {
        int movements = 0;
        for (auto hour = dayBegin(day); hour != dayBegin(day) + 24; ++hour)
            movements += hour->departures + hour->arrivals;
        if (movements > most) {
            most = movements;
            busiest = day;
        }
        // Sums of traffic percents added in another order may differ in their last bits.
        alike = alike && std::equal(dayBegin(day), dayBegin(day) + 24, dayBegin(0),
                                    [](const HourFigures& a, const HourFigures& b) {
                                        return a.departures == b.departures && a.arrivals == b.arrivals &&
                                               a.onGround == b.onGround &&
                                               std::abs(a.expected - b.expected) < 1e-9;
                                    });
    }
    board.chartDay = busiest; // Sunday when all are alike
    board.chartKind = alike ? ChartDay::EveryDay : ChartDay::Busiest;
}

} // namespace

bool TimeOrder(const BoardRow& a, const BoardRow& b) {
    return std::tie(a.time, a.day, a.movement->flight, a.movement->leg) <
           std::tie(b.time, b.day, b.movement->flight, b.movement->leg);
}

int AirportBoard::scheduled() const {
    int total = 0;
    for (int h = 0; h < 24; ++h) total += hour(h).departures + hour(h).arrivals;
    return total;
}

double AirportBoard::expected() const {
    double total = 0;
    for (int h = 0; h < 24; ++h) total += hour(h).expected;
    return total;
}

int AirportBoard::peakHour() const {
    int peak = 0;
    for (int h = 1; h < 24; ++h)
        if (hour(h).onGround > hour(peak).onGround) peak = h;
    return peak;
}

AirportBoard BuildAirportBoard(const AirportTraffic& traffic, int zone, int day) {
    AirportBoard board;
    board.code = traffic.code;
    board.zone = std::clamp(zone, 0, kZoneCount - 1);
    board.day = day >= 0 && day < 7 ? day : -1;
    board.unreadableFlights = traffic.unreadableFlights;
    const long long shift = ZoneOffset(board.zone) * kHourSeconds;
    for (const AirportMovement& movement : traffic.movements) {
        auto& rows = movement.kind == MovementKind::Departure ? board.departures : board.arrivals;
        if (movement.period == kWeekSeconds) {
            const long long local = Wrap(movement.at + shift, kWeekSeconds);
            const BoardRow row{&movement, static_cast<int>(local / kDaySeconds),
                               static_cast<int>(local % kDaySeconds)};
            CountMovement(board.week[static_cast<std::size_t>(local / kHourSeconds)], movement);
            if (board.day < 0 || row.day == board.day) rows.push_back(row);
            continue;
        }
        // A repetition in each period of the day, on every day of the week.
        for (long long at = movement.at; movement.period > 0 && at < kDaySeconds; at += movement.period) {
            const BoardRow row{&movement, -1, static_cast<int>(Wrap(at + shift, kDaySeconds))};
            for (int d = 0; d < 7; ++d)
                CountMovement(board.week[static_cast<std::size_t>(d * 24 + row.time / kHourSeconds)],
                              movement);
            rows.push_back(row);
        }
    }
    std::sort(board.departures.begin(), board.departures.end(), TimeOrder);
    std::sort(board.arrivals.begin(), board.arrivals.end(), TimeOrder);
    CountOnGround(traffic.stays, shift, board.week);
    ChooseChartDay(board);
    return board;
}

} // namespace corvane
