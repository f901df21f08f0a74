// Runs the calculation over the whole range the controls allow and checks that
// every run either refuses with a reason or draws only finite coordinates.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "start_values.h"

namespace {

// Counts the operations and remembers the first coordinate that is not finite.
class CheckingSurface final : public OpSurface {
public:
    using OpSurface::OpSurface;

    long long ops = 0;
    std::string bad;

private:
    void take(const DrawOp& op) override
    {
        ++ops;
        for (float v : {op.x1, op.y1, op.x2, op.y2})
            if (!std::isfinite(v) && bad.empty())
                bad = "coordinate " + std::to_string(v) + " in operation " + std::to_string(ops);
        if (op.kind == DrawOp::Kind::Circle && op.x2 < 0)
            bad = "negative radius";
    }
};

struct Size {
    int w, h;
};

const double kInf = std::numeric_limits<double>::infinity();
const double kLengths[] = {0, 0.1, 1, 10};  // radius, length and half-size alike
const Size kSizes[] = {{1, 1}, {1, 1000}, {1000, 1}, {651, 320}, {0, 320}, {651, 0}};

// Runs every corner with the line counts given for its half-size and picture.
void sweep(int16_t graph, const std::function<std::vector<double>(double, Size)>& lineCounts)
{
    for (double R : kLengths)
        for (double L : kLengths)
            for (double a : kLengths)
                for (Size s : kSizes)
                    for (double lines : lineCounts(a, s)) {
                        SCOPED_TRACE(testing::Message() << "graph " << graph << " R=" << R << " L=" << L << " a=" << a
                                                        << " lines=" << lines << " size " << s.w << "x" << s.h);
                        CalcParams p = RunValues(graph, R, L, a, lines);
                        CheckingSurface surface(s.w, s.h);
                        const RunOutcome out = RunCalculation(p, surface, StoppedClock);
                        if (!out.done) {
                            EXPECT_NE(out.refusal, "");
                            continue;
                        }
                        EXPECT_EQ(surface.bad, "");
                        // Clear, at most two axes, 102 turns and, for field lines, four segments a step.
                        EXPECT_LE(surface.ops, 20'000'000);
                    }
}

}  // namespace

TEST(ParameterSweep, AxisGraphOverEveryCorner)
{
    sweep(kAxisGraph, [](double, Size) { return std::vector<double>{7, kInf}; });
}

TEST(ParameterSweep, FieldLinesOverEveryCorner)
{
    // The largest accepted count only where every line stays short: a small
    // region, or a picture so flat that the window has almost no height;
    // elsewhere the inner lines run far out and take long.
    sweep(kFieldLinesGraph, [](double a, Size s) {
        std::vector<double> counts{-kInf, -1, 0, 0.5, 1, 3.5, 7, 201, kInf, std::nan("")};
        if (a <= 0.1 || s.w == 0 || s.h == 0 || (s.h == 1 && s.w >= 1000))
            counts.push_back(kMaxLineCount);
        return counts;
    });
}
