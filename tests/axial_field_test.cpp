#include <gtest/gtest.h>

#include <cstring>

#include "field/axial_field.h"
#include "params/calc_params.h"

namespace {

CalcParams defaults()
{
    CalcParams p;
    SetDefaults(p);
    return p;
}

}  // namespace

TEST(AxialField, MatchesTheClosedFormAtKnownPoints)
{
    const CalcParams p = defaults();
    EXPECT_EQ(AxialField(p, 0), 1.8569534f);
    EXPECT_EQ(AxialField(p, 0.25), 1.7471037f);
    EXPECT_EQ(AxialField(p, 0.5), 0.98058069f);
    EXPECT_EQ(AxialField(p, -0.5), 0.98058069f);
    EXPECT_EQ(AxialField(p, 1), 0.062751211f);
    EXPECT_EQ(AxialField(p, 2), 0.0055873781f);
    EXPECT_EQ(AxialField(p, -2), 0.0055873781f);
}

TEST(AxialField, IsEvenBitForBitAndPositiveEverywhere)
{
    CalcParams p = defaults();
    for (double R : {0.0, 0.1, 0.2, 3.7, 10.0}) {
        for (double L : {0.1, 1.0, 9.9}) {
            p.radius = R;
            p.length = L;
            for (int k = 0; k <= 2000; ++k) {
                const double z = k * 0.0049;
                const float plus = AxialField(p, z);
                const float minus = AxialField(p, -z);
                EXPECT_EQ(std::memcmp(&plus, &minus, sizeof plus), 0) << "R=" << R << " L=" << L << " z=" << z;
                EXPECT_GE(plus, 0.0f);
            }
        }
    }
}

TEST(AxialField, ZeroRadiusGivesTwoInsideZeroOutsideAndTheMeanOnAnEnd)
{
    CalcParams p = defaults();
    p.radius = 0;
    EXPECT_EQ(AxialField(p, 0), 2.0f);
    EXPECT_EQ(AxialField(p, 0.3), 2.0f);
    EXPECT_EQ(AxialField(p, 0.7), 0.0f);
    EXPECT_EQ(AxialField(p, 0.5), 1.0f);
    EXPECT_EQ(AxialField(p, -0.5), 1.0f);
}

TEST(AxialField, ZeroLengthGivesNoField)
{
    CalcParams p = defaults();
    p.length = 0;
    EXPECT_EQ(AxialField(p, 0), 0.0f);
    EXPECT_EQ(AxialField(p, 1.3), 0.0f);
    p.radius = 0;
    EXPECT_EQ(AxialField(p, 0), 0.0f);
    EXPECT_EQ(AxialField(p, -1), 0.0f);
}
