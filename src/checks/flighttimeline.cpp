#include "checks/flighttimeline.h"

#include "schedule/weektime.h"
#include "traffic/numbers.h"

#include <algorithm>

namespace corvane {

namespace {

// The flight line order of the rows: row 1 holds the first leg, row 0 the last.
std::vector<std::size_t> FlightOrder(std::size_t rows) {
    std::vector<std::size_t> order;
    for (std::size_t r = 1; r < rows; ++r) order.push_back(r);
    if (rows > 0) order.push_back(0);
    return order;
}

void MarkOverlaps(FlightTimeline& timeline) {
    struct Stretch {
        ClockSpan span;
        bool* overlaps;
    };
    std::vector<Stretch> stretches;
    for (TimelineLeg& leg : timeline.legs) {
        stretches.push_back({leg.flight, &leg.flightOverlaps});
        stretches.push_back({leg.ground, &leg.groundOverlaps});
    }
    for (std::size_t i = 0; i < stretches.size(); ++i)
        for (std::size_t j = i + 1; j < stretches.size(); ++j)
            if (SpansShareTime(stretches[i].span, stretches[j].span, timeline.period))
                *stretches[i].overlaps = *stretches[j].overlaps = true;
}

void AssignLanes(FlightTimeline& timeline) {
    std::vector<const TimelineLeg*> placed;
    for (std::size_t r : FlightOrder(timeline.legs.size())) {
        TimelineLeg& leg = timeline.legs[r];
        for (leg.lane = 0;; ++leg.lane) {
            const bool free = std::none_of(placed.begin(), placed.end(), [&](const TimelineLeg* other) {
                return other->lane == leg.lane && SpansShareTime(other->flight, leg.flight, timeline.period);
            });
            if (free) break;
        }
        timeline.lanes = std::max(timeline.lanes, leg.lane + 1);
        placed.push_back(&leg);
    }
}

} // namespace

bool SpansShareTime(ClockSpan a, ClockSpan b, long long period) {
    if (a.length <= 0 || b.length <= 0) return false;
    return ClockDifference(a.start, b.start, period) < a.length ||
           ClockDifference(b.start, a.start, period) < b.length;
}

std::vector<ClockSpan> ClockPieces(ClockSpan span, long long period) {
    if (span.start + span.length <= period) return {span};
    return {{span.start, period - span.start}, {0, span.start + span.length - period}};
}

FlightTimeline BuildFlightTimeline(const std::vector<LegRow>& rows, std::string_view repeat,
                                   int turnaroundMinutes) {
    FlightTimeline timeline;
    if (rows.empty()) return timeline;
    timeline.weekly = repeat == "WEEK";
    const auto period =
        RepeatPeriodSeconds(timeline.weekly ? std::string(repeat) : std::string(repeat) + "Hr");
    if (!period) {
        timeline.state = TimelineState::UnknownPeriod;
        return timeline;
    }
    timeline.period = *period;

    std::vector<long long> departures, arrivals;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const LegRow& row = rows[r];
        const auto departure = StoredTimeSeconds(
            timeline.weekly ? row.departureDay + "/" + row.departure : row.departure, timeline.weekly);
        const auto arrival = StoredTimeSeconds(
            timeline.weekly ? row.arrivalDay + "/" + row.arrival : row.arrival, timeline.weekly);
        if (!departure || !arrival) {
            timeline.state = TimelineState::UnreadableTimes;
            timeline.unreadableRow = static_cast<int>(r);
            timeline.unreadableDestination = row.destination;
            return timeline;
        }
        departures.push_back(*departure);
        arrivals.push_back(*arrival);
    }

