#pragma once
// What the airport board says: the cells of its rows (the same in the window and in corvane-cli
// board), the title of its chart, its counts and the tip of an hour's bar.

#include "board/airportboard.h"

#include <array>
#include <string>
#include <string_view>

namespace corvane {

enum BoardColumn {
    TimeColumn,
    DayColumn,
    FlightColumn,
    TailColumn,
    AircraftColumn,
    AirportColumn, // the airport at the leg's other end: code and name
    PercentColumn,
    RulesColumn,
    RepeatColumn
};
inline constexpr int kBoardColumnCount = 9;
// The headers of the departures; the arrivals' airport column is "From".
extern const std::array<std::string_view, kBoardColumnCount> kBoardHeaders;
inline constexpr std::string_view kArrivalsAirportHeader = "From";

// "08:05" (with ":ss" when the time has seconds); the day's name, or "" for a row of every day.
std::string BoardCell(const BoardRow& row, int column);
// A repeat period in seconds as the board names it: "every hour", "every 6 hours", "daily", "weekly".
std::string RepeatText(int period);
// "GMT", "GMT+1", "GMT-12".
std::string ZoneLabel(int zone);
// "Movements per hour on Tue (GMT+1)", with ", the busiest day" or as "every day" where so chosen.
std::string ChartTitle(const AirportBoard& board);
// "Scheduled 130 movements. Expected 123.5 movements. At most 12 aircraft on the ground at once
// (14:00-15:00)." and the flights left out, for the chart's day.
std::string CountsText(const AirportBoard& board);
// The tip of an hour's bar: the hour, its departures, arrivals and expected movements, and the most
// aircraft on the ground.
std::string HourTip(const AirportBoard& board, int hour);

} // namespace corvane
