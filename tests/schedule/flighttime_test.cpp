#include "schedule/flighttime.h"
#include "schedule/portablemath.h"

#include <climits>
#include <cmath>
#include <gtest/gtest.h>

using namespace corvane;

TEST(FlightTime, coordinatesAsSignedDegrees) {
    EXPECT_DOUBLE_EQ(CoordinateDegrees("S33* 30.0'"), -33.5);
    EXPECT_DOUBLE_EQ(CoordinateDegrees("E151* 12.0'"), -151.2);
    EXPECT_DOUBLE_EQ(CoordinateDegrees("N47* 27.6'"), 47.46);
    EXPECT_DOUBLE_EQ(CoordinateDegrees("w122* 18.55'"), 122 + 18.55 / 60);
    EXPECT_DOUBLE_EQ(CoordinateDegrees("s1* 30'"), -1.5) << "the hemisphere letter in any case";
    EXPECT_DOUBLE_EQ(CoordinateDegrees("N47* '"), 47);
    EXPECT_DOUBLE_EQ(CoordinateDegrees("N47"), 47) << "no minutes without a *";
    EXPECT_DOUBLE_EQ(CoordinateDegrees(""), 0);
    EXPECT_DOUBLE_EQ(CoordinateDegrees("X5* 0'"), 5) << "another letter keeps the value positive";
}

TEST(FlightTime, degeneratePositions) {
    // Identical positions: no NaN, just the allowance.
    EXPECT_DOUBLE_EQ(FlightSeconds("N47* 26.94'", "W122* 18.55'", "N47* 26.94'", "W122* 18.55'", 250), 900);
    // Antipodes: half the circumference (10,800 nm) at 360 knots is 30 hours.
    EXPECT_NEAR(FlightSeconds("N45* 0.0'", "W10* 0.0'", "S45* 0.0'", "E170* 0.0'", 360), 108000 + 900, 1e-3);
    // Only the difference of the longitudes counts: Seattle to Oslo either way is the same.
    const double there = FlightSeconds("N47* 26.94'", "W122* 18.55'", "N60* 11.63'", "E11* 6.02'", 480);
    const double back = FlightSeconds("N60* 11.63'", "E11* 6.02'", "N47* 26.94'", "W122* 18.55'", 480);
    EXPECT_NEAR(there, back, 1e-6);
    EXPECT_NEAR(there, 4060.0 / 480 * 3600 + 900, 60 * 60); // roughly 4,060 nm
    EXPECT_GT(FlightSeconds("N47* 26.94'", "W122* 18.55'", "N47* 26.95'", "W122* 18.55'", 250), 900);
}

TEST(FlightTime, theCentralAngleIsTheArctangentForm) {
    // Legs along a meridian where std::acos lands a hair above a whole second (55515, 9670) and the
    // arctangent form a hair below: the proposed times are one second shorter.
    EXPECT_EQ(static_cast<int>(FlightSeconds("N2* 23.2'", "W19* 15.1'", "N32* 43.7'", "W19* 15.1'", 120)),
              55514);
    EXPECT_EQ(static_cast<int>(FlightSeconds("N29* 42.9'", "W40* 26.6'", "N13* 38.2'", "W40* 26.6'", 396)),
              9669);

    // Across the whole range of cosines the angle is the arctangent form to the last bit, and at the
    // ends, where that form divides by zero, exactly 0 and pi.
    const double pi = 4 * PortableAtan(1.0);
    for (int i = -1000; i <= 1000; ++i) {
        const double x = i / 1000.0 * 0.999999;
        EXPECT_EQ(CentralAngle(x), PortableAtan(-x / std::sqrt(1 - x * x)) + 2 * PortableAtan(1.0)) << x;
    }
    EXPECT_EQ(CentralAngle(1), 0);
    EXPECT_EQ(CentralAngle(1 + 1e-15), 0);
    EXPECT_EQ(CentralAngle(-1), pi);
    EXPECT_EQ(CentralAngle(-1 - 1e-15), pi);
}

TEST(FlightTime, proposedLegSeconds) {
    const GeoPosition a = PositionOf("N00* 0.0'", "W000* 0.0'"), b = PositionOf("N01* 0.0'", "W000* 0.0'");
    const auto worked = ProposedLegSeconds("AAAA", &a, "BBBB", &b, 240);
    ASSERT_TRUE(worked);
    EXPECT_TRUE(*worked == 1799 || *worked == 1800) << *worked << ": whole seconds, truncated";
    EXPECT_FALSE(ProposedLegSeconds("AAAA", &a, "aaaa", &b, 240)) << "the same airport, whatever its case";
    EXPECT_FALSE(ProposedLegSeconds("AAAA", nullptr, "BBBB", &b, 240)) << "no position";
    EXPECT_FALSE(ProposedLegSeconds("AAAA", &a, "BBBB", nullptr, 240));
    for (double speed : {0.0, -240.0, std::nan("")})
        EXPECT_FALSE(ProposedLegSeconds("AAAA", &a, "BBBB", &b, speed));
    EXPECT_EQ(ProposedLegSeconds("AAAA", &a, "BBBB", &b, 1e-9), INT_MAX)
        << "a crawl is capped, never overflows";
}
