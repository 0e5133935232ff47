#pragma once
// A small traffic set for the check's tests: airports whose flight times are known exactly, aircraft
// of every kind the check tells apart, and flight lines built leg by leg.

#include "checks/trafficcheck.h"
#include "traffic/trafficdatabase.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace corvane::test {

struct LegSpec {
    std::string departure;
    std::string arrival;
    std::string destination;
    std::string altitude = "100";
};

// head: the five header fields without the trailing comma ("AC#1,N1,50%,24Hr,IFR").
inline std::string FlightLineOf(const std::string& head, const std::vector<LegSpec>& legs) {
    std::string line = head + ",";
    int number = 0;
    for (const LegSpec& leg : legs)
        line += leg.departure + "," + leg.arrival + "," + leg.altitude + ",F," + std::to_string(++number) +
                "," + leg.destination + ",";
    return line;
}

class CheckFixture : public ::testing::Test {
protected:
    CheckFixture() {
        // AAAA and BBBB stand at the same place: a leg between them is proposed the 900 seconds of the
        // allowance alone, at any speed. CCCC is one degree (60 nautical miles) north of them.
        db.airportTable().add({"AAAA", "N10* 0.0'", "E10* 0.0'", "0", "Alpha", "-"});
        db.airportTable().add({"BBBB", "N10* 0.0'", "E10* 0.0'", "0", "Bravo", "-"});
        db.airportTable().add({"CCCC", "N11* 0.0'", "E10* 0.0'", "0", "Charlie", "-"});
        db.airportTable().add({"NOPO", "", "", "0", "No position", "-"});
        db.aircraftTable().add({"AC#1", "240", "Jet"});
        db.aircraftTable().add({"AC#2", "9", "Glider"});
        db.aircraftTable().add({"AC#4", "0", "Parked"});
        db.aircraftTable().add({"AC#5", "10", "Crawler"});
        db.missingAircraftTable().add({"Ghost", "300", "AC#3"});
    }

    int add(const std::string& line) { return db.flightTable().append(line); }
    // A flight that nothing is wrong with: AAAA-BBBB-AAAA, 15 minutes each way, every day.
    int addClean(const std::string& head = "AC#1,N1,50%,24Hr,IFR") {
        return add(FlightLineOf(head, {{"08:00:00", "08:15:00", "BBBB"}, {"09:00:00", "09:15:00", "AAAA"}}));
    }

    // Each problem as "flight/leg check" ("0/2 leg-too-short", "0/- percent"), in report order.
    std::vector<std::string> found(const CheckOptions& options = {}) {
        report = CheckTraffic(db, options);
        std::vector<std::string> ids;
        for (const Problem& p : report.problems) ids.push_back(Id(p));
        return ids;
    }
    static std::string Id(const Problem& p) {
        return std::to_string(p.flight) + "/" + (p.leg == 0 ? "-" : std::to_string(p.leg)) + " " +
               std::string(CheckName(p.check));
    }
    // The message of the only problem found.
    std::string onlyMessage(const CheckOptions& options = {}) {
        found(options);
        EXPECT_EQ(report.problems.size(), 1u);
        return report.problems.empty() ? std::string() : std::string(report.message(report.problems.front()));
    }

    TrafficDatabase db;
    CheckReport report;
};

using Ids = std::vector<std::string>;

} // namespace corvane::test
