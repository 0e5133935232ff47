#include "traffic/numbers.h"

#include <cfloat>
#include <gtest/gtest.h>

using namespace corvane;

TEST(Numbers, tolerantReading) {
    EXPECT_EQ(NumericValue("- 12"), -12);
    EXPECT_EQ(NumericValue("+ 1"), 1);
    EXPECT_EQ(NumericValue("GMT"), 0);
    EXPECT_EQ(NumericValue(" 27.6'"), 27.6);
    EXPECT_EQ(NumericValue("0250"), 250);
    EXPECT_EQ(NumericValue(""), 0);
    EXPECT_EQ(NumericValue("24Hr"), 24);
    EXPECT_EQ(NumericValue("50%"), 50);
    EXPECT_EQ(NumericValue("08:30"), 8);
    EXPECT_EQ(NumericValue("1 2 3"), 123); // blanks inside the number are skipped too
    EXPECT_EQ(NumericValue(".5"), 0.5);
    EXPECT_EQ(NumericValue("-.5x"), -0.5);
    EXPECT_EQ(NumericValue("5."), 5);
    EXPECT_EQ(NumericValue("1.2.3"), 1.2);
    EXPECT_EQ(NumericValue("+-3"), 0);
    EXPECT_EQ(NumericValue("-"), 0);
    EXPECT_EQ(NumericValue("."), 0);
    EXPECT_EQ(NumericValue("\t\n 7"), 7);
}

TEST(Numbers, exponentsOnlyWithDigits) {
    EXPECT_EQ(NumericValue("1e3"), 1000);
    EXPECT_EQ(NumericValue("2E-1"), 0.2);
    EXPECT_EQ(NumericValue("1D2"), 100);
    EXPECT_EQ(NumericValue("3e"), 3);
    EXPECT_EQ(NumericValue("3e+"), 3);
    EXPECT_EQ(NumericValue("3 hours"), 3);
    EXPECT_EQ(NumericValue("1e999"), DBL_MAX);
    EXPECT_EQ(NumericValue("-1e999"), -DBL_MAX);
    EXPECT_EQ(NumericValue("1e-999"), 0);
    EXPECT_EQ(NumericValue(std::string(5000, '9')), DBL_MAX);
}

TEST(Numbers, roundingHalvesToEven) {
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(2.6), 3);
    EXPECT_EQ(RoundHalfEven(1e300), INT64_MAX);
    EXPECT_EQ(RoundToInt16(99999), 32767);
    EXPECT_EQ(RoundToInt16(-99999), -32768);
    EXPECT_EQ(RoundToInt(-1e20), INT32_MIN);
    EXPECT_EQ(Truncate(124.9), 124);
    EXPECT_EQ(Truncate(-124.9), -124);
}

TEST(Numbers, shortestText) {
    EXPECT_EQ(NumberText(50.5), "50.5");
    EXPECT_EQ(NumberText(24), "24");
    EXPECT_EQ(NumberText(NumericValue("0250")), "250");
    EXPECT_EQ(NumberText(-3), "-3");
    EXPECT_EQ(NumberText(-0.0), "0");
    EXPECT_EQ(NumberText(0.001), "0.001");
    EXPECT_EQ(NumberText(1e20), "100000000000000000000");
    for (const char* text : {"12.75", "0.1", "123456.789", "-0.5"})
        EXPECT_EQ(NumberText(NumericValue(text)), text);
    EXPECT_EQ(TwoDigits(7), "07");
    EXPECT_EQ(TwoDigits(12), "12");
    EXPECT_EQ(TwoDigits(0), "00");
}

TEST(Numbers, canonicalNumbersIdentifyAircraft) {
    EXPECT_EQ(CanonicalNumberText("007"), "7");
    EXPECT_EQ(CanonicalNumberText("7"), "7");
    EXPECT_EQ(CanonicalNumberText("0"), "0");
    EXPECT_EQ(CanonicalNumberText("000"), "0");
    EXPECT_EQ(CanonicalNumberText("x"), "0");
    EXPECT_EQ(CanonicalNumberText("-05"), "-5");
    EXPECT_EQ(CanonicalNumberText("-0"), "0");
    EXPECT_EQ(CanonicalNumberText("12abc"), "12");
    EXPECT_EQ(CanonicalNumberText("1.50"), "1.5");
    EXPECT_EQ(CanonicalNumberText("2e1"), "20");
    EXPECT_EQ(CanonicalNumberText("123456789012345678901234567890"), "123456789012345678901234567890");
}
