#include "checks/flighttimeline.h"
#include "traffic/numbers.h"

#include <gtest/gtest.h>
#include <random>

using namespace corvane;

namespace {

constexpr long long kHour = 3600;

LegRow Row(const char* destination, const char* departure, const char* arrival, const char* departureDay = "",
           const char* arrivalDay = "") {
    return {destination, departure, arrival, "100", "1", "F", departureDay, arrivalDay};
}

// ENGM -> ESSA -> ENGM, rows in the legs list's order (row 0 holds the last leg).
std::vector<LegRow> Daily(const char* backDeparture = "10:00:00", const char* backArrival = "11:00:00") {
    return {Row("ENGM", backDeparture, backArrival), Row("ESSA", "08:00:00", "09:00:00")};
}

} // namespace

TEST(FlightTimeline, aDailyFlightsLegsAndGroundTimes) {
    const FlightTimeline t = BuildFlightTimeline(Daily(), "24", 10);
    ASSERT_EQ(t.state, TimelineState::Shown);
    EXPECT_EQ(t.period, 24 * kHour);
    EXPECT_FALSE(t.weekly);
    ASSERT_EQ(t.legs.size(), 2u);
    const TimelineLeg& back = t.legs[0];
    const TimelineLeg& out = t.legs[1];
    EXPECT_EQ(out.number, 1);
    EXPECT_EQ(back.number, 2) << "row 0 holds the last leg";
    EXPECT_EQ(out.from, "ENGM");
    EXPECT_EQ(out.to, "ESSA");
    EXPECT_EQ(back.from, "ESSA");
    EXPECT_EQ(out.flight, (ClockSpan{8 * kHour, kHour}));
    EXPECT_EQ(back.flight, (ClockSpan{10 * kHour, kHour}));
    EXPECT_EQ(back.ground, (ClockSpan{9 * kHour, kHour})) << "at ESSA from 09:00 to 10:00";
    EXPECT_EQ(out.ground, (ClockSpan{11 * kHour, 21 * kHour})) << "at ENGM overnight";
    EXPECT_EQ(t.total, 24 * kHour);
    EXPECT_FALSE(t.tooLong());
    for (const TimelineLeg& leg : t.legs) {
        EXPECT_FALSE(leg.flightOverlaps || leg.groundOverlaps || leg.shortTurnaround);
        EXPECT_EQ(leg.lane, 0);
    }
    EXPECT_EQ(t.lanes, 1);
    EXPECT_EQ(TimelineNote(t), "");
}

TEST(FlightTimeline, aWeeklyFlightCarriesItsDaysAndWrapsAtTheWeeksEnd) {
    // Out on Saturday night, back on Sunday: the second leg departs on day 0.
    const std::vector<LegRow> rows{Row("KSEA", "02:00:00", "04:30:00", "0", "0"),
                                   Row("KSFO", "22:30:00", "01:00:00", "6", "0")};
    const FlightTimeline t = BuildFlightTimeline(rows, "WEEK", 10);
    ASSERT_EQ(t.state, TimelineState::Shown);
    EXPECT_EQ(t.period, kWeekSeconds);
    EXPECT_TRUE(t.weekly);
    const ClockSpan out = t.legs[1].flight;
    EXPECT_EQ(out, (ClockSpan{6 * kDaySeconds + 22 * kHour + 1800, 2 * kHour + 1800}));
    EXPECT_EQ(ClockPieces(out, t.period),
              (std::vector<ClockSpan>{{6 * kDaySeconds + 22 * kHour + 1800, kHour + 1800}, {0, kHour}}))
        << "drawn as two pieces";
    EXPECT_EQ(t.legs[0].ground, (ClockSpan{kHour, kHour}));
    EXPECT_EQ(ClockPieces(t.legs[0].flight, t.period),
              (std::vector<ClockSpan>{{2 * kHour, 2 * kHour + 1800}}));

    // The same times on a daily flight ignore the days.
    const FlightTimeline daily = BuildFlightTimeline(rows, "24", 10);
    EXPECT_EQ(daily.legs[1].flight, (ClockSpan{22 * kHour + 1800, 2 * kHour + 1800}));
}

