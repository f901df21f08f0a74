#include <gtest/gtest.h>

#include <cmath>

#include "field/field_slope.h"
#include "params/calc_params.h"

namespace {

CalcParams defaults()
{
    CalcParams p;
    SetDefaults(p);
    return p;
}

// Agreement to three significant digits.
void expectThreeDigits(float actual, double expected)
{
    EXPECT_NEAR(actual, expected, 0.5 * std::pow(10.0, std::floor(std::log10(std::fabs(expected))) - 2))
        << "expected " << expected;
}

}  // namespace

TEST(FieldSlope, MatchesTheFiveHundredSampleSumAtKnownPoints)
{
    const CalcParams p = defaults();
    expectThreeDigits(FieldSlope(p, 0.25, 0.1), 0.0295);
    expectThreeDigits(FieldSlope(p, 0.5, 0.1), 0.281);
    expectThreeDigits(FieldSlope(p, 0.6, 0.1), 0.367);
    expectThreeDigits(FieldSlope(p, 1.0, 0.5), 1.16);
    expectThreeDigits(FieldSlope(p, 0.3, 0.3), -0.868);  // outside the winding the axial field is reversed
    expectThreeDigits(FieldSlope(p, 0.002, 0.175), 0.000203);
}

TEST(FieldSlope, IsExactlyZeroOnTheMidPlane)
{
    CalcParams p = defaults();
    for (double R : {0.1, 0.2, 5.0}) {
        p.radius = R;
        for (double r : {0.0, 0.01, 0.19, 0.21, 0.35, 3.0, 9.5}) {
            if (r != R) {
                EXPECT_EQ(FieldSlope(p, 0, r), 0.0f) << "R=" << R << " r=" << r;
            }
        }
    }
}

TEST(FieldSlope, IsFiniteOnTheCylinderOfTheWinding)
{
    CalcParams p = defaults();
    // The field of the ideal solenoid gives 1.6266 just beyond the coil's end.
    EXPECT_NEAR(FieldSlope(p, 0.53, 0.2), 1.6267, 1e-4);
    for (double z : {0.0, 0.1, 0.3, 0.49, 0.51, 0.8, 2.0})
        EXPECT_TRUE(std::isfinite(FieldSlope(p, z, 0.2))) << "z=" << z;
    p.radius = 3.3;
    EXPECT_TRUE(std::isfinite(FieldSlope(p, 0.25, 3.3)));
}

TEST(FieldSlope, FollowsTheSymmetriesOfTheCoil)
{
    const CalcParams p = defaults();
    // Mirror about the mid-plane: the slope changes its sign.
    EXPECT_FLOAT_EQ(FieldSlope(p, -0.6, 0.1), -FieldSlope(p, 0.6, 0.1));
    // On the axis the field has no radial part.
    EXPECT_NEAR(FieldSlope(p, 0.3, 0.0), 0.0f, 1e-6);
    // Lines spread out beyond the coil's end: the slope grows with r inside it.
    EXPECT_LT(FieldSlope(p, 0.45, 0.05), FieldSlope(p, 0.45, 0.15));
}
