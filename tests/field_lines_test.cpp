// The field lines: where they start, how they step and how each step is drawn; and the
// program's tracer, with any number of helper threads, against the plain one, bit for bit.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <stop_token>
#include <stdexcept>
#include <vector>

#include "field/field_line_tracer.h"
#include "field/exact_field_line.h"
#include "field/field_strength_map.h"
#include "field/ordered_line_tracing.h"
#include "field/run_stop.h"
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

// A stop request ends each long part of a run with RunStopped before it is done, whoever asks: the sink on the
// calling thread while helpers trace, or nobody at all before the part starts; a whole run reports itself stopped.
struct StopCase {
    const char* name;
    std::function<void(const CalcParams& p, std::stop_source& stop)> run;  // throws RunStopped when stopped
};

class FieldLinesStop : public testing::TestWithParam<StopCase> {};

TEST_P(FieldLinesStop, EndsTheRunBeforeItIsDone)
{
    const CalcParams p = Windowed(RunValues(kFieldLinesGraph, 0.1, 0.1, 10, 12.5), 1912, 1000);
    std::stop_source stop;
    EXPECT_THROW(GetParam().run(p, stop), RunStopped);
}

namespace {

// Asks for the stop at the sink's given step and counts the lines it sees.
struct StoppingSink final : FieldLineSink {
    StoppingSink(std::stop_source& s, long long at) : stop(s), stopAt(at) {}
    std::stop_source& stop;
    long long stopAt, steps = 0;
    int lines = 0;
    void beginLine(double, double) override { ++lines; }
    void step(const FieldLineStep&) override { ++steps == stopAt ? void(stop.request_stop()) : void(); }
};

void TraceStoppedAt(const CalcParams& p, std::stop_source& stop, long long step, unsigned helpers)
{
    StoppingSink sink(stop, step);
    try {
        FollowLinesInOrder(FieldLineTracer(p, stop.get_token()), FieldLineSeeds(p), sink, helpers);
    } catch (const RunStopped&) {
        EXPECT_LT(sink.lines, 12);
        throw;
    }
}

}  // namespace

INSTANTIATE_TEST_SUITE_P(
    Parts, FieldLinesStop,
    testing::Values(
        StopCase{"TracedAlone", [](const CalcParams& p, std::stop_source& s) { TraceStoppedAt(p, s, 2000, 0); }},
        StopCase{"TracedWithOneHelper", [](const CalcParams& p, std::stop_source& s) { TraceStoppedAt(p, s, 1, 1); }},
        StopCase{"TracedWithThreeHelpers", [](const CalcParams& p, std::stop_source& s) { TraceStoppedAt(p, s, 5000, 3); }},
        StopCase{"ExactLines", [](const CalcParams& p, std::stop_source& s) { s.request_stop(); ExactFieldLines(p, s.get_token()); }},
        StopCase{"StrengthMap", [](const CalcParams& p, std::stop_source& s) {
                     s.request_stop();
                     FieldStrengthValues(p, 1912, 1000, 3, s.get_token());
                 }},
        StopCase{"WholeRunAtItsThirdLine", [](const CalcParams& p, std::stop_source& s) {
                     CalcParams q = p;
                     TestSurface picture(1912, 1000, false);
                     std::vector<int> reported;
                     const RunControl control{s.get_token(), [&](int done, int total) {
                                                  reported.push_back(done);
                                                  EXPECT_EQ(total, 12);
                                                  if (done == 2)
                                                      s.request_stop();
                                              },
                                              {}};
                     const RunOutcome outcome = RunCalculation(q, picture, [] { return ClockReading{}; }, {ExactLines::ThroughSeeds, true, true, {}}, control);
                     EXPECT_TRUE(outcome.stopped && !outcome.done && outcome.caption.empty());
                     // lines already traced when the stop came may still be drawn, but not all of them
                     EXPECT_TRUE(reported.size() >= 3 && reported.size() < 12 && reported[2] == 2);
                     throw RunStopped{};
                 }}),
    [](const testing::TestParamInfo<StopCase>& info) { return std::string(info.param.name); });
