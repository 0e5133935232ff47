#pragma once
// The checks that look at one flight line alone (everything but the duplicates): its aircraft, its
// percent, and each leg's airports, altitude and times. The aircraft of a flight is looked up as the
// writer looks it up; the proposed time of a leg is the legs editor's flight time.

#include "checks/problem.h"
#include "checks/trafficcheck.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace corvane {

class TrafficDatabase;

class FlightChecker {
public:
    FlightChecker(const TrafficDatabase& db, const CheckOptions& options);

    // Appends the problems of the non-empty line of flight index to out, in no particular order. The
    // line must outlive the checker (its aircraft field is remembered).
    void check(int index, std::string_view line, std::vector<Problem>& out);

private:
    struct Aircraft {
        bool found = false;
        bool missing = false; // in the MissingAircraftTable: not installed
        double speed = 0;
        std::string name; // the number as written, with the title when known
        std::string speedText;
    };
    struct Leg {
        std::string_view destination;
        int airport = -1; // AirportTable row of the destination
        // The stored times, and their seconds when the flight's times can be read.
        std::string_view departureText = {}, arrivalText = {};
        long long departure = 0, arrival = 0;
    };

    const Aircraft& aircraft(std::string_view field);
    void checkLegs(int index, std::vector<Problem>& out);
    bool readTimes();
    void checkTimes(int index, int period, const Aircraft& aircraft, std::vector<Problem>& out);
    // The legs editor's flight time from leg k's departure to its destination, or -1 when it cannot be
    // proposed (an airport unknown or without position, the same airport, no speed).
    long long proposedSeconds(std::size_t k, const Aircraft& aircraft) const;
    std::string_view field(int position) const;
    // The leg before leg k (0-based), cyclically, and "DEP-DES" of leg k.
    const Leg& previous(std::size_t k) const;
    std::string route(std::size_t k) const;
    bool hasPosition(int airport) const;

    const TrafficDatabase& m_db;
    CheckOptions m_options;
    std::unordered_map<std::string_view, Aircraft> m_aircraft;
    std::vector<std::string_view> m_fields; // of the flight being checked
    std::vector<Leg> m_legs;
};

} // namespace corvane
