// The portable functions promise the double nearest to the true value, which is what makes every build
// give the same bits. They are held to that against quad precision (GCC's libquadmath, some 113 bits,
// the same software on every system): on arguments whose results lie a hair from the midpoint between
// two doubles, and on many random ones.

#include "schedule/portablemath.h"

#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <optional>
#include <random>

using namespace corvane;

__extension__ typedef __float128 Quad;

// libquadmath's functions (declared here: not every compiler finds its header).
extern "C" {
Quad sinq(Quad);
Quad cosq(Quad);
Quad atanq(Quad);
}

namespace {

std::string Hex(double x) {
    char text[40];
    std::snprintf(text, sizeof text, "%a", x);
    return text;
}

Quad Abs(Quad v) {
    return v < 0 ? -v : v;
}

// How far v lies from the midpoint between the two doubles around it, in units in the last place.
double MidpointDistance(Quad v) {
    const double nearest = static_cast<double>(v);
    const double other = std::nextafter(nearest, v > nearest ? INFINITY : -INFINITY);
    const Quad midpoint = (Quad(nearest) + Quad(other)) / 2;
    return static_cast<double>(Abs(v - midpoint) / Abs(Quad(other) - Quad(nearest)));
}

// The double nearest to v; nullopt when v lies so near a midpoint that the reference's own error could
// decide which.
std::optional<double> Nearest(Quad v) {
    if (MidpointDistance(v) < 0x1p-45) return std::nullopt;
    return static_cast<double>(v);
}

struct Function {
    const char* name;
    double (*portable)(double);
    long double (*quick)(long double);
    Quad (*reference)(Quad);
};
const Function kSin{"sin", PortableSin, sinl, sinq};
const Function kCos{"cos", PortableCos, cosl, cosq};
const Function kAtan{"atan", PortableAtan, atanl, atanq};

::testing::AssertionResult CorrectlyRounded(const Function& f, double x) {
    const double result = f.portable(x);
    // The long double value, good to a few of its own units (2^-11 of a double's), settles it at once
    // when it lies well inside half a unit of the result (the smaller unit, below a power of two);
    // otherwise quad precision decides.
    const long double unit = std::fabs(result) - std::nextafter(std::fabs(result), 0.0);
    if (std::fabs(f.quick(x) - result) < unit * (0.5L - 0x1p-7L)) return ::testing::AssertionSuccess();
    const auto expected = Nearest(f.reference(x));
    if (!expected || result == *expected) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << f.name << "(" << Hex(x) << ") gives " << Hex(result)
                                         << ", the nearest double is " << Hex(*expected);
}

} // namespace

TEST(PortableMath, resultsHardToRound) {
    // Sines, cosines and arctangents within 2^-21 units in the last place of a midpoint: an error of
    // some 2^-75 in the sum rounds them wrongly. Most angles lie near pi/4, the largest remainder the
    // reduction leaves, where the series converge the slowest.
    const std::pair<Function, std::vector<double>> hard[] = {
        {kSin,
         {0x1.a2c1d73bc7676p-1, 0x1.8f8d50514c08dp-1, 0x1.ad467e94c7cap-1, 0x1.76adeb4cadd89p-1,
          0x1.990988c8e0bddp-1, 0x1.a0c1b44b6a5f6p-1, 0x1.77fd260cb0f61p-1, 0x1.94e4cbd9b8e0dp-1,
          0x1.a6643bd1fc0b6p-1, 0x1.ed53f6a727a97p-1, 0x1.aeb7e2370f41p-1, 0x1.ae4cfc70bc54ep-1,
          0x1.746b2773637c1p-1, 0x1.71b99836502dbp-1, 0x1.749f7e3938c57p-1, 0x1.99858c8d95094p-1}},
        {kCos,
         {0x1.7dbaaf22558a8p-1, 0x1.7ecf1fc0ee04p-1, 0x1.737a6f0842247p-1, 0x1.70adb47dc80cdp-1,
          0x1.a2b9a2fd8ff42p-1, 0x1.9586151e99046p-1, 0x1.7aeaeb0af3c63p-1, 0x1.9c472a5c4ee89p-1,
          0x1.76c158c6fd0fcp-1, 0x1.add103f5457d3p-1, 0x1.68a44fe5525c3p+4, 0x1.dae2a2c5a1a26p-1,
          0x1.8bbd8d4956c2dp-1, 0x1.925eca0d7faep-1, 0x1.ec0484f07da62p-1, 0x1.9bf47ae2320a2p-1}},
        {kAtan,
         {0x1.a61c1856ab5ap-1, 0x1.95629892876fdp-1, 0x1.ab865e130f9a7p-1, 0x1.72730df54223dp-1,
          0x1.adfc6d7069009p-1, 0x1.aecb698ca1589p-1, 0x1.8d96eef462abdp-1, 0x1.83fd52d3d15f4p+0}},
    };
    for (const auto& [f, arguments] : hard)
        for (const double x : arguments) {
            EXPECT_LT(MidpointDistance(f.reference(x)), 0x1p-21)
                << f.name << "(" << Hex(x) << ") is no hard case";
            EXPECT_TRUE(CorrectlyRounded(f, x));
        }

    // pi, pi/2 and 2 pi as doubles, a few plain arguments, and where a C library on Linux rounds the other
    // way.
    for (const double x : {0x1.921fb54442d18p+1, 0x1.921fb54442d18p+0, 0x1.921fb54442d18p+2, 0.5, 1.0, -2.5,
                           100.0, 0x1.81cd6c8b43958p+13, 0x1.2aa3e290ca18p-2, -0x1.26b754d42049p+1}) {
        EXPECT_TRUE(CorrectlyRounded(kSin, x));
        EXPECT_TRUE(CorrectlyRounded(kCos, x));
    }
    for (const double x : {0.25, 1.0, -3.0, 1e10, 1e-5, 0.7, -0x1.896fd73264bb8p-3})
        EXPECT_TRUE(CorrectlyRounded(kAtan, x));
}

