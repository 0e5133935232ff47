#include "timetable/csvtable.h"
#include "timetable/timetablerows.h"
#include "timetablefixture.h"
#include "traffic/changejournal.h"

#include <gtest/gtest.h>

namespace corvane::test {
namespace {

TEST(CsvTableTest, EncodingsSeparatorsAndQuotes) {
    struct Case {
        std::string bytes;
        char separator;
        std::vector<std::string> cells; // of the last row
    };
    const std::vector<Case> cases{
        // UTF-8 with a byte-order mark: "ø" becomes Windows-1252's byte.
        {"\xEF\xBB\xBF"
         "a,b\r\nWider\xC3\xB8"
         "e,x\r\n",
         ',',
         {"Wider\xF8"
          "e",
          "x"}},
        // Windows-1252 as it stands; a lone CR ends a line.
        {"a,b\rWider\xF8"
         "e,x",
         ',',
         {"Wider\xF8"
          "e",
          "x"}},
        // Semicolons, quoted fields with the separator, a doubled quote and a line break; blanks trimmed.
        {"a;b;c\n \"Boeing; \"\"SAS\"\"\" ; \"two\nlines\";  3 \n",
         ';',
         {"Boeing; \"SAS\"", "two\nlines", "3"}},
        // A character Windows-1252 has no byte for is marked.
        {"a\nSP-\xC5\x81WA\n", ',', {std::string("SP-") + kUnheldCharacter + "WA"}},
    };
    for (const Case& c : cases) {
        const auto table = CsvTable::parse(c.bytes);
        ASSERT_TRUE(table) << c.bytes;
        EXPECT_EQ(table->separator(), c.separator) << c.bytes;
        ASSERT_EQ(table->rowCount(), 2) << c.bytes;
        std::vector<std::string> cells;
        for (int k = 0; k < table->cellCount(1); ++k) cells.emplace_back(table->cell(1, k));
        EXPECT_EQ(cells, c.cells) << c.bytes;
    }
    // Line numbers count the lines of the file, blank ones and quoted breaks included.
    const auto table = CsvTable::parse("h\r\n\r\n\"a\r\nb\"\r\nc\r\n");
    ASSERT_EQ(table->rowCount(), 3);
    EXPECT_EQ(table->line(1), 3);
    EXPECT_EQ(table->line(2), 5);
    // Bytes with a NUL (a binary file, UTF-16 text) are no text.
    EXPECT_FALSE(CsvTable::parse(std::string("f\0l\0", 4)));
}

TEST(TimetableRowsTest, DaysAndZones) {
    const std::vector<std::pair<std::string, int>> days{{"1234567", 0x7F},
                                                        {"daily", 0x7F},
                                                        {"1.3.5..", 0b0101010},
                                                        {"x6", 0x7F & ~0x40},
                                                        {"7", 0x01},
                                                        {" 12 ", 0x06},
                                                        {"8", -1},
                                                        {"", -1},
                                                        {"x1234567", -1},
                                                        {"1-5", -1},
                                                        {"Mon", -1}};
    for (const auto& [text, mask] : days) {
        const auto parsed = ParseTimetableDays(text);
        EXPECT_EQ(parsed ? *parsed : -1, mask) << text;
    }
    EXPECT_EQ(DaysText(0b0101010), "Mon, Wed, Fri");
    EXPECT_EQ(DaysText(0x41), "Sat, Sun");

    const std::vector<std::pair<std::string, int>> zones{
        {"GMT", 12},    {"utc", 12}, {"Z", 12},   {"+1", 13},    {"- 12", 0}, {"UTC+2", 14},
        {"+01:00", 13}, {"+12", 24}, {"+13", -1}, {"+5:30", -1}, {"CET", -1}, {"1", -1}};
    for (const auto& [text, index] : zones) {
        const auto parsed = ParseTimetableZone(text);
        EXPECT_EQ(parsed ? *parsed : -1, index) << text;
    }
}

TEST(TimetableRowsTest, RowsThatCannotBeRead) {
    const struct {
        std::string row;
        std::string code;
    } cases[]{
        {"SK1,ENGM,ENBR,6:40,07:45,1,,B", ""},
        {"SK1,ENGM,ENBR,06:40,07:45+1,1,,B", ""},
        {"SK1,ENGM,ENBR,24:00,07:45,1,,B", "bad-time"},
        {"SK1,ENGM,ENBR,06:4,07:45,1,,B", "bad-time"},
        {"SK1,ENGM,ENBR,06:40+1,07:45,1,,B", "bad-time"},
        {"SK1,ENGM,ENBR,06:40,06:40+0,1,,B", "bad-time"},
        {"SK1,ENGM,ENBR,06:40,07:45,9,,B", "bad-days"},
        {"SK1,ENGM,ENGM,06:40,07:45,1,,B", "same-airport"},
        {",ENGM,ENBR,06:40,07:45,1,,B", "missing-value"},
        {"SK1,ENGM,ENBR,06:40,07:45,1,\"A,B\",B", "bad-text"},
    };
    for (const auto& c : cases) {
        const auto table = CsvTable::parse(std::string(kHeader) + c.row + "\r\n");
        const TimetableRows rows = ReadTimetableRows(*table, 12);
        ASSERT_EQ(rows.legs.size(), 1u) << c.row;
        EXPECT_EQ(rows.legs[0].readable, c.code.empty()) << c.row;
        EXPECT_EQ(rows.problems.empty() ? "" : rows.problems[0].code, c.code) << c.row;
    }
    // The header: none of the columns, some of them, or nothing below it.
    for (const auto& [text, error] : std::vector<std::pair<std::string, std::string>>{
             {"", "The file is empty."},
             {"// Corvane Project File\r\nAC#1,450,\"Boeing\"\r\n",
              "The file is not a timetable: its first line names none of the columns flight, from, to, "
              "departure, arrival, days and aircraft."},
             {"Flight;From;To;Departure;Arrival\r\nSK1;ENGM;ENBR;06:00;07:00\r\n",
              "The timetable has no column days, aircraft."},
             {std::string(kHeader),
              "The timetable lists no flights: it has a header and nothing below it."}}) {
        const auto table = CsvTable::parse(text);
        EXPECT_EQ(ReadTimetableRows(*table, 12).error, error) << text;
    }
}

using TimetablePlanTest = TimetableFixture;

TEST_F(TimetablePlanTest, WeeklyRotationOverMidnightAndTheWeekEnd) {
    // Saturday 23:30 to Sunday 00:40 GMT, back on Sunday morning; then the same an hour east of GMT,
    // where a Monday 00:30 departure is Sunday 23:30 GMT.
    const TimetablePlan gmt =
        plan(std::string(kHeader) + "SK10,OSL,BGO,23:30,00:40,6,LN-RRC,Boeing 737-800 SAS\r\n"
                                    "SK11,ENBR,ENGM,06:00,07:00,7,LN-RRC,Boeing 737-800 SAS\r\n");
    EXPECT_EQ(Codes(gmt), std::vector<std::string>{});
    EXPECT_EQ(Lines(gmt),
              std::vector<std::string>{"AC#0,LN-RRC,100%,WEEK,IFR,0/06:00:00,0/07:00:00,350,F,SK11,ENGM,"
                                       "6/23:30:00,0/00:40:00,350,F,SK10,ENBR,"});
    options.zoneIndex = 13;
    const TimetablePlan east = plan("flight;from;to;departure;arrival;days;tail;aircraft;zone\r\n"
                                    "SK10;OSL;BGO;00:30;01:40;1;LN-RRC;Boeing 737-800 SAS;\r\n"
                                    "SK11;ENBR;ENGM;08:00:30;09:00;1;LN-RRC;737-800;+2\r\n");
    EXPECT_EQ(Lines(east),
              std::vector<std::string>{"AC#0,LN-RRC,100%,WEEK,IFR,0/23:30:00,1/00:40:00,350,F,SK10,ENBR,"
                                       "1/06:00:30,1/07:00:00,350,F,SK11,ENGM,"});
}

TEST_F(TimetablePlanTest, AirportsAndAircraft) {
    options.percent = "80";
    options.ifr = false;
    options.altitude = "90";
    const TimetablePlan p =
        plan(std::string(kHeader.substr(0, kHeader.size() - 2)) + ",altitude,percent\r\n" +
             "SK1,ARN,ENGM,06:00,07:00,daily,,Dash 8 Wider\xF8"
             "e,,\r\n"
             "SK2,ENGM,ARN,08:00,09:00,daily,,dash 8,120,\r\n"
             "SK3,QQQ,ENGM,08:00,09:00,daily,,Dash 8,,\r\n"
             "SK4,XYZ,ENGM,08:00,09:00,daily,,Dash 8,,\r\n"
             "SK5,ENGM,ENBR,06:00,07:00,1,T5,737,,50%\r\n"
             "SK6,ENBR,ENGM,08:00,09:00,1,T5,737,,\r\n"
             "SK7,ENGM,ENBR,06:00,07:00,2,T7,Boeing 787,,\r\n"
             "SK8,ENBR,ENGM,08:00,09:00,2,T7,Boeing 787,,\r\n");
    EXPECT_EQ(Codes(p), (std::vector<std::string>{"4 unknown-airport", "5 unknown-airport",
                                                  "6 aircraft-not-installed", "8 aircraft-not-installed"}));
    EXPECT_NE(p.problems[0].message.find("shared by ENGM and ENBR"), std::string::npos)
        << p.problems[0].message;
    EXPECT_NE(p.problems[2].message.find("matches 2 installed titles"), std::string::npos)
        << p.problems[2].message;
    ASSERT_EQ(p.aircraft.size(), 3u);
    EXPECT_EQ(p.aircraft[0].title, "Dash 8 Wider\xF8"
                                   "e");
    EXPECT_FALSE(p.aircraft[1].installed);
    // Boeing 787's speed from its legs: ENGM-ENBR (176 nm) in the 45 minutes an hour leaves after the
    // allowance of 900 s is 234 knots.
    EXPECT_EQ(p.aircraft[2].speed, "234");
    EXPECT_EQ(
        Lines(p),
        (std::vector<std::string>{
            "AC#1,T5,50%,WEEK,VFR,1/06:00:00,1/07:00:00,90,F,SK5,ENBR,1/08:00:00,1/09:00:00,90,F,SK6,ENGM,",
            "AC#2,T7,80%,WEEK,VFR,2/06:00:00,2/07:00:00,90,F,SK7,ENBR,2/08:00:00,2/09:00:00,90,F,SK8,ENGM,",
            "AC#0,SK1,80%,24Hr,VFR,06:00:00,07:00:00,90,F,SK1,ENGM,08:00:00,09:00:00,120,F,SK2,ESSA,"}));
    ASSERT_EQ(p.airports.size(), 1u);
    EXPECT_EQ(p.airports[0], (TextTable::Row{"ESSA", "N59* 38.91'", "E17* 55.73'", "137",
                                             "Stockholm-Arlanda Airport", "Sweden"}));

    // Applied: one step, which undo takes back whole.
    ApplyTimetablePlan(db, p);
    EXPECT_EQ(db.journal().stepCount(), 1);
    EXPECT_EQ(db.journal().stepText(0), "Import Timetable");
    EXPECT_EQ(db.flightTable().count(), 3);
    EXPECT_EQ(db.flightTable().at(2).substr(0, 8), "AC#3,SK1");
    EXPECT_GE(db.airportTable().findByIcao("ESSA"), 0);
    const int missing = db.missingAircraftTable().findByTitle("Boeing 787");
    ASSERT_GE(missing, 0);
    EXPECT_EQ(db.missingAircraftTable().cell(missing, MissingAircraftTable::Number), "AC#5");
    db.journal().undo();
    EXPECT_EQ(db.flightTable().nonEmptyCount(), 0);
    EXPECT_LT(db.airportTable().findByIcao("ESSA"), 0);
    EXPECT_EQ(db.missingAircraftTable().rowCount(), 0);
}

} // namespace
} // namespace corvane::test
