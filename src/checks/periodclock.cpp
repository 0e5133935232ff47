#include "checks/periodclock.h"

#include "schedule/weektime.h"
#include "traffic/numbers.h"
#include "traffic/text.h"

namespace corvane {

namespace {

// One or two decimal digits below limit, taken from the front of text.
std::optional<int> TakeNumber(std::string_view& text, int limit) {
    std::size_t n = 0;
    int value = 0;
    while (n < text.size() && n < 2 && text[n] >= '0' && text[n] <= '9')
        value = value * 10 + (text[n++] - '0');
    if (n == 0 || value >= limit) return std::nullopt;
    text.remove_prefix(n);
    return value;
}

bool TakeChar(std::string_view& text, char c) {
    if (text.empty() || text.front() != c) return false;
    text.remove_prefix(1);
    return true;
}

} // namespace

std::optional<int> RepeatPeriodSeconds(std::string_view repeat) {
    if (repeat == "WEEK") return kWeekSeconds;
    constexpr std::string_view kSuffix = "Hr";
    if (repeat.size() <= kSuffix.size() ||
        !EqualsIgnoringCase(repeat.substr(repeat.size() - kSuffix.size()), kSuffix))
        return std::nullopt;
    repeat.remove_suffix(kSuffix.size());
    // "WEEK" is among the periods, but "WEEKHr" is no number of hours (and would be a period of 0).
    for (std::string_view hours : kRepeatPeriods)
        if (hours == repeat && hours != "WEEK") return static_cast<int>(NumericValue(hours)) * 3600;
    return std::nullopt;
}

std::optional<int> StoredTimeSeconds(std::string_view time, bool weekly) {
    int day = 0;
    if (weekly) {
        const auto d = TakeNumber(time, 7);
        if (!d || !TakeChar(time, '/')) return std::nullopt;
        day = *d;
    }
    const auto h = TakeNumber(time, 24);
    if (!h || !TakeChar(time, ':')) return std::nullopt;
    const auto m = TakeNumber(time, 60);
    if (!m || !TakeChar(time, ':')) return std::nullopt;
    const auto s = TakeNumber(time, 60);
    if (!s || !time.empty()) return std::nullopt;
    return day * kDaySeconds + *h * 3600 + *m * 60 + *s;
}

std::string DurationText(long long seconds) {
    std::string text = std::to_string(seconds / 3600) + ":" + TwoDigits(seconds / 60 % 60);
    if (seconds % 60 != 0) text += ":" + TwoDigits(seconds % 60);
    return text;
}

} // namespace corvane
