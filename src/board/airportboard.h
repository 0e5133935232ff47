#pragma once
// The airport board: the movements of an AirportTraffic in the local time of one of the 25 zones,
// filtered by day, and for one day the movements and the aircraft on the ground hour by hour.
//
// Days. A weekly flight's movement falls on the local day of its own time: a leg that leaves on
// Monday at 23:00 and lands at 01:30 departs on Monday and arrives on Tuesday, and a zone may move a
// movement across midnight (Saturday 23:30 GMT is Sunday 00:30 at +1). A flight repeated every P hours
// (1 to 24) flies every day: its movement at second t of its P-hour clock happens at t, t + P,
// t + 2P, ... in each day, 24 / P movements a day, each a row of its own and a movement of its hour.
// Such rows have no day (day -1, shown blank): they are on every day, so every day filter keeps them.
// The filter "All" lists the whole week: the daily rows once, the weekly ones each on its day.
//
// The chart shows one day: the day chosen, or under "All" the busiest day of the week (the most
// movements, the first of equal ones), which is "every day" when all seven days are alike. The aircraft
// on the ground in an hour are the most at one instant within it; an aircraft counts from its arrival
// up to, not at, its departure, so one that leaves at 10:00 is not on the ground in the hour from
// 10:00. The expected movements weigh each movement by its flight's traffic percent.

#include "board/airporttraffic.h"

#include <array>
#include <string>
#include <vector>

namespace corvane {

struct BoardRow {
    const AirportMovement* movement = nullptr;
    int day = -1; // the local day 0..6 (Sunday first) of a weekly flight's movement; -1 for every day
    int time = 0; // the local second of the day
};

// The board's time order: by time of day; at one time the rows of every day first, then by day, then
// by flight and leg.
bool TimeOrder(const BoardRow& a, const BoardRow& b);

struct HourFigures {
    int departures = 0;
    int arrivals = 0;
    int onGround = 0;
    double expected = 0;
    bool operator==(const HourFigures&) const = default;
};

enum class ChartDay { Chosen, Busiest, EveryDay };

inline constexpr int kWeekHours = 7 * 24;

struct AirportBoard {
    std::string code;
    int zone = 12; // the zone's list index: 12 is GMT
    int day = -1;  // the day filter: -1 for all, else 0..6
    // The rows of the day filter, in time order. They point into the AirportTraffic they were made of.
    std::vector<BoardRow> departures, arrivals;
    std::array<HourFigures, kWeekHours> week{}; // every hour of the local week, from Sunday 00:00
    int chartDay = 0;
    ChartDay chartKind = ChartDay::Chosen;
    int unreadableFlights = 0;

    const HourFigures& hour(int h) const { return week[static_cast<std::size_t>(chartDay * 24 + h)]; }
    // Of the chart's day: the movements scheduled, the expected ones, and the first hour with the most
    // aircraft on the ground.
    int scheduled() const;
    double expected() const;
    int peakHour() const;
};

// zone: the list index of one of the 25 zones (0 is -12, 12 GMT, 24 +12); day: -1 for all, else 0..6.
AirportBoard BuildAirportBoard(const AirportTraffic& traffic, int zone, int day);

} // namespace corvane
