// The calculation run: its plot window, what it draws and refuses, and its caption.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "plot/point_readout.h"
#include "plot/uniform_region_drawing.h"
#include "raster/raster_surface.h"
#include "test_support.h"

using Kind = DrawOp::Kind;

// The field on the axis of the ideal coil, from the angles under which its ends are seen.
static double IdealAxialField(double R, double L, double z)
{
    return (z + L / 2) / std::hypot(R, z + L / 2) - (z - L / 2) / std::hypot(R, z - L / 2);
}

// The axis curve's window reaches ten per cent above its peak, but at least 0.11;
// the field lines' window has the picture's aspect: a metre as many pixels up as across.
TEST(SetPlotWindow, AFloorForTheAxisCurveAndThePicturesAspectForTheFieldLines)
{
    TestSurface picture(640, 480);
    for (auto [p, yMax] : {std::pair{RunValues(kAxisGraph, 10, 0.1), static_cast<float>(1.1 * 0.1f)}, {RunValues(kFieldLinesGraph), 1.5f}}) {
        SetPlotWindow(p, picture);  // the first with a peak far below 0.1
        EXPECT_TRUE(p.yMax == yMax && p.yMin == -yMax && p.zMin == -2 && p.zMax == 2 && picture.ops.empty()) << p.graphMode;
    }
}

// The axis graph: clear, both axes, 51 touching turns, the curve through 101 points of the ideal coil's field.
TEST(CalculationRun, BothGraphsAtStartUp)
{
    CalcParams p = RunValues(kAxisGraph);
    TestSurface s(651, 320);
    ASSERT_TRUE(RunCalculation(p, s, StoppedClock).done);
    ASSERT_TRUE(s.ops.size() == 1 + 2 + 51 + 1 + 101u && s.ops[0].kind == Kind::Clear);
    for (const auto& [k, x1, y1, x2, y2] : {std::tuple{1, 0.f, 160.f, 651.f, 160.f}, {2, 325.5f, 0.f, 325.5f, 320.f}})
        EXPECT_TRUE(s.ops[k].kind == Kind::Line && s.ops[k].x1 == x1 && s.ops[k].y1 == y1 && s.ops[k].x2 == x2 &&
                    s.ops[k].y2 == y2 && s.ops[k].colour == kAxisColour) << "axis " << k;
    const double perMetre = 651 / 4.0;
    for (int i = 0; i <= 50; ++i) {  // touching turns of a wire of L / 100 from end to end
        const DrawOp& turn = s.ops[3 + i];
        EXPECT_TRUE(turn.kind == Kind::Circle && turn.colour == kWindingColour && turn.y1 == 160) << i;
        EXPECT_TRUE(std::fabs(turn.x1 - (-0.5 + i / 50.0 + 2) * perMetre) < 2e-3 && std::fabs(turn.x2 - 0.01 * perMetre) < 1e-4) << i;
    }
    const double pixelsPerUnit = 320 / (2 * 1.1 * IdealAxialField(0.2, 1, 0));
    for (int i = 0; i <= 100; ++i) {
        const DrawOp& op = s.ops[54 + i + (i > 0)];  // the point, then the segments from it on
        EXPECT_TRUE(op.kind == (i == 0 ? Kind::Point : Kind::LineTo) && op.colour == kGraphColour) << i;
        EXPECT_NEAR(op.x1, i * 6.51, 1e-3) << i;
        EXPECT_NEAR(op.y1, 160 - IdealAxialField(0.2, 1, -2 + 0.04 * i) * pixelsPerUnit, 1e-3) << i;
    }
    // The field lines: only the z axis, the turns above and below it at r = -R and +R, then the lines.
    p = RunValues(kFieldLinesGraph);
    TestSurface l(651, 320);
    ASSERT_TRUE(RunCalculation(p, l, StoppedClock).done);
    ASSERT_GT(l.ops.size(), 104 + 7 * 4 * 100u);
    EXPECT_TRUE(l.ops[0].kind == Kind::Clear && l.ops[1].kind == Kind::Line && l.ops[1].y1 == 160 && l.ops[1].y2 == 160);
    for (int i = 0; i <= 101; ++i)
        EXPECT_TRUE(l.ops[2 + i].kind == Kind::Circle && std::fabs(l.ops[2 + i].y1 - 160 - (i % 2 ? -0.2 : 0.2) * 651 / 4) < 1e-3) << i;
    for (size_t k = 104; k < l.ops.size(); ++k)
        ASSERT_TRUE(l.ops[k].kind == Kind::Line && l.ops[k].colour == kGraphColour) << k;
}

struct RefusalCase {
    const char* name;
    int16_t graph;
    double radius, length, halfRange, lineCount;
    int width, height;
    const char* reason;  // nothing: the run draws
};

void PrintTo(const RefusalCase& c, std::ostream* out) { *out << c.name; }  // names the row in the test's name
class RunRefusals : public testing::TestWithParam<RefusalCase> {};

