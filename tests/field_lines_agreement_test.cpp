// The program's tracer against the plain one-line-after-the-other tracer with
// the plain field slope: the same steps handed out and the same picture drawn,
// operation by operation, bit for bit, whatever the number of threads tracing
// the lines, which never outlive the run.
#include <gtest/gtest.h>

#include <stdexcept>

#include "field/field_line_tracer.h"
#include "field/field_lines.h"
#include "field/ordered_line_tracing.h"
#include "reference/plain_field_lines.h"
#include "plot/winding.h"
#include "start_values.h"

namespace {

struct RunCase {
    double radius, length, halfRange, lineCount;
    int width = 651, height = 320;
};

CalcParams paramsOf(const RunCase& c) { return RunValues(kFieldLinesGraph, c.radius, c.length, c.halfRange, c.lineCount); }

// Returns the number of operations drawn.
long long expectSamePicture(const RunCase& c)
{
    DigestSurface fast(c.width, c.height);
    CalcParams p = paramsOf(c);
    EXPECT_TRUE(RunCalculation(p, fast, StoppedClock).done);

    DigestSurface plain(c.width, c.height);  // the same run with the plain tracer
    p = paramsOf(c);
    plain.clear();
    SetPlotWindow(p, plain);
    DrawAxes(p, plain);
    DrawWinding(p, plain);
    PlainTraceFieldLines(p, plain);

    EXPECT_EQ(fast.ops(), plain.ops());
    EXPECT_EQ(fast.digest.hash(), plain.digest.hash());
    return plain.ops();
}

void expectSameSteps(const DigestSink& actual, const DigestSink& plain)
{
    EXPECT_EQ(actual.lines, plain.lines);
    EXPECT_EQ(actual.steps, plain.steps);
    EXPECT_EQ(actual.digest.hash(), plain.digest.hash());
}

void expectSameSteps(const RunCase& c)
{
    const CalcParams p = Windowed(paramsOf(c), c.width, c.height);
    DigestSink fast, plain;
    FollowFieldLines(p, fast);
    PlainFollowFieldLines(p, plain);
    expectSameSteps(fast, plain);
}

// Gives up after a number of steps, as a sink that cannot write any more might.
struct FailingSink final : FieldLineSink {
    int stepsLeft;
    explicit FailingSink(int steps) : stepsLeft(steps) {}
    void beginLine(double, double) override {}
    void step(const FieldLineStep&) override
    {
        if (--stepsLeft < 0)
            throw std::runtime_error("disk full");
    }
};

}  // namespace

// The four field-line runs of the benchmarks.
TEST(FieldLinesAgreement, TheBenchmarkRunsDrawThePlainPictureBitForBit)
{
    const RunCase cases[] = {
        {0.2, 1, 2, 7, 651, 320},                      // (a) the defaults
        {0.2, 1, 2, 100, 651, 320},                    // (b) 100 lines
        {0.1, 0.1, 10, 7, 1912, 1000},                 // (c) a short coil on a wide region
        {0.1, 0.1, 10, kMaxLineCount, 1912, 1000},     // (d) as (c) with the most lines
    };
    for (const RunCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.lineCount << " lines on " << c.width << "x" << c.height);
        EXPECT_GT(expectSamePicture(c), 1000);  // far more than the axis and the winding
    }
}

// Coils, regions and line counts that send the lines along every rule and to
// every end: jumps across the winding, long steps beyond the coil's end, seeds
// on the winding's edge, lines leaving the window at once, fractional counts,
// no lines at all.
TEST(FieldLinesAgreement, StepsAndPicturesAgreeOverManyCoils)
{
    int n = 0;
    for (double R : {0.1, 0.2, 1.3, 10.0})
        for (double L : {0.1, 1.0, 10.0})
            for (double a : {0.1, 0.7, 2.0})
                for (double lines : {1.0, 4.5}) {
                    const RunCase c{R, L, a, lines, 200 + 37 * (n % 5), 100 + 29 * (n % 7)};
                    ++n;
                    SCOPED_TRACE(testing::Message() << "R=" << R << " L=" << L << " a=" << a << " lines=" << lines);
                    expectSameSteps(c);
                    expectSamePicture(c);
                }
    for (double lines : {0.0, 0.99, -1.0})
        expectSameSteps(RunCase{0.2, 1, 2, lines});
    // A coil of no radius or no length, which the run refuses, has no lines.
    DigestSink sink;
    FollowFieldLines(Windowed(paramsOf({0, 1, 2, 7})), sink);
    FollowFieldLines(Windowed(paramsOf({0.2, 0, 2, 7})), sink);
    EXPECT_EQ(sink.lines, 0);
}

TEST(OrderedLineTracing, AnyNumberOfHelpersHandsOnThePlainSequence)
{
    // None, 1, 7 and 8 lines are traced all at once, 9 and 40 in a moving window
    // of buffers; the short coil has one line far longer than the others.
    for (const RunCase& c : {RunCase{0.2, 1, 2, 0.5}, {0.2, 1, 2, 1}, {0.2, 1, 2, 7}, {0.2, 1, 2, 8}, {0.2, 1, 2, 9},
                             {0.2, 1, 2, 40}, {0.1, 0.1, 10, 7}, {0.1, 0.1, 10, 12.5}}) {
        const CalcParams p = Windowed(paramsOf(c));
        DigestSink plain;
        PlainFollowFieldLines(p, plain);
        const FieldLineTracer tracer(p);
        for (unsigned helpers : {0u, 1u, 2u, 5u, 60u}) {
            SCOPED_TRACE(testing::Message() << p.lineCount << " lines, " << helpers << " helpers");
            DigestSink sink;
            FollowLinesInOrder(tracer, FieldLineSeeds(p), sink, helpers);
            expectSameSteps(sink, plain);
        }
    }
}

TEST(OrderedLineTracing, ASinkThatFailsEndsTheRunWithItsErrorAndNoThreadLeft)
{
    // Returning at all shows that the helpers were joined: a running thread
    // destroyed unjoined would end the test program.
    const CalcParams p = Windowed(paramsOf({0.2, 1, 2, 20}));
    for (int steps : {0, 1, 500, 3000}) {
        for (unsigned helpers : {0u, 1u, 3u}) {
            FailingSink sink(steps);
            EXPECT_THROW(FollowLinesInOrder(FieldLineTracer(p), FieldLineSeeds(p), sink, helpers), std::runtime_error);
        }
    }
}
