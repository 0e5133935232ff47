#pragma once
// Times of day (hh:mm:ss, in weekly flights d/hh:mm:ss), week days and the 25 whole-hour time zones.
// Days 0..6 are Sunday..Saturday; a day moved across midnight wraps: -1 is 6 and 7 is 0.

#include <array>
#include <string>
#include <string_view>

namespace corvane {

inline constexpr std::array<std::string_view, 7> kDayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

// The repeat periods a flight can have, in the order of the repeat list: hours, or WEEK.
inline constexpr std::array<std::string_view, 8> kRepeatPeriods{"1", "2", "4", "6", "8", "12", "24", "WEEK"};

// Zones are list indexes 0..24: index - 12 is the offset from GMT in hours, index 12 is GMT.
inline constexpr int kZoneCount = 25;
inline constexpr int kGmtZone = 12;
inline int ZoneOffset(int zoneIndex) {
    return zoneIndex - kGmtZone;
}
// The zone's item text: "-12".."GMT".."+12" for departures; arrivals put a blank after the sign
// ("- 12", "+ 1").
std::string ZoneText(int zoneIndex, bool blankAfterSign);

// day moved into 0..6.
int WrapDay(long long day);

// hours and days of a time moved by whole hours so that the hour is a valid time of day: returns the
// number of whole days the hour moved (negative backwards).
long long NormalizeHour(long long& hour);

// The arrival of a leg that departs at hour:minute:second on day and flies seconds: its time of day
// hh:mm:ss and its day, carried over midnight as often as needed (backwards too) and wrapped into the
// week, so that even a flight of days arrives at a valid time of day.
struct ArrivalTime {
    std::string time;
    int day = 0;
};
ArrivalTime ArrivalAfter(long long hour, long long minute, long long second, long long day,
                         long long seconds);

// A stored time shifted by whole hours; minutes and seconds stay as they are. A time with a day
// ("6/23:30:00") moves its day across midnight (+1 gives "0/00:30:00"); one without stays dayless.
std::string ShiftTime(std::string_view time, int hours);

} // namespace corvane
