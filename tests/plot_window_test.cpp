#include <gtest/gtest.h>

#include "params/calc_params.h"
#include "plot/axes.h"
#include "plot/plot_window.h"
#include "recording_surface.h"

using Kind = RecordingSurface::Kind;

namespace {

CalcParams defaults(int16_t graphMode)
{
    CalcParams p;
    SetDefaults(p);
    p.graphMode = graphMode;
    return p;
}

}  // namespace

TEST(SetPlotWindow, AxisGraphFramesTheCurveWithATenPerCentMargin)
{
    CalcParams p = defaults(kAxisGraph);
    RecordingSurface surface(640, 320);
    SetPlotWindow(p, surface);
    EXPECT_EQ(p.zMin, -2.0);
    EXPECT_EQ(p.zMax, 2.0f);
    EXPECT_EQ(p.zStep, 0.04);
    EXPECT_EQ(p.yMax, static_cast<float>(1.8569534f * 1.1));
    EXPECT_NEAR(p.yMax, 2.0426488, 1e-6);
    EXPECT_EQ(p.yMin, -p.yMax);
    EXPECT_TRUE(surface.ops.empty());  // it only computes
}

TEST(SetPlotWindow, AxisGraphAppliesTheFloorBeforeTheMargin)
{
    CalcParams p = defaults(kAxisGraph);
    p.radius = 10;  // a short coil of large radius: the field stays below 0.1
    p.length = 0.1;
    RecordingSurface surface(640, 320);
    SetPlotWindow(p, surface);
    EXPECT_FLOAT_EQ(p.yMax, 0.11f);
    EXPECT_FLOAT_EQ(p.yMin, -0.11f);
}

TEST(SetPlotWindow, AxisGraphDoesNotDependOnThePictureSize)
{
    CalcParams a = defaults(kAxisGraph);
    CalcParams b = defaults(kAxisGraph);
    RecordingSurface wide(1000, 100), tall(100, 1000);
    SetPlotWindow(a, wide);
    SetPlotWindow(b, tall);
    EXPECT_EQ(a.yMax, b.yMax);
}

TEST(SetPlotWindow, FieldLinesFollowThePicturesAspectRatioAndKeepTheOldStep)
{
    CalcParams p = defaults(kFieldLinesGraph);
    p.zStep = 0.123;
    RecordingSurface surface(640, 320);
    SetPlotWindow(p, surface);
    EXPECT_EQ(p.zMin, -2.0);
    EXPECT_EQ(p.zMax, 2.0f);
    EXPECT_EQ(p.yMax, 1.0f);
    EXPECT_EQ(p.yMin, -1.0f);
    EXPECT_EQ(p.zStep, 0.123);

    RecordingSurface taller(640, 480);
    SetPlotWindow(p, taller);
    EXPECT_EQ(p.yMax, 1.5f);
}

TEST(DrawAxes, AxisGraphScalesAndDrawsBothAxes)
{
    CalcParams p = defaults(kAxisGraph);
    p.zMin = -2;
    p.zMax = 2;
    p.yMax = 1.6f;
    p.yMin = -1.6f;
    RecordingSurface surface(640, 320);
    DrawAxes(p, surface);
    EXPECT_EQ(p.scaleX, 160.0);
    EXPECT_NEAR(p.scaleY, 100.0, 1e-5);
    ASSERT_EQ(surface.ops.size(), 2u);
    const auto& zAxis = surface.ops[0];
    EXPECT_EQ(zAxis.kind, Kind::Line);
    EXPECT_FLOAT_EQ(zAxis.x1, 0);
    EXPECT_FLOAT_EQ(zAxis.y1, 160);
    EXPECT_FLOAT_EQ(zAxis.x2, 640);
    EXPECT_FLOAT_EQ(zAxis.y2, 160);
    const auto& vAxis = surface.ops[1];
    EXPECT_FLOAT_EQ(vAxis.x1, 320);
    EXPECT_FLOAT_EQ(vAxis.y1, 0);
    EXPECT_FLOAT_EQ(vAxis.x2, 320);
    EXPECT_FLOAT_EQ(vAxis.y2, 320);
    EXPECT_EQ(zAxis.colour, (Rgb{12, 0, 0}));
    EXPECT_EQ(vAxis.colour, (Rgb{12, 0, 0}));
}

TEST(DrawAxes, FieldLinesGetEqualScalesAndOnlyTheZAxis)
{
    CalcParams p = defaults(kFieldLinesGraph);
    RecordingSurface surface(640, 320);
    SetPlotWindow(p, surface);
    DrawAxes(p, surface);
    EXPECT_EQ(p.scaleX, 160.0);
    EXPECT_EQ(p.scaleY, 160.0);
    ASSERT_EQ(surface.ops.size(), 1u);
    EXPECT_EQ(surface.ops[0].y1, 160.0f);
    EXPECT_EQ(surface.ops[0].x2, 640.0f);
}

TEST(DrawAxes, TheWindowsCornersLandOnThePicturesCorners)
{
    CalcParams p = defaults(kAxisGraph);
    RecordingSurface surface(651, 320);
    SetPlotWindow(p, surface);
    DrawAxes(p, surface);
    // (zMax, yMin) maps to (W, H), (zMin, yMax) to (0, 0).
    EXPECT_DOUBLE_EQ(p.scaleX * (p.zMax - p.zMin), 651.0);
    EXPECT_DOUBLE_EQ(p.scaleY * (static_cast<double>(p.yMax) - p.yMin), 320.0);
    EXPECT_DOUBLE_EQ(p.scaleY * p.yMax, 160.0);
}
