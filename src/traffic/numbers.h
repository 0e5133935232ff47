#pragma once
// The one way numbers are read from and written to text anywhere in Corvane.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

// The tolerant reading: blanks, tabs and line feeds are skipped wherever they stand, then the longest
// leading number (sign, digits, one decimal point, an exponent) is taken; text without one reads 0.
// "- 12" is -12, "+ 1" is 1, "GMT" is 0, " 27.6'" is 27.6, "0250" is 250. Never NaN or infinite:
// a number too large for a double reads as the largest double of its sign.
double NumericValue(std::string_view text);

// Whole number nearest to value, halves to even (2.5 is 2, 3.5 is 4); NaN is 0 and values beyond the
// range of the result are clamped to it.
std::int64_t RoundHalfEven(double value);
int RoundToInt(double value);
std::int16_t RoundToInt16(double value);

// Fractions dropped towards zero, clamped like RoundHalfEven.
std::int64_t Truncate(double value);

// The shortest decimal text that reads back as the same number, never in exponent form:
// 50.5, 24, 250, -3, 0.001.
std::string NumberText(double value);

// The leading number of text, written so that equal numbers give equal texts: a whole number of any
// length exactly, without leading zeros ("007" is "7", "-05" is "-5"); any other number as
// NumberText(NumericValue(text)). Used where numbers identify things (aircraft numbers).
std::string CanonicalNumberText(std::string_view text);

// A setting as typed: a whole number from least to most written in plain digits, blanks around it
// allowed; nullopt for anything else ("", "12.5", "1e3", "+3").
std::optional<int> ParseWholeNumber(std::string_view text, int least, int most);

// A whole number written with at least two digits: 7 is "07", 12 is "12", -3 is "-3".
std::string TwoDigits(std::int64_t value);

} // namespace corvane
