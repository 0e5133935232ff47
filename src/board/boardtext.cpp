#include "board/boardtext.h"

#include "checks/flighttimeline.h"
#include "checks/periodclock.h"
#include "schedule/weektime.h"
#include "traffic/numbers.h"

#include <cstdio>

namespace corvane {

const std::array<std::string_view, kBoardColumnCount> kBoardHeaders{
    "Time", "Day", "Flight", "Tail", "Aircraft", "To", "Percent", "Rules", "Repeat"};

namespace {

std::string Counted(int count, std::string_view what) {
    return std::to_string(count) + " " + std::string(what) + (count == 1 ? "" : "s");
}

std::string OneDecimal(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

std::string HourRange(int hour) {
    return TwoDigits(hour) + ":00-" + TwoDigits(hour + 1) + ":00";
}

} // namespace

std::string BoardCell(const BoardRow& row, int column) {
    const AirportMovement& m = *row.movement;
    switch (column) {
    case TimeColumn:
        return ClockText(row.time, false);
    case DayColumn:
        return row.day >= 0 ? std::string(kDayNames[static_cast<std::size_t>(row.day)]) : std::string();
    case FlightColumn:
        return m.flightNumber;
    case TailColumn:
        return m.tail;
    case AircraftColumn:
        return m.aircraft;
    case AirportColumn:
        return m.airportName.empty() ? m.airport : m.airport + " " + m.airportName;
    case PercentColumn:
        return m.percent;
    case RulesColumn:
        return m.rules;
    case RepeatColumn:
        return RepeatText(m.period);
    default:
        return {};
    }
}

std::string RepeatText(int period) {
    if (period == kWeekSeconds) return "weekly";
    if (period == kDaySeconds) return "daily";
    if (period == 3600) return "every hour";
    return "every " + std::to_string(period / 3600) + " hours";
}

std::string ZoneLabel(int zone) {
    return ZoneOffset(zone) == 0 ? "GMT" : "GMT" + ZoneText(zone, false);
}

std::string ChartTitle(const AirportBoard& board) {
    std::string title = "Movements per hour ";
    const std::string day(kDayNames[static_cast<std::size_t>(board.chartDay)]);
    switch (board.chartKind) {
    case ChartDay::Chosen:
        title += "on " + day;
        break;
    case ChartDay::Busiest:
        title += "on " + day + ", the busiest day";
        break;
    case ChartDay::EveryDay:
        title += "of every day";
        break;
    }
    return title + " (" + ZoneLabel(board.zone) + ")";
}

std::string CountsText(const AirportBoard& board) {
    std::string text = "Scheduled " + Counted(board.scheduled(), "movement") + ". Expected " +
                       OneDecimal(board.expected()) + " movements. ";
    const int peak = board.peakHour();
    const int most = board.hour(peak).onGround;
    if (most == 0)
        text += "No aircraft on the ground.";
    else
        text +=
            "At most " + std::to_string(most) + " aircraft on the ground at once (" + HourRange(peak) + ").";
    if (board.unreadableFlights > 0)
        text += " " + Counted(board.unreadableFlights, "flight") +
                " left out: the repeat period or times cannot be read.";
    return text;
}

std::string HourTip(const AirportBoard& board, int hour) {
    if (hour < 0 || hour > 23) return {};
    const HourFigures& figures = board.hour(hour);
    std::string tip;
    if (board.chartKind != ChartDay::EveryDay)
        tip = std::string(kDayNames[static_cast<std::size_t>(board.chartDay)]) + " ";
    tip += HourRange(hour) + " " + ZoneLabel(board.zone) + ": " + Counted(figures.departures, "departure") +
           ", " + Counted(figures.arrivals, "arrival") + " (expected " + OneDecimal(figures.expected) + ")";
    return tip + "\r\nAt most " + std::to_string(figures.onGround) + " aircraft on the ground";
}

} // namespace corvane
