#include <gtest/gtest.h>

#include "start_values.h"

using Kind = RecordingSurface::Kind;

TEST(SetPlotWindow, FramesTheAxisCurveAboveAFloorAndTheFieldLinesToTheAspect)
{
    const struct {
        int16_t graph;
        double radius, length;
        int width, height;
        float yMax;
    } cases[] = {
        {kAxisGraph, 0.2, 1, 640, 320, 2.0426488f},   // ten per cent above the peak 1.8569534
        {kAxisGraph, 0.2, 1, 100, 1000, 2.0426488f},  // whatever the picture's size
        {kAxisGraph, 10, 0.1, 640, 320, 0.11f},       // below the floor: 0.1 first, then the margin
        {kFieldLinesGraph, 0.2, 1, 640, 320, 1.0f},   // a metre as many pixels up as across
        {kFieldLinesGraph, 0.2, 1, 640, 480, 1.5f},
    };
    for (const auto& c : cases) {
        CalcParams p = RunValues(c.graph, c.radius, c.length, 2, 7);
        p.zStep = 0.123;
        RecordingSurface surface(c.width, c.height);
        SetPlotWindow(p, surface);
        EXPECT_EQ(p.zMin, -2.0);
        EXPECT_EQ(p.zMax, 2.0f);
        EXPECT_EQ(p.yMax, c.yMax) << c.width << "x" << c.height;
        EXPECT_EQ(p.yMin, -p.yMax);
        EXPECT_EQ(p.zStep, c.graph == kAxisGraph ? 0.04 : 0.123);  // the field lines keep the old step
        EXPECT_TRUE(surface.ops.empty());                          // it only computes
    }
}

TEST(DrawAxes, AxisGraphMapsTheWindowOntoThePictureAndDrawsBothAxes)
{
    CalcParams p = StartValues(kAxisGraph);
    p.zMin = -2;
    p.zMax = 2;
    p.yMax = 1.6f;
    p.yMin = -1.6f;
    RecordingSurface surface(640, 320);
    DrawAxes(p, surface);
    EXPECT_EQ(p.scaleX, 160.0);
    EXPECT_NEAR(p.scaleY, 100.0, 1e-5);
    ASSERT_EQ(surface.ops.size(), 2u);
    const float expected[2][4] = {{0, 160, 640, 160}, {320, 0, 320, 320}};  // the z axis, then the vertical one
    for (int k = 0; k < 2; ++k) {
        const DrawOp& op = surface.ops[k];
        EXPECT_EQ(op.kind, Kind::Line);
        EXPECT_FLOAT_EQ(op.x1, expected[k][0]);
        EXPECT_FLOAT_EQ(op.y1, expected[k][1]);
        EXPECT_FLOAT_EQ(op.x2, expected[k][2]);
        EXPECT_FLOAT_EQ(op.y2, expected[k][3]);
        EXPECT_EQ(op.colour, (Rgb{12, 0, 0}));
    }
}
