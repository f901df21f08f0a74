#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "start_values.h"

using Kind = RecordingSurface::Kind;

TEST(CalculationRun, AxisGraphAtStartUp)
{
    CalcParams p = StartValues(kAxisGraph);
    RecordingSurface surface(651, 320);
    ASSERT_TRUE(RunCalculation(p, surface, StoppedClock).done);

    // Order: clear, the two axes, the winding, then the curve over them.
    ASSERT_EQ(surface.ops.size(), 1 + 2 + 51 + 1 + 101u);
    EXPECT_EQ(surface.ops[0].kind, Kind::Clear);
    EXPECT_EQ(surface.ops[1].kind, Kind::Line);
    EXPECT_EQ(surface.ops[2].kind, Kind::Line);
    EXPECT_EQ(surface.ops[1].colour, (Rgb{12, 0, 0}));
    EXPECT_EQ(surface.ops[54].kind, Kind::Point);
    EXPECT_EQ(surface.ops[54].colour, (Rgb{12, 0, 255}));

    const auto circles = surface.of(Kind::Circle);
    ASSERT_EQ(circles.size(), 51u);
    for (size_t i = 0; i < circles.size(); ++i) {
        EXPECT_FLOAT_EQ(circles[i].x2, static_cast<float>(p.scaleX * 0.01f));  // radius 0.01 m
        EXPECT_FLOAT_EQ(circles[i].y1, 160.0f);                                // on the z axis
        EXPECT_NEAR(circles[i].x1, (-0.5 + 0.02 * i + 2) * p.scaleX, 1e-3);
        EXPECT_EQ(circles[i].colour, (Rgb{255, 0, 0}));
    }
    // The last turn sits a hair short of the coil's end: the wire radius is single precision.
    EXPECT_NEAR(circles.back().x1, (0.49999998 + 2) * p.scaleX, 1e-4);

    const auto curve = surface.of(Kind::LineTo);
    ASSERT_EQ(curve.size(), 101u);
    EXPECT_EQ(curve[0].x1, surface.ops[54].x1);  // the first segment ends where the point is
    size_t peak = 0;
    for (size_t i = 0; i < curve.size(); ++i) {
        EXPECT_EQ(curve[i].colour, (Rgb{12, 0, 255}));
        EXPECT_LT(curve[i].y1, 160.0f);  // the curve lies in the upper half
        if (curve[i].y1 < curve[peak].y1)
            peak = i;
    }
    EXPECT_EQ(peak, 50u);
    EXPECT_FLOAT_EQ(curve[peak].x1, 651.0f / 2);
    EXPECT_FLOAT_EQ(curve.back().x1, 651.0f);
    // Heights as on any picture 320 pixels high.
    EXPECT_NEAR(curve.front().y1, 159.56, 0.01);
    EXPECT_NEAR(curve[50].y1, 14.55, 0.01);
    EXPECT_NEAR(curve.back().y1, 159.56, 0.01);
    EXPECT_NEAR(p.scaleY, 78.33, 0.01);
}

TEST(CalculationRun, FieldLinesAtStartUp)
{
    CalcParams p = StartValues(kFieldLinesGraph);
    RecordingSurface surface(651, 320);
    ASSERT_TRUE(RunCalculation(p, surface, StoppedClock).done);
    EXPECT_EQ(surface.ops[0].kind, Kind::Clear);
    EXPECT_EQ(surface.ops[1].kind, Kind::Line);  // only the z axis
    EXPECT_FLOAT_EQ(surface.ops[1].y1, 160.0f);
    EXPECT_FLOAT_EQ(surface.ops[1].x2, 651.0f);
    const auto circles = surface.of(Kind::Circle);
    ASSERT_EQ(circles.size(), 102u);
    const float axisRow = static_cast<float>(p.scaleY * p.yMax);
    EXPECT_GT(circles[0].y1, axisRow);  // r = -R first
    EXPECT_LT(circles[1].y1, axisRow);
    EXPECT_NEAR(circles[0].y1 - axisRow, 0.2 * p.scaleX, 1e-3);
    EXPECT_EQ(surface.ops[2].kind, Kind::Circle);
    EXPECT_EQ(surface.ops[104].kind, Kind::Line);  // the lines come last
    EXPECT_GT(surface.of(Kind::Line).size(), 7u * 4 * 100);
    EXPECT_TRUE(surface.of(Kind::Point).empty());
}

