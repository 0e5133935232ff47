#pragma once
// The FlightLine: one flight as one comma-separated line in which every field is followed by ",".
//
//   1 aircraft number   AC#12        leg k occupies fields 6k .. 6k+5:
//   2 tail number       -              6k   departure time   hh:mm:ss, or d/hh:mm:ss in WEEK flights
//   3 traffic percent   50%            6k+1 arrival time     same form
//   4 repeat period     24Hr | WEEK    6k+2 cruise altitude  flight level
//   5 flight rules      IFR | VFR      6k+3 tail flag        R (ATC uses the tail number) or F
//                                      6k+4 flight number
//                                      6k+5 destination      ICAO code
//
// The departure airport of a leg is the destination of the leg before it; leg 1 departs from the
// destination of the last leg, so the legs form a closed loop and no departure airport is stored.
//
// The legs editor lists the legs rotated by one: row 0 holds the LAST leg of the line, rows 1..n-1
// legs 1..n-1. Row r is thus the leg that arrives at the airport from which the leg of row r+1 departs.

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// The line of a new flight, before the code of its home airport is appended.
inline constexpr std::string_view kNewFlightTemplate =
    "AC#x,-,50%,24Hr,IFR,00:00:00,00:00:00,100,F,1,----,00:00:00,00:00:00,100,F,2,";

// The position of the first destination field, and the stride between legs.
inline constexpr int kFirstDestinationField = 11;
inline constexpr int kFieldsPerLeg = 6;

// One row of the legs list.
struct LegRow {
    std::string destination; // upper case
    std::string departure;   // GMT hh:mm:ss
    std::string arrival;     // GMT hh:mm:ss
    std::string altitude;    // flight level
    std::string flightNumber;
    std::string tailFlag;     // "F" or "R"
    std::string departureDay; // 0..6 as text; only meaningful in WEEK flights
    std::string arrivalDay;

    bool operator==(const LegRow&) const = default;
};

// A flight as the flight editor holds it.
struct FlightForm {
    std::string aircraftNumber; // field 1 as it stands
    std::string tail;
    std::string percent; // without "%"
    std::string repeat;  // "WEEK" or the hours without "Hr"
    bool ifr = true;
    std::vector<LegRow> legs; // in the rotated order of the legs list

    bool isWeekly() const { return repeat == "WEEK"; }
    bool operator==(const FlightForm&) const = default;
};

// The editor's view of a line. A percent or period field without its suffix is taken as it stands.
FlightForm DecodeFlightLine(std::string_view line);
// The line of a form; the day prefixes of the times are written only when the form repeats weekly.
std::string EncodeFlightLine(const FlightForm& form);

// The destinations of a line (fields 11, 17, 23, ... up to the first empty one), as they stand.
std::vector<std::string_view> FlightDestinations(std::string_view line);

// The same destinations one at a time, without splitting the line: for the walks over every flight.
// The views point into the line, which must outlive them.
class DestinationCursor {
public:
    explicit DestinationCursor(std::string_view line)
        : m_rest(line) {}
    bool next(std::string_view& destination);

private:
    std::string_view m_rest; // the line after the last destination returned
    int m_skip = kFirstDestinationField - 1;
    bool m_done = false;
};

} // namespace corvane
