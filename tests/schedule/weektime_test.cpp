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
