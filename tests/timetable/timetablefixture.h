#pragma once
// A traffic set of Norwegian airports and installed aircraft, an apt.dat with one more airport and an
// IATA table (with one code shared by two airports), and the plan of a timetable written inline.

#include "timetable/csvtable.h"
#include "timetable/timetableplan.h"
#include "traffic/trafficdatabase.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace corvane::test {

// The header line of the timetables written inline.
inline constexpr std::string_view kHeader = "flight,from,to,departure,arrival,days,tail,aircraft\r\n";

class TimetableFixture : public ::testing::Test {
protected:
    TimetableFixture()
        : sources("ENGM,N60* 11.63',E11* 6.02',681,Oslo-Gardermoen,Norway\r\n"
                  "ESSA,N59* 38.91',E17* 55.73',137,Stockholm-Arlanda Airport,Sweden\r\n",
                  "OSL,ENGM\r\nBGO,ENBR\r\nTRD,ENVA\r\nARN,ESSA\r\nQQQ,ENGM\r\nQQQ,ENBR\r\n") {
        for (const TextTable::Row& row :
             std::vector<TextTable::Row>{{"ENGM", "N60* 11.63'", "E11* 6.02'", "681", "Oslo", "Norway"},
                                         {"ENBR", "N60* 17.60'", "E5* 13.09'", "170", "Bergen", "Norway"},
                                         {"ENVA", "N63* 27.47'", "E10* 55.44'", "56", "Trondheim", "Norway"},
                                         {"ENZV", "N58* 52.60'", "E5* 38.27'", "29", "Stavanger", "Norway"},
                                         {"ENTC", "N69* 41.00'", "E18* 55.13'", "31", "Troms\xF8", "Norway"},
                                         {"ENAN", "N69* 17.71'", "E16* 8.36'", "43", "And\xF8ya", "Norway"}})
            db.airportTable().add(row);
        for (const char* title : {"Boeing 737-800 SAS", "Boeing 737-700",
                                  "Dash 8 Wider\xF8"
                                  "e"})
            db.installedAircraftTable().add({title, "450", "450"});
        AddInstalledAircraft(db);
        db.journal().clear();
    }

    TimetablePlan plan(std::string_view csv) {
        const auto table = CsvTable::parse(csv);
        EXPECT_TRUE(table) << "no text";
        return table ? PlanTimetable(db, *table, sources, options) : TimetablePlan{};
    }

    // "row code" of each problem, in the plan's order.
    static std::vector<std::string> Codes(const TimetablePlan& plan) {
        std::vector<std::string> codes;
        for (const TimetableProblem& p : plan.problems) codes.push_back(std::to_string(p.row) + " " + p.code);
        return codes;
    }

    // The flight lines the plan adds, as they would stand in the table.
    std::vector<std::string> Lines(const TimetablePlan& plan) {
        std::vector<std::string> lines;
        for (const TimetablePlan::Flight& f : plan.flights)
            lines.push_back("AC#" + std::to_string(f.aircraft) + "," + f.rest);
        return lines;
    }

    TrafficDatabase db;
    AirportSources sources;
    TimetableOptions options;
};

} // namespace corvane::test
