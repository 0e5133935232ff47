#include "checks/trafficcheck.h"
#include "timetablefixture.h"
#include "traffic/fields.h"
#include "traffic/numbers.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>

namespace corvane::test {
namespace {

using RotationsTest = TimetableFixture;

std::string HubAndSpoke() {
    return std::string(kHeader) + "WF101,ENGM,ENBR,07:00,08:00,daily,,Dash 8\r\n"
                                  "WF102,ENBR,ENGM,08:30,09:30,daily,,Dash 8\r\n"
                                  "WF103,ENGM,ENVA,10:00,11:00,daily,,Dash 8\r\n"
                                  "WF104,ENVA,ENGM,11:30,12:30,daily,,Dash 8\r\n"
                                  "WF111,ENGM,ENZV,07:30,08:30,daily,,Dash 8\r\n"
                                  "WF112,ENZV,ENGM,09:00,10:00,daily,,Dash 8\r\n"
                                  "WF113,ENGM,ENTC,11:00,13:00,daily,,Dash 8\r\n"
                                  "WF114,ENTC,ENGM,13:30,15:30,daily,,Dash 8\r\n";
}

TEST_F(RotationsTest, HubAndSpokeBecomesTheFewestRotations) {
    // Two aircraft must stand at ENGM at 07:00 and 07:30; each flies two spokes a day.
    const std::vector<std::string> expected{
        "AC#0,WF101,100%,24Hr,IFR,07:00:00,08:00:00,350,F,WF101,ENBR,08:30:00,09:30:00,350,F,WF102,ENGM,"
        "10:00:00,11:00:00,350,F,WF103,ENVA,11:30:00,12:30:00,350,F,WF104,ENGM,",
        "AC#0,WF111,100%,24Hr,IFR,07:30:00,08:30:00,350,F,WF111,ENZV,09:00:00,10:00:00,350,F,WF112,ENGM,"
        "11:00:00,13:00:00,350,F,WF113,ENTC,13:30:00,15:30:00,350,F,WF114,ENGM,"};
    const TimetablePlan clean = plan(HubAndSpoke());
    EXPECT_EQ(Codes(clean), std::vector<std::string>{});
    EXPECT_EQ(Lines(clean), expected);
    EXPECT_EQ(clean.rotations, 2);
    EXPECT_EQ(Lines(plan(HubAndSpoke())), expected) << "the same file gives the same flights";

    // A one-way leg every day and a Monday evening flight that nothing takes on: exactly those are left.
    const TimetablePlan rest = plan(HubAndSpoke() + "WF120,ENGM,ENAN,13:00,14:00,daily,,Dash 8\r\n"
                                                    "WF130,ENBR,ENGM,20:00,21:00,1,,Dash 8\r\n");
    EXPECT_EQ(Codes(rest), (std::vector<std::string>{"10 unchained-leg", "11 unchained-leg"}));
    EXPECT_NE(rest.problems[0].message.find("WF120 from ENGM to ENAN (daily, GMT)"), std::string::npos);
    EXPECT_NE(rest.problems[1].message.find("(Mon, GMT)"), std::string::npos);
    EXPECT_EQ(Lines(rest), expected);

    // Chain tails follow the pattern, and never repeat one in use.
    db.flightTable().append("AC#1,R1,100%,24Hr,IFR,07:00:00,08:00:00,350,F,1,ENGM,");
    options.tailPattern = "R{n}";
    const TimetablePlan named = plan(HubAndSpoke());
    EXPECT_EQ(Lines(named)[0].substr(0, 9), "AC#0,R1-2");
    EXPECT_EQ(Lines(named)[1].substr(0, 8), "AC#0,R2,");
}

TEST_F(RotationsTest, BrokenAndLongRotations) {
    const TimetablePlan broken =
        plan(std::string(kHeader) + "SK1,ENGM,ENBR,08:00,09:00,1,LN-RRA,737-800\r\n"
                                    "SK2,ENVA,ENGM,10:00,11:00,1,LN-RRA,737-800\r\n"
                                    "SK3,ENGM,ENBR,08:00,09:00,1,LN-RRB,737-800\r\n"
                                    "SK4,ENBR,ENGM,09:05,10:00,1,LN-RRB,737-800\r\n"
                                    "SK5,ENGM,ENBR,08:00,09:00,2,LN-RRC,737-800\r\n"
                                    "SK6,ENBR,ENGM,08:30,09:30,2,LN-RRC,737-800\r\n");
    EXPECT_EQ(Codes(broken),
              (std::vector<std::string>{"2 broken-rotation", "2 rotation-left-out", "4 short-turnaround",
                                        "6 broken-rotation", "6 rotation-left-out"}));
    EXPECT_EQ(broken.problems[0].message,
              "Row 2: SK1 arrives at ENBR but the next leg of LN-RRA departs from ENVA "
              "(row 3, SK2 Mon 10:00 GMT).");
    EXPECT_EQ(broken.problems[3].message,
              "Row 6: SK5 arrives at ENBR at Tue 09:00 GMT, after the next leg of LN-RRC "
              "departs (row 7, SK6 Tue 08:30 GMT).");
    EXPECT_EQ(broken.leftOut, 4);
    EXPECT_EQ(broken.flightCount(), 1);

    // Six days of five legs: 30 legs, split at ENGM after Friday night into 25 and 5, each a closed loop.
    const TimetablePlan split =
        plan(std::string(kHeader) + "S1,ENGM,ENBR,06:00,07:00,123456,LN-RRS,737-800\r\n"
                                    "S2,ENBR,ENGM,07:30,08:30,123456,LN-RRS,737-800\r\n"
                                    "S3,ENGM,ENVA,09:00,10:00,123456,LN-RRS,737-800\r\n"
                                    "S4,ENVA,ENZV,10:30,11:30,123456,LN-RRS,737-800\r\n"
                                    "S5,ENZV,ENGM,12:00,13:00,123456,LN-RRS,737-800\r\n");
    EXPECT_EQ(Codes(split), std::vector<std::string>{"2 split-rotation"});
    const std::vector<std::string> lines = Lines(split);
    ASSERT_EQ(lines.size(), 2u);
    for (const auto& [line, legs, first] :
         {std::tuple{lines[0], 25, "1/06:00:00"}, {lines[1], 5, "6/06:00:00"}}) {
        const std::vector<std::string_view> fields = SplitFields(line, ',');
        EXPECT_EQ(fields.size(), 5u + 6u * legs + 1u) << line;
        EXPECT_EQ(fields[5], first) << line;
        EXPECT_EQ(fields[fields.size() - 2], "ENGM") << "closed at ENGM: " << line;
    }

    // A tour of 26 airports, each visited once, cannot be split into closed loops.
    std::string tour(kHeader);
    for (int k = 0; k < 26; ++k) {
        db.airportTable().add({"X" + std::to_string(k + 10), "N60* 0.00'", "E10* 0.00'", "0", "-", "-"});
        const int hour = k * 6;
        tour += "T" + std::to_string(k) + ",X" + std::to_string(k + 10) + ",X" +
                std::to_string((k + 1) % 26 + 10) + "," + TwoDigits(hour % 24) + ":00," +
                TwoDigits(hour % 24) + ":30," + std::to_string(hour / 24 == 0 ? 7 : hour / 24) +
                ",LN-RRT,737-800\r\n";
    }
    const TimetablePlan tooLong = plan(tour);
    EXPECT_EQ(Codes(tooLong), std::vector<std::string>{"2 too-many-legs"});
    EXPECT_EQ(tooLong.flightCount(), 0);
}

// A timetable of tails that fly weekly (one row a leg and day), daily and on Monday, Wednesday and
// Friday, between 200 airports, the first hundred written as IATA codes.
struct Generated {
    std::string csv;
    std::vector<std::string> legs; // flight,from,to,departure day and time,arrival day and time (GMT)
};

std::string LegText(const std::string& flight, const std::string& from, const std::string& to, long long dep,
                    long long arr) {
    const auto at = [](long long t) {
        t %= 7 * 1440;
        return std::to_string(t / 1440) + "/" + TwoDigits(t % 1440 / 60) + ":" + TwoDigits(t % 60);
    };
    return flight + "," + from + "," + to + "," + at(dep) + "," + at(arr);
}

Generated Generate(int tails, std::mt19937& random) {
    const auto pick = [&](int least, int most) {
        return least + static_cast<int>(random() % (most - least + 1));
    };
    const auto code = [](int airport) {
        return airport < 100 ? std::string("Q") + char('A' + airport / 26) + char('A' + airport % 26)
                             : "Z" + std::to_string(airport + 100);
    };
    const auto icao = [](int airport) { return "Z" + std::to_string(airport + 100); };
    Generated g;
    g.csv = std::string(kHeader);
    int flight = 0;
    for (int tail = 0; tail < tails; ++tail) {
        // 10 of 12 tails weekly (18 legs), 1 daily (12 legs), 1 on Mon, Wed and Fri (8 legs): 5,000 legs.
        const bool weekly = tail % 12 < 10;
        const int count = weekly ? 18 : tail % 12 == 10 ? 12 : 8;
        const long long period = weekly ? 7 * 1440 : 1440;
        const int home = pick(0, 199);
        int at = home;
        long long t = pick(0, static_cast<int>(period) - 1);
        for (int k = 0; k < count; ++k) {
            int to = home;
            if (k + 1 < count) do
                    to = pick(0, 199);
                while (to == at || (k + 2 == count && to == home));
            const long long dep = t + pick(30, weekly ? 360 : 50);
            const long long arr = dep + pick(40, weekly ? 180 : 60);
            const std::string number = "RT" + std::to_string(++flight);
            const int depDay = static_cast<int>(dep / 1440 % 7);
            const int plus = static_cast<int>(arr / 1440 - dep / 1440);
            std::string days;
            if (tail % 12 == 10) {
                days = "daily";
            } else if (tail % 12 == 11) {
                for (const int d : {1, 3, 5}) days += std::to_string((d + depDay - 1) % 7 + 1);
            } else {
                days = std::to_string(depDay == 0 ? 7 : depDay);
            }
            const auto clock = [](long long m) { return TwoDigits(m % 1440 / 60) + ":" + TwoDigits(m % 60); };
            g.csv += number + "," + code(at) + "," + code(to) + "," + clock(dep) + "," + clock(arr) +
                     (plus > 0 && flight % 2 ? "+" + std::to_string(plus) : "") + "," + days + ",T" +
                     std::to_string(tail) + ",Boeing 737-800 SAS\r\n";
            const std::vector<int> shifts = tail % 12 == 10   ? std::vector<int>{0, 1, 2, 3, 4, 5, 6}
                                            : tail % 12 == 11 ? std::vector<int>{0, 2, 4}
                                                              : std::vector<int>{0};
            // The Monday, Wednesday and Friday tails start on Monday, a day after the others.
            const long long monday = tail % 12 == 11 ? 1440 : 0;
            for (const int shift : shifts)
                g.legs.push_back(LegText(number, icao(at), icao(to), dep + shift * 1440 + monday,
                                         arr + shift * 1440 + monday));
            at = to;
            t = arr;
        }
    }
    return g;
}

// The legs of flight lines as the generator writes them: 24Hr lines on every day.
std::vector<std::string> ExportLegs(const std::vector<std::string>& lines) {
    std::vector<std::string> legs;
    const auto minutes = [](std::string_view time) {
        long long day = 0;
        if (const auto slash = time.find('/'); slash != std::string_view::npos) {
            day = static_cast<long long>(NumericValue(time.substr(0, slash)));
            time.remove_prefix(slash + 1);
        }
        return day * 1440 + static_cast<long long>(NumericValue(time.substr(0, 2))) * 60 +
               static_cast<long long>(NumericValue(time.substr(3, 2)));
    };
    for (const std::string& line : lines) {
        const std::vector<std::string_view> f = SplitFields(line, ',');
        const int count = static_cast<int>((f.size() - 6) / 6);
        const bool weekly = f[3] == "WEEK";
        for (int k = 0; k < count; ++k) {
            const auto field = [&](int leg, int offset) {
                return std::string(f[static_cast<std::size_t>(5 + 6 * leg + offset)]);
            };
            const std::string from = field((k + count - 1) % count, 5);
            long long dep = minutes(field(k, 0)), arr = minutes(field(k, 1));
            if (arr < dep) arr += weekly ? 7 * 1440 : 1440;
            for (int day = 0; day < (weekly ? 1 : 7); ++day)
                legs.push_back(LegText(field(k, 4), from, field(k, 5), dep + day * 1440, arr + day * 1440));
        }
    }
    return legs;
}

TEST_F(RotationsTest, RoundTripOfFiveThousandLegs) {
    std::string apt, iata;
    for (int airport = 0; airport < 200; ++airport) {
        const std::string code = "Z" + std::to_string(airport + 100);
        apt += code + ",N" + std::to_string(airport % 60) + "* 0.00',E" + std::to_string(airport / 2) +
               "* 0.00',0," + code + ",-\r\n";
        if (airport < 100)
            iata +=
                std::string("Q") + char('A' + airport / 26) + char('A' + airport % 26) + "," + code + "\r\n";
    }
    sources = AirportSources(apt, iata);
    std::mt19937 random(2026);
    const Generated g = Generate(300, random);
    const TimetablePlan p = plan(g.csv);
    EXPECT_EQ(p.rows, 5000);
    EXPECT_EQ(Codes(p), std::vector<std::string>{});
    EXPECT_EQ(p.rotations, 300);
    ApplyTimetablePlan(db, p);
    std::vector<std::string> exported = ExportLegs(db.flightTable().lines());
    std::vector<std::string> expected = g.legs;
    std::sort(exported.begin(), exported.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(exported.size(), expected.size());
    EXPECT_TRUE(exported == expected);

    // The check finds nothing but legs whose times disagree with the cruise speed.
    const CheckReport report = CheckTraffic(db);
    for (const Problem& problem : report.problems)
        EXPECT_TRUE(problem.check == Check::LegTooShort || problem.check == Check::LegTooLong)
            << CheckName(problem.check) << ": " << report.message(problem);
}

} // namespace
} // namespace corvane::test
