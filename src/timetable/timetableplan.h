#pragma once
// What importing a timetable would add to a traffic set: the flights, the aircraft and airports they
// need, and the problems found, worked out without changing anything. The preview shows a plan;
// "Import" applies it as one step of the change journal.
//
// Airports are ICAO codes, or IATA codes looked up in the IATA table; a code that the airport table
// lacks is added from apt.dat. Aircraft are matched by title: one of the traffic set or installed
// (letter case ignored), else the only installed title that holds the text; any other becomes an
// unknown aircraft (the MissingAircraftTable), as an import makes it, with the cruise speed that its
// legs' times give.

#include "timetable/iatacodes.h"
#include "timetable/rotations.h"
#include "timetable/timetablerows.h"
#include "traffic/texttable.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace corvane {

class CsvTable;
class TrafficDatabase;

struct TimetableOptions {
    int zoneIndex = 12; // of times without a zone column: 0..24 as the legs editor's zones, 12 GMT
    std::string percent = "100";
    bool ifr = true;
    std::string altitude = "350"; // of legs without an altitude column
    std::string tailPattern = "{flight}";
    int turnaroundMinutes = 10;
    int maxLegs = 25; // the flight editor's
};

// Where a timetable's airports come from besides the airport table: apt.dat and the IATA table.
class AirportSources {
public:
    AirportSources() = default;
    // Takes the bytes of apt.dat and of the IATA table.
    AirportSources(std::string aptBytes, std::string_view iataBytes);

    // The apt.dat line of a code (letter case ignored); empty when apt.dat lacks it.
    std::string_view aptLine(std::string_view code) const;
    const IataCodes& iata() const { return m_iata; }

private:
    std::string m_apt;
    std::unordered_map<std::string, std::string_view> m_lines; // upper-case code -> line
    IataCodes m_iata;
};

struct TimetablePlan {
    // Why the file cannot be imported at all; empty when it can.
    std::string error;
    int rows = 0;
    int rotations = 0;
    int leftOut = 0; // problems that left legs out

    struct Aircraft {
        std::string title;
        std::string speed;
        bool installed = true; // false: an unknown aircraft
    };
    struct Flight {
        int aircraft = 0; // into aircraft
        std::string rest; // the flight line after its aircraft number and comma
        std::string home; // the airport it departs from first
    };
    std::vector<Aircraft> aircraft;
    std::vector<Flight> flights;
    std::vector<TextTable::Row> airports;   // from apt.dat
    std::vector<TimetableProblem> problems; // by row, the file's own first

    int flightCount() const { return static_cast<int>(flights.size()); }
};

TimetablePlan PlanTimetable(const TrafficDatabase& db, const CsvTable& table, const AirportSources& sources,
                            const TimetableOptions& options);

// Adds the plan's airports, aircraft and flights to db as one step, "Import Timetable". Aircraft get
// the first free numbers; an aircraft that the tables hold by now keeps its own.
void ApplyTimetablePlan(TrafficDatabase& db, const TimetablePlan& plan);

} // namespace corvane
