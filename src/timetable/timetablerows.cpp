#include "timetable/timetablerows.h"

#include "schedule/weektime.h"
#include "timetable/csvtable.h"
#include "traffic/numbers.h"
#include "traffic/text.h"

#include <array>

namespace corvane {

namespace {

enum Column {
    Flight,
    From,
    To,
    Departure,
    Arrival,
    Days,
    Aircraft,
    Tail,
    Altitude,
    Rules,
    Percent,
    Zone,
    ColumnCount
};
constexpr std::array<std::string_view, ColumnCount> kColumnNames{"flight",   "from",  "to",       "departure",
                                                                 "arrival",  "days",  "aircraft", "tail",
                                                                 "altitude", "rules", "percent",  "zone"};
constexpr int kNeededColumns = Aircraft + 1; // the columns before Tail

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Takes one or two digits below limit from the front of text.
std::optional<int> TakeNumber(std::string_view& text, int limit) {
    std::size_t n = 0;
    int value = 0;
    while (n < text.size() && n < 2 && IsDigit(text[n])) value = value * 10 + (text[n++] - '0');
    if (n == 0 || value >= limit) return std::nullopt;
    text.remove_prefix(n);
    return value;
}

struct TimeOfDay {
    int seconds = 0;
    std::optional<int> plusDays; // "+N" after the time
};

// hh:mm or hh:mm:ss, then optionally blanks and "+N" (N from 0 to 6).
std::optional<TimeOfDay> ParseTime(std::string_view text) {
    TimeOfDay time;
    const auto h = TakeNumber(text, 24);
    if (!h || text.empty() || text.front() != ':') return std::nullopt;
    text.remove_prefix(1);
    if (text.size() < 2 || !IsDigit(text[1])) return std::nullopt; // minutes have two digits
    const auto m = TakeNumber(text, 60);
    if (!m) return std::nullopt;
    int s = 0;
    if (!text.empty() && text.front() == ':') {
        text.remove_prefix(1);
        if (text.size() < 2 || !IsDigit(text[1])) return std::nullopt;
        const auto taken = TakeNumber(text, 60);
        if (!taken) return std::nullopt;
        s = *taken;
    }
    time.seconds = *h * 3600 + *m * 60 + s;
    text = TrimView(text);
    if (text.empty()) return time;
    if (text.size() != 2 || text[0] != '+' || text[1] < '0' || text[1] > '6') return std::nullopt;
    time.plusDays = text[1] - '0';
    return time;
}

// The mask moved by whole days (forwards for a positive shift).
std::uint8_t ShiftDays(std::uint8_t days, long long shift) {
    std::uint8_t shifted = 0;
    for (int d = 0; d < 7; ++d)
        if (days & (1u << d)) shifted = static_cast<std::uint8_t>(shifted | (1u << WrapDay(d + shift)));
    return shifted;
}

std::string Quoted(std::string_view text) {
    return "'" + std::string(text) + "'";
}

class RowReader {
public:
    RowReader(const CsvTable& table, const std::array<int, ColumnCount>& columns, int zoneIndex,
              TimetableRows& result)
        : m_table(table)
        , m_columns(columns)
        , m_zoneIndex(zoneIndex)
        , m_result(result) {}

