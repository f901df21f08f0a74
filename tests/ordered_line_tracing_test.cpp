// Tracing lines on several threads at once hands them on exactly as one
// thread tracing them one after the other would, whatever the number of
// threads, and never leaves a thread running.
#include <gtest/gtest.h>

#include <stdexcept>

#include "digest_surface.h"
#include "field/field_line_tracer.h"
#include "field/ordered_line_tracing.h"
#include "field/plain_field_lines.h"
#include "params/calc_params.h"
#include "plot/axes.h"
#include "plot/plot_window.h"

namespace {

// The start values with the given line count, plot window and scales set.
CalcParams prepared(double lineCount, double radius = 0.2, double length = 1, double halfRange = 2)
{
    CalcParams p;
    SetDefaults(p);
    p.graphMode = kFieldLinesGraph;
    p.lineCount = lineCount;
    p.radius = radius;
    p.length = length;
    p.halfRange = halfRange;
    DigestSurface window(651, 320);
    SetPlotWindow(p, window);
    DrawAxes(p, window);
    return p;
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

TEST(OrderedLineTracing, AnyNumberOfHelpersHandsOnThePlainSequence)
{
    // 1, 7 and 8 lines are traced all at once, 9 and 40 in a moving window of buffers;
    // the short coil has one line far longer than the others.
    for (const CalcParams& p : {prepared(1), prepared(7), prepared(8), prepared(9), prepared(40),
                                prepared(7, 0.1, 0.1, 10), prepared(12.5, 0.1, 0.1, 10)}) {
        DigestSink plain;
        PlainFollowFieldLines(p, plain);
        const FieldLineTracer tracer(p);
        for (unsigned helpers : {0u, 1u, 2u, 5u, 60u}) {
            DigestSink sink;
            FollowLinesInOrder(tracer, FieldLineSeeds(p), sink, helpers);
            EXPECT_EQ(sink.lines, plain.lines) << p.lineCount << " lines, " << helpers << " helpers";
            EXPECT_EQ(sink.steps, plain.steps) << p.lineCount << " lines, " << helpers << " helpers";
            EXPECT_EQ(sink.digest.hash(), plain.digest.hash()) << p.lineCount << " lines, " << helpers << " helpers";
        }
    }
}

TEST(OrderedLineTracing, NoSeedsNoLines)
{
    const CalcParams p = prepared(0.5);
    DigestSink sink;
    FollowLinesInOrder(FieldLineTracer(p), FieldLineSeeds(p), sink, 3);
    EXPECT_EQ(sink.lines, 0);
}

TEST(OrderedLineTracing, ASinkThatFailsEndsTheRunWithItsErrorAndNoThreadLeft)
{
    // Returning at all shows that the helpers were joined: a running thread
    // destroyed unjoined would end the test program.
    for (int steps : {0, 1, 500, 3000}) {
        for (unsigned helpers : {0u, 1u, 3u}) {
            const CalcParams p = prepared(20);
            FailingSink sink(steps);
            EXPECT_THROW(FollowLinesInOrder(FieldLineTracer(p), FieldLineSeeds(p), sink, helpers), std::runtime_error);
        }
    }
}
