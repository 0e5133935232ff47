#include "schedule/weektime.h"

#include "traffic/fields.h"
#include "traffic/numbers.h"

#include <cstdlib>

namespace corvane {

std::string ZoneText(int zoneIndex, bool blankAfterSign) {
    const int offset = ZoneOffset(zoneIndex);
    if (offset == 0) return "GMT";
    return std::string(offset < 0 ? "-" : "+") + (blankAfterSign ? " " : "") +
           std::to_string(std::abs(offset));
}

int WrapDay(long long day) {
    return static_cast<int>(((day % 7) + 7) % 7);
}

long long NormalizeHour(long long& hour) {
    long long days = hour / 24;
    hour %= 24;
    if (hour < 0) {
        hour += 24;
        --days;
    }
    return days;
}

std::string ShiftTime(std::string_view time, int hours) {
    std::string_view rest = time;
    const bool hasDay = time.find('/') != std::string_view::npos;
    long long day = hasDay ? RoundHalfEven(NumericValue(TakeField(rest, '/'))) : 0;
    long long hour = RoundHalfEven(NumericValue(TakeField(rest, ':'))) + hours;
    day += NormalizeHour(hour);
    std::string result = hasDay ? std::to_string(WrapDay(day)) + "/" : std::string();
    return result + TwoDigits(hour) + ":" + std::string(rest);
}

} // namespace corvane