TEST(PortableMath, correctlyRoundedOnManyRandomArguments) {
    std::mt19937_64 random(22); // the same numbers on every system
    const auto uniform = [&](double low, double high) {
        return low + (high - low) * (static_cast<double>(random() >> 11) * 0x1p-53);
    };
    const auto sign = [&] { return random() % 2 ? 1.0 : -1.0; };
    // sign 2^e (1 + fraction) for e from least to most.
    const auto magnitude = [&](int least, int most) {
        const double s = sign();
        const int e = least + static_cast<int>(random() % static_cast<unsigned>(most - least + 1));
        return s * std::ldexp(uniform(1, 2), e);
    };
    const double pi = 0x1.921fb54442d18p+1;
    int checked = 0, wrong = 0;
    const auto check = [&](const Function& f, double x) {
        ++checked;
        if (const auto result = CorrectlyRounded(f, x); !result && ++wrong <= 5)
            ADD_FAILURE() << result.message();
    };
    for (int i = 0; i < 60000; ++i) {
        // Latitudes and differences of longitudes; remainders near pi/4 in every quadrant; and magnitudes
        // from 2^-30 to 2^10.
        const double angle = uniform(-2 * pi, 2 * pi);
        const double quadrant = std::nearbyint(uniform(-8, 8));
        const double side = sign();
        const double nearQuarter = quadrant * pi / 2 + side * uniform(0.6, pi / 4);
        const double anyAngle = magnitude(-30, 10);
        for (const double x : {angle, nearQuarter, anyAngle}) {
            check(kSin, x);
            check(kCos, x);
        }
        check(kAtan, uniform(-4, 4));
        check(kAtan, magnitude(-30, 30));
    }
    EXPECT_EQ(wrong, 0) << "of " << checked;
}

TEST(PortableMath, symmetriesAndSpecialValues) {
    for (int i = -2000; i <= 2000; ++i) {
        const double x = i * 0.00431;
        EXPECT_EQ(PortableSin(-x), -PortableSin(x)) << x;
        EXPECT_EQ(PortableCos(-x), PortableCos(x)) << x;
        EXPECT_EQ(PortableAtan(-x * 37), -PortableAtan(x * 37)) << x;
    }
    EXPECT_EQ(PortableSin(0.0), 0.0);
    EXPECT_TRUE(std::signbit(PortableSin(-0.0)));
    EXPECT_EQ(PortableCos(0.0), 1.0);
    EXPECT_EQ(PortableSin(1e-300), 1e-300);
    EXPECT_EQ(PortableAtan(1e-300), 1e-300);
    EXPECT_EQ(PortableAtan(INFINITY), 0x1.921fb54442d18p+0);
    EXPECT_EQ(PortableAtan(-INFINITY), -0x1.921fb54442d18p+0);
    EXPECT_TRUE(std::isnan(PortableSin(INFINITY)));
    EXPECT_TRUE(std::isnan(PortableCos(NAN)));
    EXPECT_TRUE(std::isnan(PortableAtan(NAN)));
    EXPECT_LE(std::fabs(PortableSin(1e22)), 1.0) << "a huge angle still gives a sine";
}