TEST(FlightTimeline, shortTurnaroundsByTheChecksMinimum) {
    const auto rows = Daily("09:10:00", "10:00:00"); // 10 minutes at ESSA
    EXPECT_FALSE(BuildFlightTimeline(rows, "24", 10).legs[0].shortTurnaround) << "exactly the minimum";
    const FlightTimeline t = BuildFlightTimeline(rows, "24", 11);
    EXPECT_TRUE(t.legs[0].shortTurnaround);
    EXPECT_FALSE(t.legs[1].shortTurnaround);
    EXPECT_FALSE(t.legs[0].groundOverlaps) << "short is not overlapping";
    const FlightTimeline none = BuildFlightTimeline(Daily("09:00:00", "10:00:00"), "24", 1);
    EXPECT_TRUE(none.legs[0].shortTurnaround) << "no time on the ground at all";
    for (const TimelineLeg& leg : none.legs)
        EXPECT_FALSE(leg.flightOverlaps || leg.groundOverlaps) << "touching is not overlapping";
    EXPECT_FALSE(BuildFlightTimeline(Daily("09:00:00", "10:00:00"), "24", 0).legs[0].shortTurnaround);
}

TEST(FlightTimeline, overlappingLegsAreMarkedAndGetLanesOfTheirOwn) {
    // Back at 08:30 while the first leg flies until 09:00.
    const FlightTimeline t = BuildFlightTimeline(Daily("08:30:00", "09:30:00"), "24", 10);
    EXPECT_TRUE(t.tooLong());
    EXPECT_TRUE(t.legs[0].flightOverlaps);
    EXPECT_TRUE(t.legs[1].flightOverlaps);
    EXPECT_EQ(t.legs[1].lane, 0) << "the first leg keeps the first lane";
    EXPECT_EQ(t.legs[0].lane, 1);
    EXPECT_EQ(t.lanes, 2);
    EXPECT_EQ(TimelineNote(t), "Legs and ground times add up to 48:00, more than the repeat period.");

    // Legs that do not share time, in an order that does not close the round within the day.
    const std::vector<LegRow> rows{Row("C", "10:00:00", "11:00:00"), Row("A", "08:00:00", "09:00:00"),
                                   Row("B", "12:00:00", "13:00:00")};
    const FlightTimeline round = BuildFlightTimeline(rows, "24", 10);
    EXPECT_TRUE(round.tooLong());
    EXPECT_EQ(round.lanes, 1) << "no two bars share time";
    int overlapping = 0;
    for (const TimelineLeg& leg : round.legs) overlapping += leg.flightOverlaps + leg.groundOverlaps;
    EXPECT_GT(overlapping, 0) << "ground times run across the bars";
}

TEST(FlightTimeline, somethingOverlapsExactlyWhenTheRoundIsLongerThanThePeriod) {
    std::mt19937 random(17);
    auto time = [&](int limit) {
        const long long s = std::uniform_int_distribution<long long>(0, limit - 1)(random);
        return TwoDigits(s / 3600) + ":" + TwoDigits(s / 60 % 60) + ":" + TwoDigits(s % 60);
    };
    int tooLong = 0;
    for (int flight = 0; flight < 2000; ++flight) {
        std::vector<LegRow> rows;
        const int legs = std::uniform_int_distribution<int>(1, 5)(random);
        for (int k = 0; k < legs; ++k) {
            LegRow row = Row("X", "", "");
            row.departure = time(kDaySeconds);
            row.arrival = time(kDaySeconds);
            rows.push_back(row);
        }
        const FlightTimeline t = BuildFlightTimeline(rows, flight % 3 ? "24" : "8", 0);
        ASSERT_EQ(t.state, TimelineState::Shown);
        bool overlaps = false;
        for (const TimelineLeg& leg : t.legs) overlaps |= leg.flightOverlaps || leg.groundOverlaps;
        EXPECT_EQ(overlaps, t.tooLong()) << "flight " << flight;
        tooLong += t.tooLong();
        for (const TimelineLeg& leg : t.legs) {
            EXPECT_GE(leg.flight.start, 0);
            EXPECT_LT(leg.flight.start, t.period);
            EXPECT_LT(leg.flight.length, t.period);
        }
    }
    EXPECT_GT(tooLong, 100);
    EXPECT_LT(tooLong, 1900);
}

