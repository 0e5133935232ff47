#pragma once
// The legs of one flight on the clock of its repeat period, for the timeline under the legs list: a
// bar per leg from departure to arrival (GMT), the ground time before each leg, and the traffic
// check's marks on them. A ground time under the turnaround minimum is short; when the legs and
// ground times add up to more than the period (the check's "cycle too long"), the aircraft would be in
// two places at once, and every bar or ground time that shares time with another overlaps.

#include "checks/periodclock.h"
#include "traffic/flightline.h"

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// A stretch of the clock: start in 0 .. period - 1, length below the period; it may run past the end
// of the period and on from its start.
struct ClockSpan {
    long long start = 0;
    long long length = 0;
    bool operator==(const ClockSpan&) const = default;
};

struct TimelineLeg {
    int row = 0;    // the legs-list row that holds the leg
    int number = 0; // its place in the flight line, 1 for the first leg
    std::string from, to;
    ClockSpan flight; // on the clock of the period: an hour period folds the times of day into it
    ClockSpan ground; // from the arrival of the leg before to this leg's departure
    long long departure = 0, arrival = 0; // the stored GMT times, in seconds of the day or week
    bool shortTurnaround = false;
    bool flightOverlaps = false;
    bool groundOverlaps = false;
    int lane = 0; // bars that overlap go to lanes of their own, 0 first
};

enum class TimelineState { Shown, NoFlight, UnknownPeriod, UnreadableTimes };

struct FlightTimeline {
    TimelineState state = TimelineState::NoFlight;
    long long period = 0; // seconds
    bool weekly = false;
    std::vector<TimelineLeg> legs; // in row order
    int lanes = 1;
    long long total = 0; // legs and ground times together
    int unreadableRow = -1;
    std::string unreadableDestination; // of that row

    bool tooLong() const { return total > period; }
};

// The timeline of a flight's legs-list rows; repeat as the flight editor holds it ("24", "WEEK"), and
// the check's turnaround minimum.
FlightTimeline BuildFlightTimeline(const std::vector<LegRow>& rows, std::string_view repeat,
                                   int turnaroundMinutes);

// What the strip says instead of bars, or beside them ("" when there is nothing to say).
std::string TimelineNote(const FlightTimeline& timeline);

// The pieces of span inside 0 .. period: itself, or two when it runs past the period's end.
std::vector<ClockSpan> ClockPieces(ClockSpan span, long long period);
bool SpansShareTime(ClockSpan a, ClockSpan b, long long period);

// A mark of the strip's scale; major ones carry a label (a day name, or a time "hh:mm").
struct TimelineTick {
    long long at = 0;
    bool major = false;
    std::string label;
};
std::vector<TimelineTick> TimelineTicks(long long period, bool weekly);

// A second of the clock as text: "08:05" (with ":ss" when it has seconds), "Mon 08:05" in a week.
std::string ClockText(long long seconds, bool weekly);
// The tooltip of a leg's bar: its number and airports, stored GMT times, time in the air and ground time
// before.
std::string TimelineLegTip(const FlightTimeline& timeline, const TimelineLeg& leg);

// The legs-list row to choose so that the leg held by row is the leg on screen: the leg held by row r
// departs from the airport of row r - 1.
int RowShowingLeg(int row, int rowCount);

} // namespace corvane