// A refused run says why and changes nothing: no drawing, no scale, no clock read.
TEST_P(RunRefusals, SayWhyAndChangeNothing)
{
    const RefusalCase& c = GetParam();
    CalcParams p = RunValues(c.graph, c.radius, c.length, c.halfRange, c.lineCount);
    TestSurface surface(c.width, c.height);
    int clockReadings = 0;
    const RunOutcome out = RunCalculation(p, surface, [&] { return ++clockReadings, ClockReading{}; });
    EXPECT_EQ(RussianText(out.refusal), c.reason ? c.reason : "");
    EXPECT_EQ(out.done, c.reason == nullptr);
    EXPECT_EQ(surface.ops.empty() && p.scaleX == 0 && clockReadings == 0, c.reason != nullptr);
}

const double kInf = std::numeric_limits<double>::infinity();
const char* const kNoRegion = "Размер области должен быть больше нуля.";
const char* const kTooManyLines = "Число линий должно быть не больше 200.";
const char* const kNoPicture = "Окно слишком мало для рисунка.";

INSTANTIATE_TEST_SUITE_P(, RunRefusals, testing::ValuesIn(std::vector<RefusalCase>{
    {"NoRegion", kAxisGraph, 0.2, 1, 0, 7, 651, 320, kNoRegion},
    {"NoRadius", kFieldLinesGraph, 0, 1, 2, 7, 651, 320, "Для линий напряженности радиус соленоида должен быть больше нуля."},
    {"NoLength", kFieldLinesGraph, 0.2, 0, 2, 7, 651, 320, "Для линий напряженности длина соленоида должна быть больше нуля."},
    {"Lines201", kFieldLinesGraph, 0.2, 1, 2, 200.5, 651, 320, kTooManyLines},
    {"LinesMinusInfinite", kFieldLinesGraph, 0.2, 1, 2, -kInf, 651, 320, kTooManyLines},
    {"LinesNaN", kFieldLinesGraph, 0.2, 1, 2, std::nan(""), 651, 320, kTooManyLines},
    {"NoPictureWidth", kAxisGraph, 0.2, 1, 2, 7, 0, 320, kNoPicture},
    {"NoPictureHeight", kFieldLinesGraph, 0.2, 1, 2, 7, 651, 0, kNoPicture},
    {"NoRegionNorPicture", kFieldLinesGraph, 0.2, 1, 0, 7, 0, 0, kNoRegion},  // two reasons: the first one given
    {"AxisNeedsNoCoilNorLineCount", kAxisGraph, 0, 0, 2, kInf, 651, 320, nullptr},
    {"Lines200", kFieldLinesGraph, 0.2, 1, 2, 200, 20, 10, nullptr}}),
    [](const testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.name); });

// The values under the cursor in English, on the winding, at its rim, off it, below the axis, with the
// field in SI units, a uniform region, a pair's exact slope and a field that vanishes: no Russian word.
TEST(PointReadout, InEnglishHasNoRussianWord)
{
    RunAdditions single{.winding = CoilCurrent{100, 1}, .uniformPercent = 1}, pair{.arrangement = PairArrangement({0.3, false})};
    for (const RunAdditions& a : {single, pair, RunAdditions{.arrangement = PairArrangement({0, true})}}) {
        CalcParams p = RunValues(kFieldLinesGraph);
        TestSurface surface(651, 320, false);
        ASSERT_TRUE(RunCalculation(p, surface, StoppedClock, a).done);
        const double axisRow = p.scaleY * p.yMax, winding = axisRow - 0.2 * p.scaleX;
        for (const auto& [z, y] : {std::pair{-1.9, 10.0}, {0.5, winding}, {0.0, winding}, {-1.0, axisRow + 50}}) {
            const std::string text = PointReadout(p, 651, 320, (z - p.zMin) * p.scaleX, y, PlainReadoutNumbers(',', English()), a);
            EXPECT_TRUE(!text.empty() && WithoutRussian(text)) << text;
        }
    }
}

TEST(RunCaption, TitleThreeBlanksTheSecondsAndALatinCTimedOverTheHour)
{
    EXPECT_EQ(RussianText(RunCaption(1234)), std::string(kProgramTitle) + "   время расчета 1234 c");
    const int elapsed[][5] = {{10, 5, 10, 8, 3}, {10, 59, 11, 0, 1}, {59, 58, 0, 3, 5}, {0, 0, 59, 59, 3599}};
    for (const auto& e : elapsed)
        EXPECT_EQ(ElapsedSeconds({e[0], e[1]}, {e[2], e[3]}), e[4]) << e[0] << ":" << e[1] << " to " << e[2] << ":" << e[3];
    CalcParams p = RunValues(kAxisGraph);
    TestSurface surface(100, 100);
    const ClockReading readings[] = {{59, 58}, {0, 3}};
    int n = 0;
    EXPECT_EQ(RunCalculation(p, surface, [&] { return readings[n++]; }).caption, RunCaption(5));
}

