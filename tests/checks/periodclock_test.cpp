#include "checks/periodclock.h"

#include <gtest/gtest.h>

using namespace corvane;

TEST(PeriodClock, repeatPeriods) {
    for (int hours : {1, 2, 4, 6, 8, 12, 24})
        EXPECT_EQ(RepeatPeriodSeconds(std::to_string(hours) + "Hr"), hours * 3600) << hours;
    EXPECT_EQ(RepeatPeriodSeconds("WEEK"), kWeekSeconds);
    EXPECT_EQ(RepeatPeriodSeconds("24HR"), 24 * 3600);
    for (const char* odd :
         {"", "Hr", "3Hr", "0Hr", "48Hr", "024Hr", "24", "24 Hr", "week", " WEEK", "-24Hr", "WEEKHr"})
        EXPECT_EQ(RepeatPeriodSeconds(odd), std::nullopt) << odd;
}

TEST(PeriodClock, storedTimes) {
    EXPECT_EQ(StoredTimeSeconds("00:00:00", false), 0);
    EXPECT_EQ(StoredTimeSeconds("23:59:59", false), kDaySeconds - 1);
    EXPECT_EQ(StoredTimeSeconds("8:5:7", false), 8 * 3600 + 5 * 60 + 7);
    EXPECT_EQ(StoredTimeSeconds("0/00:00:00", true), 0);
    EXPECT_EQ(StoredTimeSeconds("6/23:59:59", true), kWeekSeconds - 1);
    EXPECT_EQ(StoredTimeSeconds("1/08:00:00", true), kDaySeconds + 8 * 3600);
    // Three digits are refused even where their value would do.
    for (const char* odd :
         {"", "08:00", "24:00:00", "08:60:00", "08:00:60", "080:00:00", "008:00:00", "08:000:00", "08:00:000",
          "08:00:00:00", "08:00:00 ", " 08:00:00", "-1:00:00", "ab:cd:ef", "08-00-00", "1/08:00:00"})
        EXPECT_EQ(StoredTimeSeconds(odd, false), std::nullopt) << odd;
    for (const char* odd : {"08:00:00", "7/08:00:00", "/08:00:00", "-1/08:00:00", "1/24:00:00", "1:08:00:00",
                            "001/08:00:00", "1/008:00:00"})
        EXPECT_EQ(StoredTimeSeconds(odd, true), std::nullopt) << odd;
}

TEST(PeriodClock, differencesAndDurations) {
    EXPECT_EQ(ClockDifference(8 * 3600, 9 * 3600, kDaySeconds), 3600);
    EXPECT_EQ(ClockDifference(23 * 3600, 3600, kDaySeconds), 2 * 3600);
    EXPECT_EQ(ClockDifference(3600, 3600, kDaySeconds), 0);
    EXPECT_EQ(ClockDifference(0, 8 * 3600 + 60, 8 * 3600), 60) << "8:01 on a clock of 8 hours";
    EXPECT_EQ(ClockDifference(6 * kDaySeconds + 23 * 3600, 3600, kWeekSeconds), 2 * 3600);
    EXPECT_EQ(DurationText(0), "0:00");
    EXPECT_EQ(DurationText(7 * 3600 + 59 * 60), "7:59");
    EXPECT_EQ(DurationText(3600 + 5 * 60 + 17), "1:05:17");
    EXPECT_EQ(DurationText(170 * 3600), "170:00");
}
