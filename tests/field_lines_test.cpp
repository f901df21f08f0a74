#include <gtest/gtest.h>

#include <vector>

#include "field/field_lines.h"
#include "start_values.h"

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

RecordedLines linesOf(const CalcParams& p)
{
    RecordedLines rec;
    FollowFieldLines(p, rec);
    return rec;
}

}  // namespace

TEST(FieldLines, SevenLinesFromTheOutermostSeedTheOuterTwoJumpTheWinding)
{
    const CalcParams p = Windowed(StartValues(kFieldLinesGraph));
    const RecordedLines rec = linesOf(p);
    ASSERT_EQ(rec.lines.size(), 7u);
    for (size_t k = 0; k < 7; ++k) {
        const auto& line = rec.lines[k];
        // seeds from the outermost inward, just right of the mid-plane
        EXPECT_EQ(line.z0, 1.0 / 500);
        EXPECT_NEAR(line.r0, 0.025 * (7 - k), 1e-15);
        ASSERT_FALSE(line.steps.empty());
        int radialJumps = 0;
        bool leftThroughEnd = false;  // crossed the end plane still inside the cylinder
        for (const auto& s : line.steps) {
            EXPECT_GE(s.z, 0.0);
            radialJumps += s.z == s.zPrev;
            leftThroughEnd |= s.zPrev <= 0.5 && s.z > 0.5 && s.r < p.radius;
        }
        EXPECT_EQ(radialJumps, k < 2 ? 2 : 0) << "line " << k + 1;
        EXPECT_EQ(leftThroughEnd, k >= 2) << "line " << k + 1;
    }
    // The outer lines run back towards the mid-plane outside the coil.
    EXPECT_GT(rec.lines[0].steps.back().r, p.radius);
    EXPECT_LT(rec.lines[0].steps.back().z, 0.05);
    EXPECT_NEAR(rec.lines[0].steps[0].z, 0.0036667, 1e-7);
    EXPECT_NEAR(rec.lines[0].steps[0].r, 0.1750003, 1e-7);
}

// The first step of the outermost line, an axial one, and every later one is
// drawn in four mirrored positions; the right-hand copies never reach z < 0.
TEST(FieldLines, EveryStepIsDrawnInFourMirroredPositions)
{
    const CalcParams p = Windowed(StartValues(kFieldLinesGraph), 640, 320);
    RecordingSurface surface(640, 320);
    TraceFieldLines(p, surface);
    ASSERT_GE(surface.ops.size(), 4u);
    ASSERT_EQ(surface.ops.size() % 4, 0u);
    // Equal scales of 160 px/m, zMin = -2, axis row at y = 160.
    ASSERT_EQ(p.scaleX, 160.0);
    ASSERT_EQ(p.scaleY, 160.0);
    const auto X = [](double z) { return static_cast<float>((z + 2) * 160); };
    const auto below = [](double r) { return static_cast<float>(160 + r * 160); };
    const auto above = [](double r) { return static_cast<float>(160 - r * 160); };
    const double z0 = 0.002, r0 = 0.175, z1 = 0.002 + 1.0 / 600;
    const float quadrants[4][4] = {{X(z0), below(r0), X(z1), below(r0)},
                                   {X(z0), above(r0), X(z1), above(r0)},
                                   {X(-z0), below(r0), X(-z1), below(r0)},
                                   {X(-z0), above(r0), X(-z1), above(r0)}};
    for (int k = 0; k < 4; ++k) {
        const auto& op = surface.ops[k];
        EXPECT_NEAR(op.x1, quadrants[k][0], 1e-3);
        EXPECT_NEAR(op.y1, quadrants[k][1], 1e-3);
        EXPECT_NEAR(op.x2, quadrants[k][2], 1e-3);
        EXPECT_NEAR(op.y2, quadrants[k][3], 1e-3);
    }
    for (size_t k = 0; k < surface.ops.size(); k += 4) {
        const auto& rb = surface.ops[k];
        const auto& ra = surface.ops[k + 1];
        const auto& lb = surface.ops[k + 2];
        const auto& la = surface.ops[k + 3];
        for (const auto* op : {&rb, &ra, &lb, &la}) {
            EXPECT_EQ(op->kind, Kind::Line);
            EXPECT_EQ(op->colour, (Rgb{12, 0, 255}));
        }
        // about the axis
        EXPECT_NEAR(rb.y1 - 160, 160 - ra.y1, 1e-3);
        EXPECT_NEAR(rb.y2 - 160, 160 - ra.y2, 1e-3);
        EXPECT_EQ(rb.x1, ra.x1);
        // about the mid-plane
        EXPECT_NEAR(rb.x1 - 320, 320 - lb.x1, 1e-3);
        EXPECT_NEAR(rb.x2 - 320, 320 - lb.x2, 1e-3);
        EXPECT_EQ(rb.y1, lb.y1);
        EXPECT_EQ(la.y2, ra.y2);
        EXPECT_EQ(la.x2, lb.x2);
        EXPECT_GE(rb.x2, 320 - 1e-3);
    }
}

TEST(FieldLines, FractionalAndSmallLineCounts)
{
    const RecordedLines fractional = linesOf(Windowed(RunValues(kFieldLinesGraph, 0.2, 1, 2, 3.5)));
    ASSERT_EQ(fractional.lines.size(), 3u);
    for (int k = 0; k < 3; ++k)
        EXPECT_DOUBLE_EQ(fractional.lines[k].r0, (3.5 - k) * (0.2 / 4.5));
    const RecordedLines one = linesOf(Windowed(RunValues(kFieldLinesGraph, 0.2, 1, 2, 1)));
    ASSERT_EQ(one.lines.size(), 1u);
    EXPECT_DOUBLE_EQ(one.lines[0].r0, 0.1);
    for (double n : {0.0, 0.5, 0.999, -1.0, -4.5, -1e300}) {
        const CalcParams p = Windowed(RunValues(kFieldLinesGraph, 0.2, 1, 2, n));
        EXPECT_TRUE(linesOf(p).lines.empty()) << n;
        RecordingSurface surface(651, 320);
        TraceFieldLines(p, surface);
        EXPECT_TRUE(surface.ops.empty()) << n;
    }
}
