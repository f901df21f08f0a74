#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "field/axial_field.h"
#include "params/calc_params.h"
#include "plot/calculation_run.h"
#include "recording_surface.h"

using Kind = RecordingSurface::Kind;

namespace {

CalcParams startUp(int16_t graphMode)
{
    CalcParams p;
    SetDefaults(p);
    p.graphMode = graphMode;
    return p;
}

ClockReading fixedClock() { return {12, 30}; }

}  // namespace

TEST(CalculationRun, AxisGraphAtStartUp)
{
    CalcParams p = startUp(kAxisGraph);
    RecordingSurface surface(651, 320);
    const RunOutcome out = RunCalculation(p, surface, fixedClock);
    ASSERT_TRUE(out.done);

    ASSERT_FALSE(surface.ops.empty());
    EXPECT_EQ(surface.ops.front().kind, Kind::Clear);
    const auto lines = surface.of(Kind::Line);
    ASSERT_EQ(lines.size(), 2u);  // the two axes
    EXPECT_EQ(lines[0].colour, (Rgb{12, 0, 0}));

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

    const auto points = surface.of(Kind::Point);
    const auto curve = surface.of(Kind::LineTo);
    ASSERT_EQ(points.size(), 1u);
    ASSERT_EQ(curve.size(), 101u);
    EXPECT_EQ(points[0].colour, (Rgb{12, 0, 255}));
    EXPECT_EQ(curve[0].x1, points[0].x1);  // the first segment ends where the point is
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
    // Order: clear, axes, winding, then the curve over them.
    EXPECT_EQ(surface.ops[1].kind, Kind::Line);
    EXPECT_EQ(surface.ops[3].kind, Kind::Circle);
    EXPECT_EQ(surface.ops[54].kind, Kind::Point);
}

TEST(CalculationRun, AxisCurveOnA640By320Picture)
{
    CalcParams p = startUp(kAxisGraph);
    RecordingSurface surface(640, 320);
    ASSERT_TRUE(RunCalculation(p, surface, fixedClock).done);
    const auto curve = surface.of(Kind::LineTo);
    EXPECT_NEAR(curve.front().y1, 159.56, 0.01);
    EXPECT_NEAR(curve[50].y1, 14.55, 0.01);
    EXPECT_NEAR(curve.back().y1, 159.56, 0.01);
    EXPECT_NEAR(p.scaleY, 78.33, 0.01);
}

TEST(CalculationRun, FieldLinesAtStartUpValues)
{
    CalcParams p = startUp(kFieldLinesGraph);
    RecordingSurface surface(651, 320);
    ASSERT_TRUE(RunCalculation(p, surface, fixedClock).done);
    EXPECT_EQ(surface.ops.front().kind, Kind::Clear);
    EXPECT_EQ(surface.ops[1].kind, Kind::Line);  // only the z axis
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

TEST(CalculationRun, RepeatedRunsDrawTheSamePicture)
{
    CalcParams p = startUp(kFieldLinesGraph);
    RecordingSurface first(300, 200), second(300, 200);
    RunCalculation(p, first, fixedClock);
    RunCalculation(p, second, fixedClock);
    ASSERT_EQ(first.ops.size(), second.ops.size());
    for (size_t i = 0; i < first.ops.size(); ++i) {
        EXPECT_EQ(first.ops[i].x1, second.ops[i].x1);
        EXPECT_EQ(first.ops[i].y2, second.ops[i].y2);
    }
}

TEST(CalculationRun, RefusesWhatItCannotDrawAndChangesNothing)
{
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        int16_t graph;
        double radius, length, halfRange, lineCount;
        int w, h;
        const char* reason;
    } cases[] = {
        {kAxisGraph, 0.2, 1, 0, 7, 651, 320, "Размер области должен быть больше нуля."},
        {kFieldLinesGraph, 0.2, 1, 0, 7, 651, 320, "Размер области должен быть больше нуля."},
        {kFieldLinesGraph, 0, 1, 2, 7, 651, 320, "Для линий напряженности радиус соленоида должен быть больше нуля."},
        {kFieldLinesGraph, 0.2, 0, 2, 7, 651, 320, "Для линий напряженности длина соленоида должна быть больше нуля."},
        {kFieldLinesGraph, 0.2, 1, 2, 200.5, 651, 320, "Число линий должно быть не больше 200."},
        {kFieldLinesGraph, 0.2, 1, 2, inf, 651, 320, "Число линий должно быть не больше 200."},
        {kFieldLinesGraph, 0.2, 1, 2, -inf, 651, 320, "Число линий должно быть не больше 200."},
        {kFieldLinesGraph, 0.2, 1, 2, std::nan(""), 651, 320, "Число линий должно быть не больше 200."},
        {kAxisGraph, 0.2, 1, 2, 7, 0, 320, "Окно слишком мало для рисунка."},
        {kFieldLinesGraph, 0.2, 1, 2, 7, 651, 0, "Окно слишком мало для рисунка."},
    };
    for (const Case& c : cases) {
        CalcParams p = startUp(c.graph);
        p.radius = c.radius;
        p.length = c.length;
        p.halfRange = c.halfRange;
        p.lineCount = c.lineCount;
        p.scaleX = 42;
        RecordingSurface surface(c.w, c.h);
        bool clockRead = false;
        const RunOutcome out = RunCalculation(p, surface, [&] {
            clockRead = true;
            return ClockReading{};
        });
        EXPECT_FALSE(out.done);
        EXPECT_EQ(out.refusal, c.reason);
        EXPECT_TRUE(surface.ops.empty());
        EXPECT_EQ(p.scaleX, 42);
        EXPECT_FALSE(clockRead);
    }
}