    void read(int row) {
        m_row = row;
        m_ok = true;
        TimetableLeg leg;
        leg.row = m_table.line(row);
        leg.flight = text(Flight, "flight number");
        leg.from = Upper(text(From, "departure airport"));
        leg.to = Upper(text(To, "arrival airport"));
        leg.aircraft = text(Aircraft, "aircraft");
        leg.tail = std::string(cell(Tail));
        if (leg.tail == "-") leg.tail.clear(); // the tail of a new flight: none
        checkText(leg.tail, "tail");
        if (m_ok && EqualsIgnoringCase(leg.from, leg.to))
            problem("same-airport", leg.flight + " departs from and arrives at " + leg.from + ".");

        int zone = m_zoneIndex;
        if (const std::string_view written = cell(Zone); !written.empty()) {
            const auto parsed = ParseTimetableZone(written);
            if (parsed)
                zone = *parsed;
            else
                problem("bad-zone", "the zone " + Quoted(written) +
                                        " is none of GMT and the whole hours from -12 to +12.");
        }
        const auto departure = time(Departure, "departure");
        const auto arrival = time(Arrival, "arrival");
        if (departure && departure->plusDays)
            problem("bad-time", "the departure " + Quoted(cell(Departure)) +
                                    " has a day after it; only an arrival may (+1).");
        const std::string_view daysText = cell(Days);
        const auto days = ParseTimetableDays(daysText);
        if (!days)
            problem("bad-days", daysText.empty() ? std::string("no days of operation are given.")
                                                 : "the days " + Quoted(daysText) +
                                                       " are not days of operation (digits 1 to 7 for "
                                                       "Monday to Sunday, x6, or daily).");
        readOptional(leg);
        if (!m_ok || !departure || !arrival || !days) return unreadable(std::move(leg));

        // Local times to GMT: the departure's day moves with its hour.
        long long gmt = departure->seconds - static_cast<long long>(ZoneOffset(zone)) * 3600;
        long long shift = 0;
        while (gmt < 0) gmt += kDaySecondsInTimetable, --shift;
        while (gmt >= kDaySecondsInTimetable) gmt -= kDaySecondsInTimetable, ++shift;
        leg.departure = static_cast<int>(gmt);
        leg.days = ShiftDays(*days, shift);
        int arrive = arrival->seconds;
        if (arrival->plusDays)
            arrive += *arrival->plusDays * kDaySecondsInTimetable;
        else if (arrive < departure->seconds)
            arrive += kDaySecondsInTimetable;
        leg.duration = arrive - departure->seconds;
        if (leg.duration <= 0) {
            problem("bad-time", leg.flight + " arrives at " + std::string(cell(Arrival)) +
                                    (leg.duration == 0 ? ", when it departs." : ", before it departs."));
            return unreadable(std::move(leg));
        }
        m_result.legs.push_back(std::move(leg));
    }

private:
    void unreadable(TimetableLeg leg) {
        leg.readable = false;
        m_result.legs.push_back(std::move(leg));
    }

    std::string_view cell(Column column) const {
        return m_columns[column] < 0 ? std::string_view() : m_table.cell(m_row, m_columns[column]);
    }

    void problem(std::string code, const std::string& text) {
        m_ok = false;
        m_result.problems.push_back({m_table.line(m_row), std::move(code),
                                     "Row " + std::to_string(m_table.line(m_row)) + ": " + text, true});
    }

    // A text that goes into a flight or aircraft line: no comma, nothing Windows-1252 cannot hold.
    void checkText(std::string_view value, std::string_view what) {
        if (value.find(',') != std::string_view::npos)
            problem("bad-text", "the " + std::string(what) + " " + Quoted(value) +
                                    " holds a comma, which a flight line cannot hold.");
        else if (value.find(kUnheldCharacter) != std::string_view::npos)
            problem("bad-text", "the " + std::string(what) +
                                    " holds a character that Windows-1252, the "
                                    "simulator's text, cannot hold.");
    }

    std::string text(Column column, std::string_view what) {
        const std::string_view value = cell(column);
        if (value.empty()) {
            problem("missing-value", "no " + std::string(what) + " is given.");
            return {};
        }
        checkText(value, what);
        return std::string(value);
    }

    std::optional<TimeOfDay> time(Column column, std::string_view what) {
        const std::string_view value = cell(column);
        const auto parsed = ParseTime(value);
        if (!parsed)
            problem("bad-time", value.empty() ? "no " + std::string(what) + " time is given."
                                              : "the " + std::string(what) + " " + Quoted(value) +
                                                    " is not a time (hh:mm or hh:mm:ss).");
        return parsed;
    }

    void readOptional(TimetableLeg& leg) {
        if (const std::string_view altitude = cell(Altitude); !altitude.empty()) {
            if (const auto level = ParseWholeNumber(altitude, 10, 450))
                leg.altitude = std::to_string(*level);
            else
                problem("bad-altitude",
                        "the altitude " + Quoted(altitude) + " is not a flight level from 10 to 450.");
        }
        if (const std::string_view rules = cell(Rules); !rules.empty()) {
            if (EqualsIgnoringCase(rules, "IFR") || EqualsIgnoringCase(rules, "VFR"))
                leg.rules = Upper(rules);
            else
                problem("bad-rules", "the flight rules " + Quoted(rules) + " are neither IFR nor VFR.");
        }
        if (std::string_view percent = cell(Percent); !percent.empty()) {
            if (percent.back() == '%') percent = TrimView(percent.substr(0, percent.size() - 1));
            if (const auto value = ParseWholeNumber(percent, 1, 100))
                leg.percent = std::to_string(*value);
            else
                problem("bad-percent", "the traffic percent " + Quoted(cell(Percent)) +
                                           " is not a whole number from 1 to 100.");
        }
    }

