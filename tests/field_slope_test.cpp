#include <gtest/gtest.h>

#include <cmath>

#include "field/field_slope.h"
#include "start_values.h"

TEST(FieldSlope, MatchesTheFiveHundredSampleSumAtKnownPointsToThreeDigits)
{
    const CalcParams p = StartValues(kFieldLinesGraph);
    const struct {
        double z, r, slope;
    } cases[] = {
        {0.25, 0.1, 0.0295}, {0.5, 0.1, 0.281}, {0.6, 0.1, 0.367}, {1.0, 0.5, 1.16},
        {0.3, 0.3, -0.868},  // outside the winding the axial field is reversed
        {0.002, 0.175, 0.000203},
    };
    for (const auto& c : cases) {
        const double digit = std::pow(10.0, std::floor(std::log10(std::fabs(c.slope))) - 2);
        EXPECT_NEAR(FieldSlope(p, c.z, c.r), c.slope, 0.5 * digit) << "z=" << c.z << " r=" << c.r;
    }
    // Mirrored about the mid-plane the slope changes its sign; on the axis the
    // field has no radial part; beyond the coil's end the lines spread out.
    EXPECT_FLOAT_EQ(FieldSlope(p, -0.6, 0.1), -FieldSlope(p, 0.6, 0.1));
    EXPECT_NEAR(FieldSlope(p, 0.3, 0.0), 0.0f, 1e-6);
    EXPECT_LT(FieldSlope(p, 0.45, 0.05), FieldSlope(p, 0.45, 0.15));
}

TEST(FieldSlope, IsExactlyZeroOnTheMidPlane)
{
    for (double R : {0.1, 0.2, 5.0})
        for (double r : {0.0, 0.01, 0.19, 0.21, 0.35, 3.0, 9.5}) {
            if (r == R)
                continue;
            EXPECT_EQ(FieldSlope(RunValues(kFieldLinesGraph, R, 1, 2, 7), 0, r), 0.0f) << "R=" << R << " r=" << r;
        }
}

TEST(FieldSlope, IsFiniteOnTheCylinderOfTheWinding)
{
    CalcParams p = StartValues(kFieldLinesGraph);
    // The field of the ideal solenoid gives 1.6266 just beyond the coil's end.
    EXPECT_NEAR(FieldSlope(p, 0.53, 0.2), 1.6267, 1e-4);
    // Within the coil's length the sample at phi = 0 takes the limit along the
    // cylinder, ((z + L/2)/d1 - (z - L/2)/d2) / 2R; with R instead of 2R it would be 0.1490.
    EXPECT_NEAR(FieldSlope(p, 0.3, 0.2), 0.14936, 1e-5);
    for (double z : {0.0, 0.1, 0.3, 0.49, 0.51, 0.8, 2.0})
        EXPECT_TRUE(std::isfinite(FieldSlope(p, z, 0.2))) << "z=" << z;
    p.radius = 3.3;
    EXPECT_TRUE(std::isfinite(FieldSlope(p, 0.25, 3.3)));
}
