#pragma once
// The rows of a timetable file read into legs: one leg per row, its times turned into GMT (in the
// zone of the import, or of the row's zone column) and its days into the GMT days on which it
// departs. A row that cannot be read is a problem and gives no leg.
//
// The header names the columns, in any order, letter case ignored: flight, from, to, departure,
// arrival, days and aircraft are needed; tail, altitude, rules, percent and zone may be there.
// Days are written as airline timetables write them: digits 1 (Monday) to 7 (Sunday), in any
// order, dots and blanks between them allowed ("1.3.5.."), "x" before digits for every day but
// those ("x6"), or "daily". Times are hh:mm or hh:mm:ss; an arrival earlier than the departure is
// on the next day, and "+N" after the arrival puts it N days after the departure's day.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

class CsvTable;

inline constexpr int kDaySecondsInTimetable = 24 * 3600;
inline constexpr int kWeekSecondsInTimetable = 7 * kDaySecondsInTimetable;
inline constexpr std::uint8_t kEveryDay = 0x7F;

struct TimetableProblem {
    int row = 0;      // the line of the file; 0 for the whole file
    std::string code; // what is wrong, as the command line prints it: "unknown-airport"
    std::string message;
    bool leftOut = true; // legs are not imported because of it (else it only informs)
};

struct TimetableLeg {
    int row = 0; // the line of the file
    // False for a row that could not be read: it stays in the list (with what could be read of it), so
    // that the rotation of its tail is known to lack it.
    bool readable = true;
    std::string flight;
    std::string from, to; // as written, upper case
    std::string tail;     // empty when the row names none
    std::string aircraft;
    std::uint8_t days = 0; // the GMT days it departs on: bit d for day d (0 Sunday .. 6 Saturday)
    int departure = 0;     // GMT seconds from midnight
    int duration = 0;      // seconds, above 0
    std::string altitude;  // flight level; empty for the import's
    std::string rules;     // IFR or VFR; empty for the import's
    std::string percent;   // empty for the import's
};

struct TimetableRows {
    int rowCount = 0;               // rows below the header
    std::vector<TimetableLeg> legs; // one per row, in file order
    std::vector<TimetableProblem> problems;
    // Why the file is not a timetable at all (no header of the needed columns, no rows); empty when it is.
    std::string error;
};

// The zone index (0..24, 12 is GMT, as the legs editor's zones) of a zone as written: "GMT", "UTC",
// "Z", "+1", "-5", "+ 2", "UTC+1", "+01:00"; nullopt for anything else (also half-hour zones).
std::optional<int> ParseTimetableZone(std::string_view text);

// The days of a days field as a mask of Corvane's days (bit 0 Sunday); nullopt when it is no days field.
std::optional<std::uint8_t> ParseTimetableDays(std::string_view text);

// Days for messages: "daily", or the names "Mon, Wed".
std::string DaysText(std::uint8_t days);

// Reads the rows of a table; zoneIndex is the zone of rows without a zone of their own.
TimetableRows ReadTimetableRows(const CsvTable& table, int zoneIndex);

} // namespace corvane
