#pragma once
// The checks that look at one flight line alone (everything but the duplicates): its aircraft, its
// percent, and each leg's airports, altitude and times. The aircraft of a flight is looked up as the
// writer looks it up; the proposed time of a leg is the legs editor's flight time.

#include "checks/problem.h"
#include "checks/textindex.h"
#include "checks/trafficcheck.h"
#include "schedule/flighttime.h"

#include <deque>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

class TrafficDatabase;

class FlightChecker {
public:
    FlightChecker(const TrafficDatabase& db, const CheckOptions& options, CheckReport& report);

    // Appends the problems of the non-empty line of flight index to the report, in no particular
    // order. The line must outlive the checker (its aircraft field and codes are remembered).
    void check(int index, std::string_view line);
    // Appends a problem of flight index whose message is the parts joined.
    void add(Check check, int index, int leg, std::initializer_list<std::string_view> parts);

private:
    struct Aircraft {
        bool found = false;
        bool missing = false; // in the MissingAircraftTable: not installed
        double speed = 0;
        std::string name; // the number as written, with the title when known
        std::string speedText;
    };
    // An airport of the AirportTable, with its position when it has one.
    struct Airport {
        int row = -1;
        bool positioned = false;
        GeoPosition position;
    };
    struct Leg {
        std::string_view destination;
        const Airport* airport = nullptr; // the destination
        // The stored times, and their seconds when the flight's times can be read.
        std::string_view departureText = {}, arrivalText = {};
        long long departure = 0, arrival = 0;
    };

    const Aircraft& aircraft(std::string_view field);
    const Airport& airport(std::string_view code);
    void checkLegs(int index);
    bool readTimes();
    void checkTimes(int index, int period, const Aircraft& aircraft);
    // The legs editor's flight time from leg k's departure to its destination, or -1 when it cannot be
    // proposed (an airport unknown or without position, the same airport, no speed).
    long long proposedSeconds(std::size_t k, const Aircraft& aircraft) const;
    std::string_view field(int position) const;
    // The leg before leg k (0-based), cyclically.
    const Leg& previous(std::size_t k) const;

    const TrafficDatabase& m_db;
    CheckOptions m_options;
    CheckReport& m_report;
    TextIndex<> m_aircraftIndex;     // aircraft field -> m_aircraft
    std::deque<Aircraft> m_aircraft; // never moves what it holds
    TextIndex<> m_airportIndex;      // code as written -> m_airports
    std::deque<Airport> m_airports;
    std::vector<std::string_view> m_fields; // of the flight being checked
    std::vector<Leg> m_legs;
    std::vector<int> m_withoutPosition; // airports of the flight reported for having no position
};

} // namespace corvane