// The traced lines drawn in shares, the run with one share and the others' lines alone on white pictures whose
// coloured pixels are laid over it, give the run's picture to the pixel: for any count of shares, even one
// without a line.
TEST(CalculationRun, LinesDrawnInSharesAndJoinedGiveThePicture)
{
    for (const auto& [R, L, a, lines, count] : {std::tuple{0.2, 1.0, 2.0, 7.0, 2}, {0.1, 0.1, 10.0, 12.5, 3}, {1.5, 0.4, 2.5, 1.0, 2}}) {
        const CalcParams start = RunValues(kFieldLinesGraph, R, L, a, lines);
        CalcParams whole = start, joined = start;
        RasterSurface expected(651, 320), picture(651, 320);
        RunCalculation(whole, expected, StoppedClock);
        RunCalculation(joined, picture, StoppedClock, {}, RunControl{{}, {}, LineShare{0, count}});
        std::vector<uint32_t> pixels = picture.pixels();
        for (int index = 1; index < count; ++index) {
            RasterSurface share(651, 320);
            TraceFieldLines(joined, share, RunControl{{}, {}, LineShare{index, count}});
            for (size_t i = 0; i < pixels.size(); ++i)
                pixels[i] = share.pixels()[i] == 0xffffffffu ? pixels[i] : share.pixels()[i];
        }
        EXPECT_TRUE(pixels == expected.pixels()) << lines << " lines in " << count << " shares";
    }
}

struct RatioRow {
    const char* name;
    int16_t graph;
    RunAdditions additions;
};

class RunAtPixelRatio : public testing::TestWithParam<RatioRow> {};

// The same run at the pixel ratios 1 and 2 draws its lines, marks and texts at the same logical places: every
// pixel in the colour of a line, a mark or a text has such a pixel within a logical pixel of it in the other
// picture (which of them lies on top may differ where they cross), but for a few in a thousand where a finer
// pixel shows what a coarser one just hides (a line grazing a text's white box, an arrowhead's tip).
TEST_P(RunAtPixelRatio, PutsEverythingAtTheSameLogicalPlaces)
{
    const RatioRow& row = GetParam();
    CalcParams p1 = RunValues(row.graph), p2 = p1;
    RasterSurface plain(651, 320), sharp(1302, 640, 2);
    ASSERT_TRUE(RunCalculation(p1, plain, StoppedClock, row.additions).done);
    ASSERT_TRUE(RunCalculation(p2, sharp, StoppedClock, row.additions).done);
    std::vector<uint32_t> drawn;
    for (const Rgb c : {kAxisColour, kWindingColour, kGraphColour, kExactLineColour, kUniformRegionColour, Rgb{0, 0, 0}})
        drawn.push_back(0xff000000u | uint32_t{c.red} << 16 | uint32_t{c.green} << 8 | c.blue);
    const auto isDrawn = [&](uint32_t c) { return std::find(drawn.begin(), drawn.end(), c) != drawn.end(); };
    // Whether the picture of k device pixels per logical one has such a pixel within a logical pixel of (x, y).
    const auto near = [&](const RasterSurface& s, int k, int x, int y) {
        for (int py = std::max(0, (y - 1) * k); py < std::min(s.height(), (y + 2) * k); ++py)
            for (int px = std::max(0, (x - 1) * k); px < std::min(s.width(), (x + 2) * k); ++px)
                if (isDrawn(s.pixel(px, py)))
                    return true;
        return false;
    };
    int strays = 0, ink = 0;
    for (int y = 0; y < 640; ++y)
        for (int x = 0; x < 1302; ++x) {
            ink += isDrawn(sharp.pixel(x, y));
            strays += isDrawn(sharp.pixel(x, y)) && !near(plain, 1, x / 2, y / 2);
            if (x % 2 == 0 && y % 2 == 0)
                strays += isDrawn(plain.pixel(x / 2, y / 2)) && !near(sharp, 2, x / 2, y / 2);
        }
    EXPECT_LE(strays, ink / 1000) << ink;
}

RunAdditions Additions(ExactLines exact, bool arrows, bool map, bool large, std::optional<double> uniform = {},
                       CoilArrangement coils = SingleCoil())
{
    RunAdditions a;
    std::tie(a.exact, a.arrows, a.fieldMap, a.largeLabels, a.uniformPercent, a.arrangement) =
        std::tuple(exact, arrows, map, large, uniform, coils);
    a.scales = true;
    return a;
}

INSTANTIATE_TEST_SUITE_P(, RunAtPixelRatio, testing::Values(
    RatioRow{"LinesWithExactLinesAndArrows", kFieldLinesGraph, Additions(ExactLines::ThroughSeeds, true, false, false)},
    RatioRow{"LinesWithLargeLabelsAndTheRegion", kFieldLinesGraph, Additions(ExactLines::EqualFlux, false, false, true, 5.0)},
    RatioRow{"AxisWithTheRegionsStretch", kAxisGraph, Additions(ExactLines::None, false, false, false, 5.0)},
    RatioRow{"AxisOfAVanishingPairWithItsNoteLarge", kAxisGraph,
             Additions(ExactLines::None, false, false, true, std::nullopt, PairArrangement({0, true}))}),
    [](const auto& info) { return std::string(info.param.name); });