TEST(CalculationRun, RefusesWhatItCannotDrawAndChangesNothing)
{
    const double inf = std::numeric_limits<double>::infinity();
    const char* const region = "Размер области должен быть больше нуля.";
    const char* const lines = "Число линий должно быть не больше 200.";
    const char* const small = "Окно слишком мало для рисунка.";
    const struct {
        int16_t graph;
        double radius, length, halfRange, lineCount;
        int w, h;
        const char* reason;  // nothing: the run draws
    } cases[] = {
        {kAxisGraph, 0.2, 1, 0, 7, 651, 320, region},
        {kFieldLinesGraph, 0.2, 1, 0, 7, 651, 320, region},
        {kFieldLinesGraph, 0, 1, 2, 7, 651, 320, "Для линий напряженности радиус соленоида должен быть больше нуля."},
        {kFieldLinesGraph, 0.2, 0, 2, 7, 651, 320, "Для линий напряженности длина соленоида должна быть больше нуля."},
        {kFieldLinesGraph, 0.2, 1, 2, 200.5, 651, 320, lines},
        {kFieldLinesGraph, 0.2, 1, 2, inf, 651, 320, lines},
        {kFieldLinesGraph, 0.2, 1, 2, -inf, 651, 320, lines},
        {kFieldLinesGraph, 0.2, 1, 2, std::nan(""), 651, 320, lines},
        {kAxisGraph, 0.2, 1, 2, 7, 0, 320, small},
        {kFieldLinesGraph, 0.2, 1, 2, 7, 651, 0, small},
        // The axis curve needs neither a radius nor a length, and ignores the line count.
        {kAxisGraph, 0, 0, 2, inf, 651, 320, nullptr},
        {kAxisGraph, 0, 1, 2, 7, 651, 320, nullptr},
        {kAxisGraph, 0.2, 0, 2, 7, 651, 320, nullptr},
        {kFieldLinesGraph, 0.2, 1, 2, 200, 20, 10, nullptr},
    };
    for (const auto& c : cases) {
        CalcParams p = RunValues(c.graph, c.radius, c.length, c.halfRange, c.lineCount);
        p.scaleX = 42;
        RecordingSurface surface(c.w, c.h);
        int clockReadings = 0;
        const RunOutcome out = RunCalculation(p, surface, [&] {
            ++clockReadings;
            return ClockReading{};
        });
        EXPECT_EQ(out.done, c.reason == nullptr);
        EXPECT_EQ(out.refusal, c.reason ? c.reason : "");
        if (c.reason) {
            EXPECT_TRUE(surface.ops.empty());
            EXPECT_EQ(p.scaleX, 42);
            EXPECT_EQ(clockReadings, 0);
        } else if (c.graph == kAxisGraph) {
            EXPECT_EQ(surface.of(Kind::LineTo).size(), 101u);
        }
    }
}

TEST(RunCaption, TitleThreeBlanksTheSecondsAndALatinCTimedOverTheHour)
{
    EXPECT_EQ(RunCaption(0), "Зорекс   время расчета 0 c");
    EXPECT_EQ(RunCaption(1234), "Зорекс   время расчета 1234 c");
    EXPECT_EQ(RunCaption(5).back(), 'c');  // Latin, one byte

    const int elapsed[][5] = {{10, 5, 10, 5, 0}, {10, 5, 10, 8, 3}, {10, 59, 11, 0, 1}, {59, 58, 0, 3, 5}, {0, 0, 59, 59, 3599}};
    for (const auto& e : elapsed)
        EXPECT_EQ(ElapsedSeconds({e[0], e[1]}, {e[2], e[3]}), e[4]) << e[0] << ":" << e[1] << " to " << e[2] << ":" << e[3];

    CalcParams p = StartValues(kAxisGraph);
    RecordingSurface surface(100, 100);
    const ClockReading readings[] = {{59, 58}, {0, 3}};
    int n = 0;
    EXPECT_EQ(RunCalculation(p, surface, [&] { return readings[n++]; }).caption, "Зорекс   время расчета 5 c");
    EXPECT_EQ(n, 2);
}
