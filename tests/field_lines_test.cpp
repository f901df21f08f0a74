#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "field/field_lines.h"
#include "params/calc_params.h"
#include "plot/axes.h"
#include "plot/plot_window.h"
#include "recording_surface.h"

using Kind = RecordingSurface::Kind;

namespace {

// Keeps the traced lines as the tracer hands them out.
struct RecordedLines final : FieldLineSink {
    struct Line {
        double z0, r0;
        std::vector<FieldLineStep> steps;
    };
    std::vector<Line> lines;
    void beginLine(double z, double r) override { lines.push_back({z, r, {}}); }
    void step(const FieldLineStep& s) override { lines.back().steps.push_back(s); }
};

// The defaults, with the window and scales of a run on the given picture.
CalcParams prepared(RecordingSurface& surface, double lineCount = 7)
{
    CalcParams p;
    SetDefaults(p);
    p.graphMode = kFieldLinesGraph;
    p.lineCount = lineCount;
    SetPlotWindow(p, surface);
    DrawAxes(p, surface);
    surface.ops.clear();
    return p;
}

int radialJumps(const RecordedLines::Line& line)
{
    int n = 0;
    for (const auto& s : line.steps)
        if (s.z == s.zPrev)
            ++n;
    return n;
}

}  // namespace

TEST(FieldLines, SeedsRunFromTheOutermostInwardJustRightOfTheMidPlane)
{
    RecordingSurface surface(651, 320);
    const CalcParams p = prepared(surface);
    RecordedLines rec;
    FollowFieldLines(p, rec);
    ASSERT_EQ(rec.lines.size(), 7u);
    const double expected[] = {0.175, 0.15, 0.125, 0.1, 0.075, 0.05, 0.025};
    for (size_t k = 0; k < 7; ++k) {
        EXPECT_EQ(rec.lines[k].z0, 1.0 / 500);
        EXPECT_NEAR(rec.lines[k].r0, expected[k], 1e-15);
        EXPECT_FALSE(rec.lines[k].steps.empty());
    }
}

TEST(FieldLines, TheFirstStepOfTheOutermostLineIsAnAxialStepDrawnFourTimes)
{
    RecordingSurface surface(640, 320);
    const CalcParams p = prepared(surface);
    TraceFieldLines(p, surface);
    ASSERT_GE(surface.ops.size(), 4u);
    // scaleX = 160 px/m, zMin = -2, axis row at y = 160.
    const auto X = [](double z) { return static_cast<float>((z + 2) * 160); };
    const auto below = [](double r) { return static_cast<float>(160 + r * 160); };
    const auto above = [](double r) { return static_cast<float>(160 - r * 160); };
    const double z0 = 0.002, r0 = 0.175, z1 = 0.002 + 1.0 / 600;
    const struct {
        float x1, y1, x2, y2;
    } quadrants[] = {{X(z0), below(r0), X(z1), below(r0)},
                     {X(z0), above(r0), X(z1), above(r0)},
                     {X(-z0), below(r0), X(-z1), below(r0)},
                     {X(-z0), above(r0), X(-z1), above(r0)}};
    for (int k = 0; k < 4; ++k) {
        const auto& op = surface.ops[k];
        EXPECT_EQ(op.kind, Kind::Line);
        EXPECT_EQ(op.colour, (Rgb{12, 0, 255}));
        EXPECT_NEAR(op.x1, quadrants[k].x1, 1e-3);
        EXPECT_NEAR(op.y1, quadrants[k].y1, 1e-3);
        EXPECT_NEAR(op.x2, quadrants[k].x2, 1e-3);
        EXPECT_NEAR(op.y2, quadrants[k].y2, 1e-3);
    }
    RecordedLines rec;
    FollowFieldLines(p, rec);
    const FieldLineStep& first = rec.lines[0].steps[0];
    EXPECT_NEAR(first.z, 0.0036667, 1e-7);
    EXPECT_NEAR(first.r, 0.1750003, 1e-7);
}

