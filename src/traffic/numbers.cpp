#include "traffic/numbers.h"

#include "traffic/text.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <limits>

namespace corvane {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

template <typename Int> Int Clamped(double value) {
    if (std::isnan(value)) return 0;
    constexpr double lowest = static_cast<double>(std::numeric_limits<Int>::min());
    // The largest value of Int is not representable as a double for 64 bits; compare against 2^(bits-1).
    constexpr double limit = -lowest;
    if (value <= lowest) return std::numeric_limits<Int>::min();
    if (value >= limit) return std::numeric_limits<Int>::max();
    return static_cast<Int>(value);
}

} // namespace

double NumericValue(std::string_view text) {
    // Collect the characters of the leading number without the blanks between them.
    std::string number;
    std::size_t i = 0;
    auto skipBlanks = [&] {
        while (i < text.size() && IsBlank(text[i])) ++i;
    };
    auto takeDigits = [&] {
        std::size_t count = 0;
        for (skipBlanks(); i < text.size() && IsDigit(text[i]); skipBlanks()) {
            number += text[i++];
            ++count;
        }
        return count;
    };

    skipBlanks();
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    std::size_t digits = takeDigits();
    if (i < text.size() && text[i] == '.') {
        ++i;
        number += '.';
        digits += takeDigits();
    }
    if (digits == 0) return 0.0;

    // Exponent: only when at least one digit follows the letter and its optional sign.
    const std::size_t mantissaEnd = number.size();
    skipBlanks();
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        const std::size_t saved = i;
        ++i;
        skipBlanks();
        std::string exponent = "e";
        if (i < text.size() && (text[i] == '-' || text[i] == '+')) exponent += text[i++];
        number += exponent;
        if (takeDigits() == 0) {
            number.resize(mantissaEnd);
            i = saved;
        }
    }

    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Either far too large or far too small: decide by the exponent's sign.
        const auto e = number.find('e');
        const bool tiny = e != std::string::npos && e + 1 < number.size() && number[e + 1] == '-';
        value = tiny ? 0.0 : DBL_MAX;
    } else if (result.ec != std::errc()) {
        value = 0.0;
    }
    if (!std::isfinite(value)) value = DBL_MAX;
    return negative ? -value : value;
}

std::optional<int> ParseWholeNumber(std::string_view text, int least, int most) {
    text = TrimView(text);
    if (text.empty() || text.size() > 9) return std::nullopt;
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < least || value > most)
        return std::nullopt;
    return value;
}

std::int64_t RoundHalfEven(double value) {
    // nearbyint rounds in the current mode, which is round-to-nearest-even unless someone changed it.
    return Clamped<std::int64_t>(std::nearbyint(value));
}

int RoundToInt(double value) {
    return Clamped<int>(std::nearbyint(value));
}

std::int16_t RoundToInt16(double value) {
    return Clamped<std::int16_t>(std::nearbyint(value));
}

std::int64_t Truncate(double value) {
    return Clamped<std::int64_t>(std::trunc(value));
}

std::string NumberText(double value) {
    if (!std::isfinite(value)) value = std::isnan(value) ? 0.0 : (value > 0 ? DBL_MAX : -DBL_MAX);
    if (value == 0.0) return "0"; // also for -0
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return std::string(buffer, result.ptr);
}

std::string CanonicalNumberText(std::string_view text) {
    // Collect sign and digits the way NumericValue does; fall back to it for anything but an integer.
    std::string digits;
    bool negative = false;
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    for (; i < text.size(); ++i) {
        if (IsBlank(text[i])) continue;
        if (!IsDigit(text[i])) break;
        digits += text[i];
    }
    const bool moreNumber = i < text.size() && (text[i] == '.' || text[i] == 'e' || text[i] == 'E' ||
                                                text[i] == 'd' || text[i] == 'D');
    if (digits.empty() || moreNumber) return NumberText(NumericValue(text));
    digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size() - 1));
    return (negative && digits != "0") ? "-" + digits : digits;
}

std::string TwoDigits(std::int64_t value) {
    std::string text = std::to_string(value);
    if (text.size() < 2) text.insert(0, 1, '0');
    return text;
}

} // namespace corvane