    const long long turnaround = static_cast<long long>(turnaroundMinutes) * 60;
    const std::size_t n = rows.size();
    for (std::size_t r = 0; r < n; ++r) {
        const std::size_t before = r == 0 ? n - 1 : r - 1;
        TimelineLeg leg;
        leg.row = static_cast<int>(r);
        leg.number = r == 0 ? static_cast<int>(n) : static_cast<int>(r);
        leg.from = rows[before].destination;
        leg.to = rows[r].destination;
        leg.departure = departures[r];
        leg.arrival = arrivals[r];
        // Hour periods below a day count their times modulo the period, as the check does.
        const long long period = timeline.period;
        leg.flight = {departures[r] % period, ClockDifference(departures[r], arrivals[r], period)};
        leg.ground = {arrivals[before] % period, ClockDifference(arrivals[before], departures[r], period)};
        leg.shortTurnaround = leg.ground.length < turnaround;
        timeline.total += leg.flight.length + leg.ground.length;
        timeline.legs.push_back(leg);
    }
    MarkOverlaps(timeline);
    AssignLanes(timeline);
    timeline.state = TimelineState::Shown;
    return timeline;
}

std::string TimelineNote(const FlightTimeline& timeline) {
    switch (timeline.state) {
    case TimelineState::NoFlight:
        return "No flight chosen.";
    case TimelineState::UnknownPeriod:
        return "The repeat period is not one of 1, 2, 4, 6, 8, 12, 24 hours or WEEK.";
    case TimelineState::UnreadableTimes:
        return "The times of the leg to " + timeline.unreadableDestination + " cannot be read.";
    case TimelineState::Shown:
        break;
    }
    if (timeline.tooLong())
        return "Legs and ground times add up to " + DurationText(timeline.total) +
               ", more than the repeat period.";
    return {};
}

std::vector<TimelineTick> TimelineTicks(long long period, bool weekly) {
    struct Steps {
        long long period, major, minor;
    };
    static constexpr Steps kSteps[] = {{3600, 900, 300},
                                       {2 * 3600, 1800, 600},
                                       {4 * 3600, 3600, 900},
                                       {6 * 3600, 3600, 1800},
                                       {8 * 3600, 3600, 1800},
                                       {12 * 3600, 7200, 3600},
                                       {kDaySeconds, 3 * 3600, 3600},
                                       {kWeekSeconds, kDaySeconds, 6 * 3600}};
    if (period <= 0) return {};
    long long major = std::max(period / 4, 1LL), minor = std::max(period / 8, 1LL);
    for (const Steps& steps : kSteps)
        if (steps.period == period) {
            major = steps.major;
            minor = steps.minor;
        }
    std::vector<TimelineTick> ticks;
    for (long long at = 0; at < period; at += minor) {
        const bool isMajor = at % major == 0;
        std::string label;
        if (isMajor)
            label = weekly ? std::string(kDayNames[static_cast<std::size_t>(at / kDaySeconds % 7)])
                           : ClockText(at, false);
        ticks.push_back({at, isMajor, std::move(label)});
    }
    return ticks;
}

std::string ClockText(long long seconds, bool weekly) {
    std::string text;
    if (weekly) text = std::string(kDayNames[static_cast<std::size_t>(seconds / kDaySeconds % 7)]) + " ";
    const long long inDay = seconds % kDaySeconds;
    text += TwoDigits(inDay / 3600) + ":" + TwoDigits(inDay / 60 % 60);
    if (inDay % 60 != 0) text += ":" + TwoDigits(inDay % 60);
    return text;
}

std::string TimelineLegTip(const FlightTimeline& timeline, const TimelineLeg& leg) {
    const bool weekly = timeline.weekly;
    std::string tip = "Leg " + std::to_string(leg.number) + " " + leg.from + "-" + leg.to + ": " +
                      ClockText(leg.departure, weekly) + " to " + ClockText(leg.arrival, weekly) + " GMT, " +
                      DurationText(leg.flight.length) + " in the air";
    tip += "\r\n" + DurationText(leg.ground.length) + " on the ground at " + leg.from + " before";
    if (leg.shortTurnaround) tip += ", under the turnaround minimum";
    if (leg.flightOverlaps)
        tip += "\r\nOverlaps other legs or ground times: the round is longer than the period.";
    return tip;
}

int RowShowingLeg(int row, int rowCount) {
    if (rowCount <= 0 || row < 0 || row >= rowCount) return -1;
    return row == 0 ? rowCount - 1 : row - 1;
}

} // namespace corvane