    const CsvTable& m_table;
    const std::array<int, ColumnCount>& m_columns;
    int m_zoneIndex;
    TimetableRows& m_result;
    int m_row = 0;
    bool m_ok = true;
};

} // namespace

std::optional<int> ParseTimetableZone(std::string_view text) {
    text = TrimView(text);
    for (std::string_view prefix : {"GMT", "UTC"})
        if (StartsWithIgnoringCase(text, prefix)) text = TrimView(text.substr(prefix.size()));
    if (text.empty() || EqualsIgnoringCase(text, "Z")) return kGmtZone;
    const char sign = text.front();
    if (sign != '+' && sign != '-') return std::nullopt;
    text = TrimView(text.substr(1));
    const auto hours = TakeNumber(text, 13);
    if (!hours) return std::nullopt;
    if (!text.empty() && text != ":00" && text != "00") return std::nullopt;
    return kGmtZone + (sign == '-' ? -*hours : *hours);
}

std::optional<std::uint8_t> ParseTimetableDays(std::string_view text) {
    text = TrimView(text);
    if (EqualsIgnoringCase(text, "daily")) return kEveryDay;
    const bool except = !text.empty() && (text.front() == 'x' || text.front() == 'X');
    if (except) text.remove_prefix(1);
    std::uint8_t days = 0;
    for (const char c : text) {
        if (c >= '1' && c <= '7')
            days = static_cast<std::uint8_t>(days | (1u << ((c - '0') % 7))); // 7, Sunday, is day 0
        else if (c != '.' && c != ' ')
            return std::nullopt;
    }
    if (except) days = static_cast<std::uint8_t>(kEveryDay & ~days);
    if (days == 0) return std::nullopt;
    return days;
}

std::string DaysText(std::uint8_t days) {
    if (days == kEveryDay) return "daily";
    std::string text;
    // Monday first, as timetables count.
    for (int k = 1; k <= 7; ++k) {
        if (!(days & (1u << (k % 7)))) continue;
        if (!text.empty()) text += ", ";
        text += kDayNames[static_cast<std::size_t>(k % 7)];
    }
    return text;
}

TimetableRows ReadTimetableRows(const CsvTable& table, int zoneIndex) {
    TimetableRows result;
    if (table.rowCount() == 0) {
        result.error = "The file is empty.";
        return result;
    }
    std::array<int, ColumnCount> columns;
    columns.fill(-1);
    int known = 0;
    for (int column = 0; column < table.cellCount(0); ++column)
        for (int c = 0; c < ColumnCount; ++c)
            if (columns[static_cast<std::size_t>(c)] < 0 &&
                EqualsIgnoringCase(table.cell(0, column), kColumnNames[static_cast<std::size_t>(c)])) {
                columns[static_cast<std::size_t>(c)] = column;
                ++known;
            }
    std::string missing;
    for (int c = 0; c < kNeededColumns; ++c)
        if (columns[static_cast<std::size_t>(c)] < 0)
            missing += std::string(missing.empty() ? "" : ", ") +
                       std::string(kColumnNames[static_cast<std::size_t>(c)]);
    if (known == 0) {
        result.error = "The file is not a timetable: its first line names none of the columns flight, from, "
                       "to, departure, arrival, days and aircraft.";
        return result;
    }
    if (!missing.empty()) {
        result.error = "The timetable has no column " + missing + ".";
        return result;
    }
    result.rowCount = table.rowCount() - 1;
    if (result.rowCount == 0) {
        result.error = "The timetable lists no flights: it has a header and nothing below it.";
        return result;
    }
    result.legs.reserve(static_cast<std::size_t>(result.rowCount));
    RowReader reader(table, columns, zoneIndex, result);
    for (int row = 1; row < table.rowCount(); ++row) reader.read(row);
    return result;
}

} // namespace corvane
