#include "board/airportboard.h"
#include "board/boardtext.h"
#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/context.h"
#include "cli/csv.h"
#include "schedule/weektime.h"
#include "traffic/text.h"

#include <optional>

namespace corvane::cli {

namespace {

// "GMT", or a whole number of hours from -12 to +12 ("+1", "- 5", "0"): the zone's list index.
std::optional<int> ZoneIndex(std::string_view text) {
    if (EqualsIgnoringCase(text, "GMT")) return kGmtZone;
    int sign = 1;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        sign = text.front() == '-' ? -1 : 1;
        text.remove_prefix(1);
        if (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    }
    if (text.empty() || text.size() > 2) return std::nullopt;
    int hours = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        hours = hours * 10 + (c - '0');
    }
    if (hours > 12) return std::nullopt;
    return kGmtZone + sign * hours;
}

// "All" is -1, the day names 0..6 (letter case ignored).
std::optional<int> DayIndex(std::string_view text) {
    if (EqualsIgnoringCase(text, "All")) return -1;
    for (std::size_t day = 0; day < kDayNames.size(); ++day)
        if (EqualsIgnoringCase(text, kDayNames[day])) return static_cast<int>(day);
    return std::nullopt;
}

void WriteRows(std::ostream& out, std::string_view kind, const std::vector<BoardRow>& rows) {
    static constexpr BoardColumn kColumns[] = {DayColumn,      TimeColumn,    FlightColumn,  TailColumn,
                                               AircraftColumn, AirportColumn, PercentColumn, RulesColumn};
    for (const BoardRow& row : rows) {
        out << kind;
        for (BoardColumn column : kColumns) {
            out << ',';
            WriteCsvField(out, BoardCell(row, column));
        }
        out << '\n';
    }
}

} // namespace

int RunBoard(Context& context, const std::vector<std::string>& args) {
    std::string error;
    const auto arguments = Arguments::parse(
        args, {{"--apt", 1}, {"--fs", 1}, {"--icao", 1}, {"--zone", 1}, {"--day", 1}}, &error);
    if (!arguments) return UsageError(context, "board", error);
    if (arguments->positional().size() != 1 || arguments->value("--icao").empty())
        return UsageError(context, "board", "needs --icao CODE and INPUT");
    const auto zone = ZoneIndex(arguments->value("--zone", "GMT"));
    if (!zone)
        return UsageError(context, "board", "--zone needs GMT or a whole number of hours from -12 to +12");
    const auto day = DayIndex(arguments->value("--day", "All"));
    if (!day) return UsageError(context, "board", "--day needs All, Sun, Mon, Tue, Wed, Thu, Fri or Sat");
    if (!LoadInput(context, arguments->positional()[0], arguments->value("--apt"), arguments->value("--fs")))
        return kFileError;

    const AirportTraffic traffic = CollectAirportTraffic(context.db, arguments->value("--icao"));
    const AirportBoard board = BuildAirportBoard(traffic, *zone, *day);
    context.out << "kind,day,time,flight,tail,aircraft,airport,percent,rules\n";
    WriteRows(context.out, "departure", board.departures);
    WriteRows(context.out, "arrival", board.arrivals);
    for (int h = 0; h < 24; ++h)
        context.err << (h > 0 ? " " : "") << board.hour(h).departures + board.hour(h).arrivals;
    context.err << '\n';
    for (int h = 0; h < 24; ++h) context.err << (h > 0 ? " " : "") << board.hour(h).onGround;
    context.err << '\n';
    if (board.unreadableFlights > 0)
        context.err << board.unreadableFlights << (board.unreadableFlights == 1 ? " flight" : " flights")
                    << " left out: the repeat period or times cannot be read\n";
    return kSuccess;
}

} // namespace corvane::cli