TEST(FieldLines, EverySegmentIsDrawnInFourMirroredPositions)
{
    RecordingSurface surface(651, 320);
    const CalcParams p = prepared(surface);
    TraceFieldLines(p, surface);
    ASSERT_EQ(surface.ops.size() % 4, 0u);
    const double axisRow = p.yMax * p.scaleY;
    const double midColumn = -p.zMin * p.scaleX;
    for (size_t k = 0; k < surface.ops.size(); k += 4) {
        const auto& rb = surface.ops[k];
        const auto& ra = surface.ops[k + 1];
        const auto& lb = surface.ops[k + 2];
        const auto& la = surface.ops[k + 3];
        // about the axis
        EXPECT_NEAR(rb.y1 - axisRow, axisRow - ra.y1, 1e-3);
        EXPECT_NEAR(rb.y2 - axisRow, axisRow - ra.y2, 1e-3);
        EXPECT_EQ(rb.x1, ra.x1);
        // about the mid-plane
        EXPECT_NEAR(rb.x1 - midColumn, midColumn - lb.x1, 1e-3);
        EXPECT_NEAR(rb.x2 - midColumn, midColumn - lb.x2, 1e-3);
        EXPECT_EQ(rb.y1, lb.y1);
        EXPECT_EQ(la.y2, ra.y2);
        EXPECT_EQ(la.x2, lb.x2);
        // the right-hand copies never reach z < 0
        EXPECT_GE(rb.x2, midColumn - 1e-3);
    }
}

TEST(FieldLines, TheTwoOuterLinesJumpTheWindingAndTheInnerOnesLeaveThroughTheEnd)
{
    RecordingSurface surface(651, 320);
    const CalcParams p = prepared(surface);
    RecordedLines rec;
    FollowFieldLines(p, rec);
    ASSERT_EQ(rec.lines.size(), 7u);
    for (size_t k = 0; k < 7; ++k) {
        const auto& line = rec.lines[k];
        EXPECT_EQ(radialJumps(line), k < 2 ? 2 : 0) << "line " << k + 1;
        for (const auto& s : line.steps)
            EXPECT_GE(s.z, 0.0);
        if (k >= 2) {
            // inner lines cross the end plane of the coil still inside the cylinder
            bool leftThroughEnd = false;
            for (const auto& s : line.steps)
                leftThroughEnd |= s.zPrev <= 0.5 && s.z > 0.5 && s.r < p.radius;
            EXPECT_TRUE(leftThroughEnd) << "line " << k + 1;
        }
    }
    // The outer lines run back towards the mid-plane outside the coil.
    const auto& last = rec.lines[0].steps.back();
    EXPECT_GT(last.r, p.radius);
    EXPECT_LT(last.z, 0.05);
}

TEST(FieldLines, FractionalAndSmallLineCounts)
{
    RecordingSurface surface(651, 320);
    {
        const CalcParams p = prepared(surface, 3.5);
        RecordedLines rec;
        FollowFieldLines(p, rec);
        ASSERT_EQ(rec.lines.size(), 3u);
        const double dr = 0.2 / 4.5;
        EXPECT_DOUBLE_EQ(rec.lines[0].r0, 3.5 * dr);
        EXPECT_DOUBLE_EQ(rec.lines[1].r0, 2.5 * dr);
        EXPECT_DOUBLE_EQ(rec.lines[2].r0, 1.5 * dr);
    }
    for (double n : {0.0, 0.5, 0.999, -1.0, -4.5, -1e300}) {
        const CalcParams p = prepared(surface, n);
        RecordedLines rec;
        FollowFieldLines(p, rec);
        EXPECT_TRUE(rec.lines.empty()) << n;
        TraceFieldLines(p, surface);
        EXPECT_TRUE(surface.ops.empty()) << n;
    }
    {
        const CalcParams p = prepared(surface, 1);
        RecordedLines rec;
        FollowFieldLines(p, rec);
        ASSERT_EQ(rec.lines.size(), 1u);
        EXPECT_DOUBLE_EQ(rec.lines[0].r0, 0.1);
    }
}

TEST(FieldLines, EveryLineEndsWithFiniteStepsOnDegenerateGeometry)
{
    // A seed exactly on the winding's cylinder and a coil shorter than a pixel.
    for (double R : {0.1, 0.2, 10.0}) {
        for (double L : {0.1, 1.0, 10.0}) {
            RecordingSurface surface(651, 320);
            CalcParams p = prepared(surface, 3);
            p.radius = R;
            p.length = L;
            SetPlotWindow(p, surface);
            DrawAxes(p, surface);
            RecordedLines rec;
            FollowFieldLines(p, rec);
            for (const auto& line : rec.lines)
                for (const auto& s : line.steps) {
                    ASSERT_TRUE(std::isfinite(s.z) && std::isfinite(s.r));
                    ASSERT_GE(s.z, 0.0);
                }
        }
    }
}