TEST(FlightTimeline, spansShareTimeAroundTheClock) {
    const long long day = kDaySeconds;
    EXPECT_TRUE(SpansShareTime({10, 5}, {12, 10}, day));
    EXPECT_TRUE(SpansShareTime({10, 5}, {8, 3}, day)) << "the other begins first";
    EXPECT_TRUE(SpansShareTime({10, 5}, {11, 1}, day)) << "one inside the other";
    EXPECT_FALSE(SpansShareTime({10, 5}, {15, 3}, day)) << "one ends where the other begins";
    EXPECT_FALSE(SpansShareTime({15, 3}, {10, 5}, day));
    EXPECT_TRUE(SpansShareTime({day - 2, 4}, {1, 1}, day)) << "past midnight";
    EXPECT_FALSE(SpansShareTime({day - 2, 4}, {2, 1}, day));
    EXPECT_FALSE(SpansShareTime({10, 0}, {8, 5}, day)) << "an instant shares no time";
    EXPECT_FALSE(SpansShareTime({8, 5}, {10, 0}, day));
}

TEST(FlightTimeline, hourPeriodsCountTheirTimesAroundTheirClock) {
    const FlightTimeline t = BuildFlightTimeline(Daily("19:43:35", "20:13:35"), "12", 10);
    EXPECT_EQ(t.period, 12 * kHour);
    EXPECT_EQ(t.legs[0].flight, (ClockSpan{7 * kHour + 43 * 60 + 35, 1800}))
        << "19:43:35 is 7:43:35 on a clock of 12 hours";
    EXPECT_EQ(t.legs[1].flight, (ClockSpan{8 * kHour, kHour}));
    const std::string tip = TimelineLegTip(t, t.legs[0]);
    EXPECT_EQ(tip.rfind("Leg 2 ESSA-ENGM: 19:43:35 to 20:13:35 GMT, 0:30 in the air", 0), 0u)
        << "the tooltip gives the times as stored: " << tip;
}

TEST(FlightTimeline, whatCannotBeShown) {
    EXPECT_EQ(BuildFlightTimeline({}, "24", 10).state, TimelineState::NoFlight);
    EXPECT_EQ(TimelineNote(BuildFlightTimeline({}, "24", 10)), "No flight chosen.");
    for (const char* repeat : {"48", "", "week", "24Hr"})
        EXPECT_EQ(BuildFlightTimeline(Daily(), repeat, 10).state, TimelineState::UnknownPeriod) << repeat;
    auto rows = Daily();
    rows[0].arrival = "11:7";
    const FlightTimeline t = BuildFlightTimeline(rows, "24", 10);
    EXPECT_EQ(t.state, TimelineState::UnreadableTimes);
    EXPECT_TRUE(t.legs.empty());
    EXPECT_EQ(TimelineNote(t), "The times of the leg to ENGM cannot be read.");
    EXPECT_EQ(BuildFlightTimeline(Daily(), "WEEK", 10).state, TimelineState::UnreadableTimes)
        << "a weekly flight needs its days";
}

TEST(FlightTimeline, rowsTicksAndTexts) {
    EXPECT_EQ(RowShowingLeg(1, 3), 0) << "the leg held by row 1 departs from row 0's airport";
    EXPECT_EQ(RowShowingLeg(0, 3), 2);
    EXPECT_EQ(RowShowingLeg(3, 3), -1);
    EXPECT_EQ(RowShowingLeg(0, 0), -1);

    const auto day = TimelineTicks(kDaySeconds, false);
    ASSERT_EQ(day.size(), 24u);
    EXPECT_EQ(day[3].label, "03:00");
    EXPECT_TRUE(day[3].major);
    EXPECT_FALSE(day[4].major);
    EXPECT_EQ(day[4].label, "");
    const auto week = TimelineTicks(kWeekSeconds, true);
    ASSERT_EQ(week.size(), 28u);
    EXPECT_EQ(week[4].label, "Mon");
    EXPECT_EQ(week[4].at, kDaySeconds);
    EXPECT_EQ(TimelineTicks(kHour, false)[3].label, "00:15");
    EXPECT_TRUE(TimelineTicks(0, false).empty());

    EXPECT_EQ(ClockText(8 * kHour + 5 * 60, false), "08:05");
    EXPECT_EQ(ClockText(kDaySeconds + 8 * kHour + 5 * 60 + 7, true), "Mon 08:05:07");

    const FlightTimeline t = BuildFlightTimeline(Daily("09:05:00", "10:00:00"), "24", 10);
    EXPECT_EQ(
        TimelineLegTip(t, t.legs[0]),
        "Leg 2 ESSA-ENGM: 09:05 to 10:00 GMT, 0:55 in the air\r\n0:05 on the ground at ESSA before, under "
        "the turnaround minimum");
}
