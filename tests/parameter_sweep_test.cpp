// Runs the calculation over the whole range the controls allow and checks that
// every run either refuses with a reason or draws only finite coordinates.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "params/calc_params.h"
#include "plot/calculation_run.h"

namespace {

// Counts the operations and remembers the first coordinate that is not finite.
class CheckingSurface final : public DrawingSurface {
public:
    CheckingSurface(int width, int height) : width_(width), height_(height) {}

    void clear() override { ++ops; }
    void drawLine(float x1, float y1, float x2, float y2, Rgb) override { check({x1, y1, x2, y2}); }
    void plotPoint(float x, float y, Rgb) override { check({x, y}); }
    void lineTo(float x, float y, Rgb) override { check({x, y}); }
    void drawCircle(float cx, float cy, float r, Rgb) override
    {
        check({cx, cy, r});
        if (r < 0)
            bad = "negative radius";
    }
    int width() const override { return width_; }
    int height() const override { return height_; }

    long long ops = 0;
    std::string bad;

private:
    void check(std::initializer_list<float> values)
    {
        ++ops;
        for (float v : values)
            if (!std::isfinite(v) && bad.empty())
                bad = "coordinate " + std::to_string(v) + " in operation " + std::to_string(ops);
    }

    int width_;
    int height_;
};

struct Size {
    int w, h;
};

const double kInf = std::numeric_limits<double>::infinity();

// Returns a description of what went wrong, or an empty string.
std::string runOnce(int16_t graph, double R, double L, double a, double lines, Size size)
{
    CalcParams p;
    SetDefaults(p);
    p.graphMode = graph;
    p.radius = R;
    p.length = L;
    p.halfRange = a;
    p.lineCount = lines;
    CheckingSurface surface(size.w, size.h);
    const RunOutcome out = RunCalculation(p, surface, [] { return ClockReading{}; });
    if (!out.done)
        return out.refusal.empty() ? "refused without a reason" : "";
    if (!surface.bad.empty())
        return surface.bad;
    // Clear, at most two axes, 102 turns and, for field lines, four segments a step.
    if (surface.ops > 20'000'000)
        return "too many operations: " + std::to_string(surface.ops);
    return "";
}

std::string describe(int16_t graph, double R, double L, double a, double lines, Size size)
{
    return "graph " + std::to_string(graph) + " R=" + std::to_string(R) + " L=" + std::to_string(L) +
           " a=" + std::to_string(a) + " lines=" + std::to_string(lines) + " size " + std::to_string(size.w) + "x" +
           std::to_string(size.h);
}

const std::vector<double> kLengths = {0, 0.1, 1, 10};  // radius, length and half-size alike
const std::vector<Size> kSizes = {{1, 1}, {1, 1000}, {1000, 1}, {651, 320}, {0, 320}, {651, 0}};

}  // namespace

TEST(ParameterSweep, AxisGraphOverEveryCorner)
{
    for (double R : kLengths)
        for (double L : kLengths)
            for (double a : kLengths)
                for (Size s : kSizes)
                    for (double lines : {7.0, kInf}) {
                        const std::string fault = runOnce(kAxisGraph, R, L, a, lines, s);
                        EXPECT_EQ(fault, "") << describe(kAxisGraph, R, L, a, lines, s);
                    }
}

TEST(ParameterSweep, FieldLinesWithFewLinesOverEveryCorner)
{
    for (double R : kLengths)
        for (double L : kLengths)
            for (double a : kLengths)
                for (Size s : kSizes)
                    for (double lines : {-kInf, -1.0, 0.0, 0.5, 1.0, 3.5, 201.0, kInf, std::nan("")}) {
                        const std::string fault = runOnce(kFieldLinesGraph, R, L, a, lines, s);
                        EXPECT_EQ(fault, "") << describe(kFieldLinesGraph, R, L, a, lines, s);
                    }
}

TEST(ParameterSweep, FieldLinesWithManyLinesOnTheLighterCorners)
{
    // Seven lines everywhere. The largest accepted count only where every line
    // stays short: a small region, or a picture so flat that the window has
    // almost no height; elsewhere the inner lines run far out and take long.
    const auto light = [](double a, Size s) { return a <= 0.1 || s.w == 0 || s.h == 0 || (s.h == 1 && s.w >= 1000); };
    for (double R : kLengths)
        for (double L : kLengths)
            for (double a : kLengths)
                for (Size s : kSizes) {
                    EXPECT_EQ(runOnce(kFieldLinesGraph, R, L, a, 7, s), "") << describe(kFieldLinesGraph, R, L, a, 7, s);
                    if (light(a, s)) {
                        EXPECT_EQ(runOnce(kFieldLinesGraph, R, L, a, kMaxLineCount, s), "")
                            << describe(kFieldLinesGraph, R, L, a, kMaxLineCount, s);
                    }
                }
}
