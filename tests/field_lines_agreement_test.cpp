// The program's tracer against the plain one-line-after-the-other tracer with
// the plain field slope: the same steps handed out and the same picture drawn,
// operation by operation, bit for bit.
#include <gtest/gtest.h>

#include "digest_surface.h"
#include "field/field_lines.h"
#include "field/plain_field_lines.h"
#include "params/calc_params.h"
#include "plot/axes.h"
#include "plot/calculation_run.h"
#include "plot/plot_window.h"
#include "plot/winding.h"

namespace {

struct RunCase {
    const char* name;
    double radius, length, halfRange, lineCount;
    int width, height;
};

CalcParams paramsOf(const RunCase& c)
{
    CalcParams p;
    SetDefaults(p);
    p.graphMode = kFieldLinesGraph;
    p.radius = c.radius;
    p.length = c.length;
    p.halfRange = c.halfRange;
    p.lineCount = c.lineCount;
    return p;
}

// The whole calculation run as the program makes it.
void drawFast(const RunCase& c, DigestSurface& surface)
{
    CalcParams p = paramsOf(c);
    ASSERT_TRUE(RunCalculation(p, surface, [] { return ClockReading{}; }).done);
}

// The same run with the plain tracer.
void drawPlain(const RunCase& c, DigestSurface& surface)
{
    CalcParams p = paramsOf(c);
    surface.clear();
    SetPlotWindow(p, surface);
    DrawAxes(p, surface);
    DrawWinding(p, surface);
    PlainTraceFieldLines(p, surface);
}

// Returns the number of operations drawn.
long long expectSamePicture(const RunCase& c)
{
    DigestSurface fast(c.width, c.height);
    DigestSurface plain(c.width, c.height);
    drawFast(c, fast);
    drawPlain(c, plain);
    EXPECT_EQ(fast.ops(), plain.ops()) << c.name;
    EXPECT_EQ(fast.digest.hash(), plain.digest.hash()) << c.name;
    return plain.ops();
}

void expectSameSteps(const RunCase& c)
{
    CalcParams p = paramsOf(c);
    DigestSurface window(c.width, c.height);
    SetPlotWindow(p, window);
    DrawAxes(p, window);
    DigestSink fast, plain;
    FollowFieldLines(p, fast);
    PlainFollowFieldLines(p, plain);
    EXPECT_EQ(fast.lines, plain.lines) << c.name;
    EXPECT_EQ(fast.steps, plain.steps) << c.name;
    EXPECT_EQ(fast.digest.hash(), plain.digest.hash()) << c.name;
}

}  // namespace

// The four field-line runs of the benchmarks.
TEST(FieldLinesAgreement, TheBenchmarkRunsDrawThePlainPictureBitForBit)
{
    const RunCase cases[] = {
        {"(a) defaults", 0.2, 1, 2, 7, 651, 320},
        {"(b) 100 lines", 0.2, 1, 2, 100, 651, 320},
        {"(c) short coil, wide region", 0.1, 0.1, 10, 7, 1912, 1000},
        {"(d) as (c) with the most lines", 0.1, 0.1, 10, kMaxLineCount, 1912, 1000},
    };
    for (const RunCase& c : cases)
        EXPECT_GT(expectSamePicture(c), 1000) << c.name;  // far more than the axis and the winding
}

// Coils, regions and line counts that send the lines along every rule and to
// every end: jumps across the winding, long steps beyond the coil's end, seeds
// on the winding's edge, lines leaving the window at once, fractional counts.
TEST(FieldLinesAgreement, StepsAndPicturesAgreeOverManyCoils)
{
    int n = 0;
    for (double R : {0.1, 0.2, 1.3, 10.0})
        for (double L : {0.1, 1.0, 10.0})
            for (double a : {0.1, 0.7, 2.0})
                for (double lines : {1.0, 4.5}) {
                    const RunCase c{"grid", R, L, a, lines, 200 + 37 * (n % 5), 100 + 29 * (n % 7)};
                    ++n;
                    SCOPED_TRACE(testing::Message() << "R=" << R << " L=" << L << " a=" << a << " lines=" << lines);
                    expectSameSteps(c);
                    expectSamePicture(c);
                }
}

TEST(FieldLinesAgreement, NoLinesWhereThePlainTracerHasNone)
{
    for (double lines : {0.0, 0.99, -1.0}) {
        const RunCase c{"none", 0.2, 1, 2, lines, 651, 320};
        expectSameSteps(c);
    }
    DigestSink sink;
    CalcParams p = paramsOf({"zero radius", 0, 1, 2, 7, 651, 320});
    FollowFieldLines(p, sink);
    p = paramsOf({"zero length", 0.2, 0, 2, 7, 651, 320});
    FollowFieldLines(p, sink);
    EXPECT_EQ(sink.lines, 0);
}
