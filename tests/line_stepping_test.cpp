#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <tuple>

#include "field/line_stepping.h"

namespace {

// A coil whose step is a power of two, so that the rule's bounds are met exactly:
// R = 0.5, L = 600/1024 (h = 1/1024, L/2 = 0.2929...), window z <= 2, r <= 1.
constexpr double h = 1.0 / 1024;
constexpr double R = 0.5;
constexpr double halfL = 300.0 / 1024;

LineStepping stepping()
{
    CalcParams p = StartValues(kFieldLinesGraph);
    p.radius = R;
    p.length = 2 * halfL;
    p.zMax = 2;
    p.yMax = 1;
    return LineStepping(p);
}

struct StepRow {
    const char* name;
    double zPrev;
    float rPrev;
    float m;
    std::optional<LineStepping::Point> to;  // nothing: the line cannot go on
    friend void PrintTo(const StepRow& row, std::ostream* os) { *os << row.name; }
};

class LineStep : public testing::TestWithParam<StepRow> {};

TEST_P(LineStep, FollowsTheRuleThatDecidesThere)
{
    const StepRow& row = GetParam();
    const auto to = stepping().next(row.zPrev, row.rPrev, row.m);
    ASSERT_EQ(to.has_value(), row.to.has_value());
    if (to) {
        EXPECT_EQ(to->z, row.to->z);
        EXPECT_EQ(to->r, row.to->r);
    }
}

constexpr float kInside = 0.25f;
constexpr float kAtWinding = static_cast<float>(R - h);  // exactly h inside the winding
constexpr float kOutside = static_cast<float>(R + 4 * h);

INSTANTIATE_TEST_SUITE_P(
    Rules, LineStep,
    testing::Values(
        StepRow{"A_inside_h_along_the_axis", 0.1, kInside, 0.5f, {{0.1 + h, kInside + 0.5 * h}}},
        StepRow{"A_still_exactly_h_from_the_winding", 0.1, kAtWinding, 0.5f, {{0.1 + h, kAtWinding + 0.5 * h}}},
        StepRow{"A_still_at_the_coils_end", halfL, kInside, 0.5f, {{halfL + h, kInside + 0.5 * h}}},
        StepRow{"B_jumps_the_winding_from_inside", 0.1, static_cast<float>(R - h / 2), 0.5f, {{0.1, R - h / 2 + h}}},
        StepRow{"B_jumps_the_winding_from_outside", 0.1, static_cast<float>(R + h / 2), 0.5f, {{0.1, R + h / 2 + h}}},
        StepRow{"C_outside_h_in_r", 0.1, kOutside, -2.0f, {{0.1 - h / 2, kOutside + h}}},
        StepRow{"C_beyond_the_coils_end", halfL + h, kInside, 4.0f, {{halfL + h + h / 4, kInside + h}}},
        StepRow{"C_with_zero_slope_ends", 0.1, kOutside, 0.0f, std::nullopt},
        StepRow{"no_direction_ends", 0.1, kInside, NAN, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

struct EndRow {
    const char* name;
    double zPrev;
    float rPrev;
    LineStepping::Point to;
    bool ends;
    friend void PrintTo(const EndRow& row, std::ostream* os) { *os << row.name; }
};

class LineEnd : public testing::TestWithParam<EndRow> {};

TEST_P(LineEnd, StopsOnlyAtTheMidPlaneOrBeyondTheWindow)
{
    const EndRow& row = GetParam();
    EXPECT_EQ(stepping().ends(row.zPrev, row.rPrev, row.to), row.ends);
}

INSTANTIATE_TEST_SUITE_P(
    Stops, LineEnd,
    testing::Values(EndRow{"step_across_the_mid_plane", 0.01, 0.6f, {-1e-9, 0.61}, true},
                    EndRow{"step_onto_the_mid_plane", 0.01, 0.6f, {0, 0.61}, false},
                    EndRow{"previous_point_above_the_window", 1.0, 1.0001f, {1.0, 1.01}, true},
                    EndRow{"step_out_of_the_window_is_still_drawn", 1.9, 0.999f, {2.5, 1.5}, false},
                    EndRow{"previous_point_right_of_the_window", 2.0001, 0.6f, {2.001, 0.61}, true},
                    EndRow{"step_that_is_not_finite", 1.0, 0.6f, {INFINITY, 0.61}, true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace

// Every step of h in r outside the coil raises the line by h, so a line from inside the coil to the top of a window
// yMax high takes (L/2 + yMax)/h + 2 steps at most; where that is more than a line may take, the steps outside are
// taken along the line, and the same line reaches the top in about its length over the step (zMax = yMax here).
struct LimitRow {
    const char* name;
    float yMax;
    bool alongTheLine;
    friend void PrintTo(const LimitRow& row, std::ostream* os) { *os << row.name; }
};

class LineLimit : public testing::TestWithParam<LimitRow> {};

TEST_P(LineLimit, EndsAtTheTopOfTheWindowWithinTheMostSteps)
{
    const LimitRow& row = GetParam();
    CalcParams p = StartValues(kFieldLinesGraph);
    std::tie(p.radius, p.length, p.zMax, p.yMax) = std::tuple(R, 2 * halfL, row.yMax, row.yMax);
    const LineStepping s(p);
    long long steps = 0;
    FieldLineStep last{};
    // a slope of 1 everywhere: along the axis inside the coil, then out at 45 degrees, never back to the mid-plane
    const LineEnding ending = FollowLine(s, 0.1, kInside, [](double, double) { return 1.0f; },
                                         [&](const FieldLineStep& step) { ++steps, last = step; });
    EXPECT_EQ(ending, LineEnding::Done);
    EXPECT_TRUE(last.z > row.yMax || last.r > row.yMax);  // out of the window, not cut short
    EXPECT_EQ(s.along > 0, row.alongTheLine);
    const double outside = row.alongTheLine ? std::sqrt(2.0) * row.yMax / s.along : row.yMax / h;
    EXPECT_LE(steps, halfL / h + outside + 3);
    EXPECT_LT(steps, LineStepping::kMostSteps);
}

// A step along the line is of one length whatever the slope, r growing and z going the slope's way: a line almost
// parallel to the axis moves along it by the step, not by the step over the slope (across the picture).
TEST(LineStepsAlongTheLine, AreOfOneLengthWhateverTheSlope)
{
    CalcParams p = StartValues(kFieldLinesGraph);
    std::tie(p.radius, p.length, p.zMax, p.yMax) = std::tuple(10.0, 0.001, 10.0f, 5.0f);
    const LineStepping s(p);
    ASSERT_GT(s.along, 0);
    for (const float m : {1e-30f, 1e-6f, 0.5f, 1.0f, 1e6f, -1e-6f, -3.0f}) {
        const auto to = s.next(1.0, 2.0f, m);
        ASSERT_TRUE(to) << m;
        const double dz = to->z - 1.0, dr = to->r - 2.0;
        EXPECT_NEAR(std::hypot(dz, dr), s.along, 1e-12 * s.along) << m;
        EXPECT_TRUE(dr >= 0 && (dz > 0) == (m > 0)) << m;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Limit, LineLimit,
    testing::Values(LimitRow{"window_one_metre_high", 1.0f, false}, LimitRow{"window_just_within_the_limit", 60.0f, false},
                    LimitRow{"window_just_beyond_the_limit", 70.0f, true},
                    LimitRow{"window_far_above_the_limit", 1e4f, true}),
    [](const auto& info) { return std::string(info.param.name); });
