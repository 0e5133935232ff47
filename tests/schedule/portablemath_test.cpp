#include "schedule/portablemath.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace corvane;

TEST(PortableMath, correctlyRoundedValues) {
    // x, sin x, cos x: the doubles nearest to the true values (computed to 300 bits).
    struct Case {
        double x, sine, cosine;
    };
    const Case cases[] = {
        {0x1.0p-1, 0x1.eaee8744b05f0p-2, 0x1.c1528065b7d50p-1},
        {0x1.0p+0, 0x1.aed548f090ceep-1, 0x1.14a280fb5068cp-1},
        {-0x1.4p+1, -0x1.326af0dcfcab1p-1, -0x1.9a2f7ef858b7dp-1},
        {0x1.921fb54442d18p+1, 0x1.1a62633145c07p-53, -0x1.0p+0}, // pi as a double
        {0x1.921fb54442d18p+0, 0x1.0p+0, 0x1.1a62633145c07p-54},  // pi/2
        {0x1.921fb54442d18p+2, -0x1.1a62633145c07p-52, 0x1.0p+0}, // 2 pi
        {0x1.a3fefbe6956ecp-1, 0x1.7673fe0c86982p-1, 0x1.5d2ee398c9c2bp-1},
        {-0x1.38c35418a5bf6p+0, -0x1.e11f642522d1bp-1, 0x1.5e3a8748a0bf7p-2},
        {0x1.9p+6, -0x1.03425b78c4db8p-1, 0x1.b981dbf665fdfp-1},
        {0x1.81cd6c8b43958p+13, -0x1.687d5890974a5p-1, 0x1.6b94c3bbe24b8p-1},
        // Where a C library on Linux rounds the other way.
        {0x1.2aa3e290ca18p-2, 0x1.266cb942d06d1p-2, std::nan("")},
        {-0x1.26b754d42049p+1, -0x1.7cf515cdf58b5p-1, std::nan("")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PortableSin(c.x), c.sine) << std::hexfloat << c.x;
        if (!std::isnan(c.cosine)) {
            EXPECT_EQ(PortableCos(c.x), c.cosine) << std::hexfloat << c.x;
        }
    }
    EXPECT_EQ(PortableAtan(0x1.0p-2), 0x1.f5b75f92c80ddp-3);
    EXPECT_EQ(PortableAtan(1.0), 0x1.921fb54442d18p-1);
    EXPECT_EQ(PortableAtan(-3.0), -0x1.3fc176b7a8560p+0);
    EXPECT_EQ(PortableAtan(1e10), 0x1.921fb543d4de0p+0);
    EXPECT_EQ(PortableAtan(1e-5), 0x1.4f8b588e06854p-17);
    EXPECT_EQ(PortableAtan(0.7), 0x1.38b112d7bd4adp-1);
    EXPECT_EQ(PortableAtan(-0x1.896fd73264bb8p-3), -0x1.84b389a01839cp-3);
}

TEST(PortableMath, symmetriesAndSpecialValues) {
    for (int i = -2000; i <= 2000; ++i) {
        const double x = i * 0.00431;
        EXPECT_EQ(PortableSin(-x), -PortableSin(x)) << x;
        EXPECT_EQ(PortableCos(-x), PortableCos(x)) << x;
        EXPECT_EQ(PortableAtan(-x * 37), -PortableAtan(x * 37)) << x;
        // Within one unit in the last place of the C library's value, whichever way it rounds.
        EXPECT_NEAR(PortableSin(x), std::sin(x), 1e-15) << x;
        EXPECT_NEAR(PortableCos(x), std::cos(x), 1e-15) << x;
        EXPECT_NEAR(PortableAtan(x * 37), std::atan(x * 37), 2e-15) << x;
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
