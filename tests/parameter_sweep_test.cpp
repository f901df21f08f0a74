// Runs over the whole range the controls allow, with and without the additions of the menu "Вид":
// every run refuses with a reason or draws finite coordinates and images of the picture's size.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "test_support.h"

namespace {

// Every line ends in the window's own way (back at the mid-plane or out of the window) long before the most steps a
// line may take: a cut line is a runaway, and the run stops at it.
testing::AssertionResult NoLineCut(const CalcParams& p, const RunOutcome& out)
{
    if (out.linesCut == 0)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << out.linesCut << " lines cut, R=" << p.radius << " L=" << p.length
                                       << " a=" << p.halfRange << " yMax=" << p.yMax << " lines=" << p.lineCount;
}

}  // namespace

TEST(ParameterSweep, BothGraphsOverEveryCorner)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double sizes[] = {0, 0.1, 1, 10};  // radius, length and half-size alike
    const int pictures[][2] = {{1, 1}, {1, 1000}, {1000, 1}, {651, 320}, {0, 320}, {651, 0}};
    for (int16_t graph : {kAxisGraph, kFieldLinesGraph})
        for (double R : sizes)
            for (double L : sizes)
                for (double a : sizes)
                    for (const auto& [w, h] : pictures) {
                        std::vector<double> counts{7, inf, -inf, -1, 0, 0.5, 1, 3.5, 201, std::nan("")};
                        // The most lines only where every line stays short: a small region, or a window of almost no height.
                        if (a <= 0.1 || w == 0 || h == 0 || (h == 1 && w >= 1000))
                            counts.push_back(kMaxLineCount);
                        for (double lines : graph == kAxisGraph ? std::vector<double>{7, inf} : counts) {
                            // the exact lines, the strength map and the scales with a few line counts, the same for both graphs
                            const bool more = lines == 7 || lines == 0.5 || lines == -1;
                            CalcParams p = RunValues(graph, R, L, a, lines);
                            TestSurface surface(w, h, false);
                            const RunOutcome out = RunCalculation(p, surface, StoppedClock, RunAdditions{more ? ExactLines::EqualFlux : ExactLines::None, more, more, std::nullopt, more});
                            // clear, two axes at most, 102 turns and, for field lines, four segments a step;
                            // the additions' exact lines (five times over the map) and arrowheads
                            EXPECT_TRUE(out.done ? surface.sane && surface.count <= 20'200'000 : !out.refusal.empty())
                                << "graph " << graph << " R=" << R << " L=" << L << " a=" << a << " lines=" << lines << " on "
                                << w << "x" << h;
                            ASSERT_TRUE(NoLineCut(p, out));  // at once: a runaway line would repeat in every run
                        }
                    }
}

// A coil a ten-thousandth of the region's size, whose lines would take millions of steps of L/600: the run is drawn
// with steps along the line outside the coil, none cut.
TEST(ParameterSweep, ACoilFarShorterThanTheRegion)
{
    CalcParams p = RunValues(kFieldLinesGraph, 10, 0.001, 10, 7);
    TestSurface surface(651, 320, false);
    const RunOutcome out = RunCalculation(p, surface, StoppedClock);
    EXPECT_TRUE(out.done && surface.sane);
    EXPECT_TRUE(NoLineCut(p, out));
}

// Pairs at every distance the dialog allows, alike and opposed, with every addition, the scales and the uniform region:
// every run refuses with a reason or draws finite coordinates and images of the picture's size.
TEST(ParameterSweep, PairsOverEveryCorner)
{
    const int pictures[][2] = {{651, 320}, {1, 1000}, {1000, 1}};
    for (const double R : {0.0, 0.1, 10.0})
        for (const double L : {0.0, 0.1, 10.0})
            for (const double a : {0.1, 10.0})
                for (const double D : {0.0, 0.3, 20.0})
                    for (const bool opposed : {false, true})
                        for (const auto& [w, h] : pictures)
                            for (const int16_t graph : {kAxisGraph, kFieldLinesGraph}) {
                                CalcParams p = RunValues(graph, R, L, a, D == 0.3 ? 200 : 7);
                                TestSurface surface(w, h, false);
                                RunAdditions more{ExactLines::EqualFlux, true, true, std::nullopt, true};
                                more.arrangement = PairArrangement({D, opposed});
                                more.uniformPercent = D == 20 ? 100 : 1;
                                const RunOutcome out = RunCalculation(p, surface, StoppedClock, more);
                                EXPECT_TRUE(out.done ? surface.sane && surface.count <= 20'200'000 : !out.refusal.empty())
                                    << "graph " << graph << " R=" << R << " L=" << L << " a=" << a << " D=" << D
                                    << (opposed ? " opposed" : "") << " on " << w << "x" << h;
                            }
}
