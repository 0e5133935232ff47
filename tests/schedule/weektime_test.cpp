#include "schedule/weektime.h"

#include <gtest/gtest.h>

using namespace corvane;

TEST(WeekTime, shiftTimeWrapsTheWeek) {
    EXPECT_EQ(ShiftTime("6/23:30:00", 1), "0/00:30:00");
    EXPECT_EQ(ShiftTime("0/00:30:00", -1), "6/23:30:00");
    EXPECT_EQ(ShiftTime("23:30:00", 1), "00:30:00") << "no day part is added";
    EXPECT_EQ(ShiftTime("08:05:00", -3), "05:05:00");
    EXPECT_EQ(ShiftTime("08:00:00", -1), "07:00:00");
    EXPECT_EQ(ShiftTime("3/12:00:00", 24), "4/12:00:00");
    EXPECT_EQ(ShiftTime("3/12:00:00", -24), "2/12:00:00");
    EXPECT_EQ(ShiftTime("0/01:00:00", -50), "4/23:00:00") << "shifts beyond a day are normalised fully";
    EXPECT_EQ(ShiftTime("10:15:30", 0), "10:15:30");
    EXPECT_EQ(ShiftTime("", 2), "02:") << "odd input gives odd output, never a crash";
}

TEST(WeekTime, daysAndZones) {
    EXPECT_EQ(WrapDay(-1), 6);
    EXPECT_EQ(WrapDay(7), 0);
    EXPECT_EQ(WrapDay(-8), 6);
    EXPECT_EQ(ZoneText(0, false), "-12");
    EXPECT_EQ(ZoneText(0, true), "- 12");
    EXPECT_EQ(ZoneText(12, true), "GMT");
    EXPECT_EQ(ZoneText(13, false), "+1");
    EXPECT_EQ(ZoneText(24, true), "+ 12");
    long long hour = 49;
    EXPECT_EQ(NormalizeHour(hour), 2);
    EXPECT_EQ(hour, 1);
    hour = -1;
    EXPECT_EQ(NormalizeHour(hour), -1);
    EXPECT_EQ(hour, 23);
}

TEST(WeekTime, arrivalsCarryOverMidnightAndTheWeek) {
    const struct {
        long long hour, minute, second, day, seconds;
        const char* time;
        int arrivalDay;
    } cases[] = {
        {23, 50, 0, 6, 1500, "00:15:00", 0},                // past midnight, Saturday into Sunday
        {8, 0, 30, 1, 45, "08:01:15", 1},                   // the departure's seconds carry
        {20, 0, 0, 5, 3 * 86400 + 5 * 3600, "01:00:00", 2}, // days on, fully normalised
        {0, 5, 0, 0, -600, "23:55:00", 6},                  // backwards over midnight
        {0, 0, 0, 0, -30, "23:59:30", 6},                   // by seconds
        {0, 0, 3 * 86400 + 7200, 0, 60, "02:01:00", 3},     // a time of the week as seconds from Sunday
    };
    for (const auto& c : cases) {
        const ArrivalTime arrival = ArrivalAfter(c.hour, c.minute, c.second, c.day, c.seconds);
        EXPECT_EQ(arrival.time, c.time) << c.hour << ":" << c.minute << " + " << c.seconds;
        EXPECT_EQ(arrival.day, c.arrivalDay) << c.hour << ":" << c.minute << " + " << c.seconds;
    }
}
