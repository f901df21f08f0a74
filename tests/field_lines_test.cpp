// The field lines: where they start, how they step and how each step is drawn; and the
// program's tracer, with any number of helper threads, against the plain one, bit for bit.
#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <vector>

#include "field/field_line_tracer.h"
#include "field/ordered_line_tracing.h"
#include "reference/plain_field_lines.h"
#include "test_support.h"

namespace {

// The traced lines, each its seed and its steps.
struct Line {
    double z0, r0;
    std::vector<FieldLineStep> steps;
};

std::vector<Line> LinesOf(const CalcParams& p)
{
    struct Sink final : FieldLineSink {
        std::vector<Line> lines;
        void beginLine(double z, double r) override { lines.push_back({z, r, {}}); }
        void step(const FieldLineStep& s) override { lines.back().steps.push_back(s); }
    } sink;
    FollowFieldLines(p, sink);
    return sink.lines;
}

// The fast and the plain tracer on the same run: the same steps and the same picture.
long long ExpectSameRun(double R, double L, double a, double lines, int width, int height)
{
    const CalcParams p = Windowed(RunValues(kFieldLinesGraph, R, L, a, lines), width, height);
    TestSurface fast(width, height, false), plain(width, height, false);
    TraceFieldLines(p, fast);
    PlainTraceFieldLines(p, plain);
    DigestSink fastSteps, plainSteps;
    FollowFieldLines(p, fastSteps);
    PlainFollowFieldLines(p, plainSteps);
    EXPECT_TRUE(fast.count == plain.count && fast.digest.hash == plain.digest.hash && fastSteps == plainSteps);
    return plain.count;  // the operations drawn
}

}  // namespace

// Seeds R / (n + 1) apart from the outermost inward, right of the mid-plane; the outer two lines jump the
// winding and run back outside, the inner ones leave through the coil's end; a count below one draws nothing.
TEST(FieldLines, SeedsAndThePathsOfTheSevenStartLines)
{
    const CalcParams p = Windowed(RunValues(kFieldLinesGraph));
    const std::vector<Line> lines = LinesOf(p);
    ASSERT_EQ(lines.size(), 7u);
    for (size_t k = 0; k < 7; ++k) {
        const Line& line = lines[k];
        ASSERT_TRUE(line.z0 == 1.0 / 500 && std::fabs(line.r0 - 0.2 / 8 * (7 - k)) < 1e-15 && !line.steps.empty()) << "line " << k + 1;
        int radialJumps = 0;
        bool leftThroughEnd = false;
        for (const auto& s : line.steps) {
            EXPECT_TRUE(s.z >= 0 && s.rPrev <= p.yMax && s.zPrev <= p.zMax) << "a step from beyond the mid-plane or the window";
            radialJumps += s.z == s.zPrev;
            leftThroughEnd |= s.zPrev <= 0.5 && s.z > 0.5 && s.r < p.radius;
        }
        EXPECT_TRUE(radialJumps == (k < 2 ? 2 : 0) && leftThroughEnd == (k >= 2)) << "line " << k + 1;
        // a line that does not come back ends with the step that takes it out of the window
        EXPECT_TRUE(k < 2 || line.steps.back().z > p.zMax || line.steps.back().r > p.yMax) << "line " << k + 1;
    }
    for (const auto& [n, seeds] : {std::pair{3.5, 3u}, {1.0, 1u}, {0.999, 0u}, {0.0, 0u}, {-4.5, 0u}}) {
        const std::vector<Line> few = LinesOf(Windowed(RunValues(kFieldLinesGraph, 0.2, 1, 2, n)));
        ASSERT_EQ(few.size(), seeds) << n;
        EXPECT_TRUE(seeds == 0 || std::fabs(few.back().r0 - (n - seeds + 1) * 0.2 / (n + 1)) < 1e-15) << n;
    }
}

