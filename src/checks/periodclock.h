#pragma once
// The stored times of a flight on the clock of its repeat period. A flight repeated every P hours (1,
// 2, 4, 6, 8, 12 or 24) runs on a clock of P hours, so its times of day count modulo P hours; a weekly
// flight runs on a clock of seven days, its times carrying the day ("d/hh:mm:ss", day 0 is Sunday).

#include <optional>
#include <string>
#include <string_view>

namespace corvane {

inline constexpr int kDaySeconds = 24 * 3600;
inline constexpr int kWeekSeconds = 7 * kDaySeconds;

// The period of a flight line's repeat field in seconds: "NHr" for N of 1, 2, 4, 6, 8, 12 and 24,
// "WEEK" for a week; nullopt for any other text.
std::optional<int> RepeatPeriodSeconds(std::string_view repeat);

// A stored time in seconds: "hh:mm:ss" (hours 0-23, minutes and seconds 0-59, one or two digits each)
// from midnight, or in a weekly flight "d/hh:mm:ss" (d of 0-6) from Sunday midnight. nullopt when the
// text is not such a time; a day in a flight that is not weekly, or none in one that is, included.
std::optional<int> StoredTimeSeconds(std::string_view time, bool weekly);

// How long from from to to on a clock of period seconds: 0 .. period - 1.
inline long long ClockDifference(long long from, long long to, long long period) {
    const long long d = (to - from) % period;
    return d < 0 ? d + period : d;
}

// A duration as "h:mm", or "h:mm:ss" when it has seconds: 0:05, 7:59, 26:30, 1:05:17.
std::string DurationText(long long seconds);

} // namespace corvane
