#include <gtest/gtest.h>

#include "params/calc_params.h"

TEST(SetDefaults, FillsTheStartValuesAndLeavesTheGraphKindToTheList)
{
    CalcParams p;
    SetDefaults(p);
    EXPECT_EQ(p.radius, 0.2);
    EXPECT_EQ(p.length, 1.0);
    EXPECT_EQ(p.halfRange, 2.0);
    EXPECT_EQ(p.lineCount, 7.0);
    EXPECT_EQ(p.pointCount, 100);
    EXPECT_EQ(p.yMin, 0.0f);
    EXPECT_EQ(p.yMax, 1.0f);
    EXPECT_EQ(p.scrollScale, 10.0f);
    EXPECT_EQ(p.graphMode, 0);
}

TEST(SetDefaults, UsesTheProgramsOwnPiNotTheFullConstant)
{
    CalcParams p;
    SetDefaults(p);
    EXPECT_EQ(p.piValue, 3.1415926);
    EXPECT_EQ(p.twoPi, 6.2831852);
    EXPECT_EQ(p.angleStep, 6.2831852 / 500);
    EXPECT_NEAR(p.angleStep, 0.0125663704, 1e-15);
    EXPECT_NE(p.twoPi, 6.283185307179586);
}