// Each step is drawn four times, mirrored about the axis and about the mid-plane.
TEST(FieldLines, EveryStepIsDrawnInFourMirroredPositions)
{
    const CalcParams p = Windowed(RunValues(kFieldLinesGraph), 640, 320);  // 160 px/m both ways, axis row 160
    TestSurface surface(640, 320);
    TraceFieldLines(p, surface);
    std::vector<FieldLineStep> steps;
    for (const Line& line : LinesOf(p))
        steps.insert(steps.end(), line.steps.begin(), line.steps.end());
    ASSERT_EQ(surface.ops.size(), 4 * steps.size());
    for (size_t k = 0; k < surface.ops.size(); ++k) {
        const FieldLineStep& s = steps[k / 4];
        const double side = k % 4 < 2 ? 1 : -1, up = k % 2 ? -1 : 1;  // right or left, below or above the axis
        const DrawOp& op = surface.ops[k];
        ASSERT_TRUE(op.kind == DrawOp::Kind::Line && op.colour == kGraphColour) << k;
        const double expected[4] = {(side * s.zPrev + 2) * 160, 160 + up * s.rPrev * 160, (side * s.z + 2) * 160, 160 + up * s.r * 160};
        const float actual[4] = {op.x1, op.y1, op.x2, op.y2};
        for (int i = 0; i < 4; ++i)
            ASSERT_NEAR(actual[i], expected[i], 2e-3) << "step " << k / 4 << " copy " << k % 4;
    }
}

// The four field-line runs of the benchmarks: the defaults, 100 lines, a short coil in a wide region, the most lines.
TEST(FieldLinesAgreement, TheBenchmarkRunsDrawThePlainPictureBitForBit)
{
    for (const auto& [R, L, a, lines, w, h] : {std::tuple{0.2, 1.0, 2.0, 7.0, 651, 320}, {0.2, 1.0, 2.0, 100.0, 651, 320},
                                               {0.1, 0.1, 10.0, 7.0, 1912, 1000}, {0.1, 0.1, 10.0, kMaxLineCount, 1912, 1000}})
        EXPECT_GT(ExpectSameRun(R, L, a, lines, w, h), 1000);
}

// Coils, regions and counts that send the lines along every rule and to every end.
TEST(FieldLinesAgreement, StepsAndPicturesAgreeOverManyCoils)
{
    int n = 0;
    for (double R : {0.1, 0.2, 1.3, 10.0})
        for (double L : {0.1, 1.0, 10.0})
            for (double a : {0.1, 0.7, 2.0})
                for (double lines : {0.99, 1.0, 4.5}) {
                    SCOPED_TRACE(testing::Message() << "R=" << R << " L=" << L << " a=" << a << " lines=" << lines);
                    ExpectSameRun(R, L, a, lines, 200 + 37 * (n % 5), 100 + 29 * (n % 7));
                    ++n;
                }
}

// 0, 1 and 8 lines traced at once, 9 and 40 in a moving window of buffers; the short coil has one long line,
// which a helper traces while the calling thread, done with the others, hands its steps on as they come.
TEST(OrderedLineTracing, AnyNumberOfHelpersHandsOnThePlainSequenceOrTheSinksError)
{
    for (const auto& [R, L, a, lines] : {std::tuple{0.2, 1.0, 2.0, 0.5}, {0.2, 1.0, 2.0, 1.0}, {0.2, 1.0, 2.0, 8.0},
                                         {0.2, 1.0, 2.0, 9.0}, {0.2, 1.0, 2.0, 40.0}, {0.1, 0.1, 10.0, 7.0}, {0.1, 0.1, 10.0, 12.5}}) {
        const CalcParams p = Windowed(RunValues(kFieldLinesGraph, R, L, a, lines));
        DigestSink plain;
        PlainFollowFieldLines(p, plain);
        for (unsigned helpers : {0u, 1u, 2u, 5u, 60u}) {
            DigestSink sink;
            FollowLinesInOrder(FieldLineTracer(p), FieldLineSeeds(p), sink, helpers);
            EXPECT_TRUE(sink == plain) << lines << " lines, " << helpers << " helpers";
        }
    }
    // A sink that gives up ends the run with its error, in the short coil's last line while a helper still traces
    // it; returning at all shows that the helpers were joined.
    struct FailingSink final : FieldLineSink {
        explicit FailingSink(int steps) : stepsLeft(steps) {}
        int stepsLeft;
        void beginLine(double, double) override {}
        void step(const FieldLineStep&) override { stepsLeft-- > 0 ? void() : throw std::runtime_error("disk full"); }
    };
    const CalcParams twenty = Windowed(RunValues(kFieldLinesGraph, 0.2, 1, 2, 20)), shortCoil = Windowed(RunValues(kFieldLinesGraph, 0.1, 0.1, 10));
    for (const auto& [p, steps] : {std::pair{twenty, 0}, {twenty, 1}, {twenty, 500}, {twenty, 3000}, {shortCoil, 25000}})
        for (unsigned helpers : {0u, 1u, 3u}) {
            FailingSink sink(steps);
            EXPECT_THROW(FollowLinesInOrder(FieldLineTracer(p), FieldLineSeeds(p), sink, helpers), std::runtime_error);
        }
}
