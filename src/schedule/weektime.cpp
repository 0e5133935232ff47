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

namespace {

// value moved into 0 .. base - 1; returns by how many bases it moved (negative backwards).
long long Fold(long long& value, long long base) {
    long long moved = value / base;
    value %= base;
    if (value < 0) {
        value += base;
        --moved;
    }
    return moved;
}

} // namespace

long long NormalizeHour(long long& hour) {
    return Fold(hour, 24);
}

ArrivalTime ArrivalAfter(long long hour, long long minute, long long second, long long day,
                         long long seconds) {
    long long s = second + seconds;
    long long m = minute + Fold(s, 60);
    long long h = hour + Fold(m, 60);
    const int arrivalDay = WrapDay(day + NormalizeHour(h));
    return {TwoDigits(h) + ":" + TwoDigits(m) + ":" + TwoDigits(s), arrivalDay};
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