TEST(CalculationRun, AcceptsWhatTheAxisGraphCanDraw)
{
    // The axis curve needs neither a radius nor a length, and ignores the line count.
    for (double R : {0.0, 0.2})
        for (double L : {0.0, 1.0}) {
            CalcParams p = startUp(kAxisGraph);
            p.radius = R;
            p.length = L;
            p.lineCount = std::numeric_limits<double>::infinity();
            RecordingSurface surface(651, 320);
            EXPECT_TRUE(RunCalculation(p, surface, fixedClock).done);
            EXPECT_EQ(surface.of(Kind::LineTo).size(), 101u);
        }
    CalcParams p = startUp(kFieldLinesGraph);
    p.lineCount = 200;
    RecordingSurface surface(20, 10);
    EXPECT_TRUE(RunCalculation(p, surface, fixedClock).done);
}

TEST(RunCaption, TitleThreeBlanksTheSecondsAndALatinC)
{
    EXPECT_EQ(RunCaption(0), "Зорекс   время расчета 0 c");
    EXPECT_EQ(RunCaption(3), "Зорекс   время расчета 3 c");
    EXPECT_EQ(RunCaption(1234), "Зорекс   время расчета 1234 c");
    const std::string caption = RunCaption(5);
    EXPECT_EQ(caption.back(), 'c');  // Latin, one byte
}

TEST(ElapsedSeconds, CountsWholeSecondsAcrossTheHour)
{
    EXPECT_EQ(ElapsedSeconds({10, 5}, {10, 5}), 0);
    EXPECT_EQ(ElapsedSeconds({10, 5}, {10, 8}), 3);
    EXPECT_EQ(ElapsedSeconds({10, 59}, {11, 0}), 1);
    EXPECT_EQ(ElapsedSeconds({59, 58}, {0, 3}), 5);
    EXPECT_EQ(ElapsedSeconds({0, 0}, {59, 59}), 3599);
}

TEST(CalculationRun, TheCaptionCarriesTheClocksDifference)
{
    CalcParams p = startUp(kAxisGraph);
    RecordingSurface surface(100, 100);
    ClockReading readings[] = {{59, 58}, {0, 3}};
    int n = 0;
    const RunOutcome out = RunCalculation(p, surface, [&] { return readings[n++]; });
    EXPECT_EQ(out.caption, "Зорекс   время расчета 5 c");
    EXPECT_EQ(n, 2);
}
