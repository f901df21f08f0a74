// The scales: nice tick steps and their numbers, and the ticks and numbers of whole pictures over the
// regions, sizes and fields the controls allow: on the picture mapping, within bounds, apart, off the curve.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "field/arrangement_field.h"
#include "params/coil_arrangement.h"
#include "plot/map_legend.h"
#include "plot/picture_scales.h"
#include "plot/scale_ticks.h"
#include "raster/raster_surface.h"
#include "test_support.h"

namespace {

struct StepRow {
    const char* name;
    double lowest, highest, pixelsPerUnit, spacing;
};

class TickStep : public testing::TestWithParam<StepRow> {};

// 1, 2 or 5 times a power of ten; wide enough, and the next smaller such step is not; the ticks are its
// multiples, none missing at either end; every number reads back as its tick.
TEST_P(TickStep, IsTheSmallestNiceStepWideEnoughAndItsNumbersReadBack)
{
    const StepRow r = GetParam();
    const ScaleTicks t = ChooseTicks(r.lowest, r.highest, r.pixelsPerUnit, [&](const ScaleTicks&) { return r.spacing; });
    ASSERT_FALSE(t.values.empty());
    const double power = std::pow(10.0, std::floor(std::log10(t.step) + 1e-9)), m = t.step / power;
    EXPECT_TRUE(std::fabs(m - 1) < 1e-9 || std::fabs(m - 2) < 1e-9 || std::fabs(m - 5) < 1e-9) << t.step;
    const double smaller = std::fabs(m - 5) < 1e-9 ? 2 * power : std::fabs(m - 2) < 1e-9 ? power : power / 2;
    EXPECT_TRUE(t.step * r.pixelsPerUnit >= r.spacing && smaller * r.pixelsPerUnit < r.spacing) << t.step;
    EXPECT_TRUE(t.values.front() - t.step < r.lowest && t.values.back() + t.step > r.highest);
    for (double v : t.values) {
        EXPECT_TRUE(v >= r.lowest - 1e-9 * t.step && v <= r.highest + 1e-9 * t.step) << v;
        EXPECT_NEAR(std::remainder(v, t.step), 0, 1e-9 * t.step) << v;
        EXPECT_NEAR(std::strtod(TickText(v, t.step).c_str(), nullptr), v, 1e-6 * t.step) << TickText(v, t.step);
    }
}

INSTANTIATE_TEST_SUITE_P(, TickStep,
                         testing::Values(StepRow{"StartRegion", -2, 2, 162.75, 37}, StepRow{"MillimetreRegionInCm", -0.1, 0.1, 3255, 37},
                                         StepRow{"TenMetres", -10, 10, 32.55, 43}, StepRow{"FieldUnits", 0, 2.04, 78.3, 18},
                                         StepRow{"HugeFieldInMilliTesla", 0, 6.9e9, 2.3e-8, 18},
                                         StepRow{"TinyFieldInMilliTesla", -3.1e-12, 0, 5.1e13, 18},
                                         StepRow{"WidePictureOfAThinStrip", -2.5e-5, 2.5e-5, 4e8, 43}),
                         [](const auto& info) { return std::string(info.param.name); });

// As many decimals as the step needs, whatever the sum's last bits; an exponent for huge and tiny steps.
TEST(TickNumber, HasTheDecimalsItsStepNeeds)
{
    const std::tuple<double, double, const char*> rows[] = {{0.25, 0.05, "0.25"}, {-1.5, 0.5, "-1.5"}, {20, 5, "20"},
                                                            {0, 0.2, "0"}, {0.1 + 0.2, 0.1, "0.3"}, {2.5e7, 5e6, "2.5e7"},
                                                            {1e9, 2e8, "1.0e9"}, {-6e-5, 2e-5, "-6e-5"}};
    for (const auto& [value, step, text] : rows)
        EXPECT_EQ(TickText(value, step), text);
}

struct PictureRow {
    const char* name;
    int16_t graph;
    double R, L, a;
    int width, height;
    std::optional<CoilCurrent> coil = std::nullopt;
    bool fieldMap = false;
    CoilArrangement coils = SingleCoil();
    double ratio = 1;  // the screen's pixel ratio: width and height are logical pixels
    bool large = false;
};

class ScalesOfPicture : public testing::TestWithParam<PictureRow> {};

// Ticks where the picture mapping puts their values (lengths in cm for regions under 0.5 m, B = mu0 N/L I/2 Hz
// in mT), 2 or more (1 in low pictures), two numbers' height apart, no more than 25 at 651 x 320; numbers and
// units inside the picture the window shows, apart, each reading as its tick's value beside it; none on a pixel
// of the curve or the axes (drawn a logical pixel wide), or under the map's colour scale; at every pixel ratio and
// with large labels.
TEST_P(ScalesOfPicture, TicksOnTheMappingNumbersApartAndOffTheCurve)
{
    PictureRow row = GetParam();
    const int pen = static_cast<int>(std::lround(row.ratio));
    const int logicalWidth = row.width;
    row.width = static_cast<int>(std::lround(row.width * row.ratio));
    row.height = static_cast<int>(std::lround(row.height * row.ratio));
    CalcParams p = RunValues(row.graph, row.R, row.L, row.a);
    RasterSurface plain(row.width, row.height, row.ratio);
    RunAdditions additions;
    additions.fieldMap = row.fieldMap;
    additions.winding = row.coil;
    additions.arrangement = row.coils;
    ASSERT_TRUE(RunCalculation(p, plain, StoppedClock, additions).done);
    const LabelSize size{row.ratio, row.large};
    const PictureScales scales = PictureScalesOf(p, row.width, row.height, row.coil, row.fieldMap, 1, row.coils, size);
    EXPECT_EQ(scales.style.scale % (pen * (row.large ? 2 : 1)), 0);

    const bool axis = row.graph == kAxisGraph;
    const double u = row.a < 0.5 ? 100 : 1;
    const double millitesla = row.coil ? 1e3 * 4e-7 * M_PI * row.coil->turns / row.L * row.coil->amperes / 2 : 1;
    const int s = scales.style.scale;
    for (ScaleAxis which : {ScaleAxis::Horizontal, ScaleAxis::Vertical}) {
        std::vector<double> at;
        for (const ScaleMark& m : scales.marks) {
            if (m.axis != which)
                continue;
            const bool across = which == ScaleAxis::Horizontal;
            const double expected = across ? p.scaleX * (m.value / u - p.zMin)
                                    : axis ? p.scaleY * (p.yMax - m.value / millitesla)
                                           : p.scaleY * p.yMax - p.scaleX * m.value / u;
            EXPECT_NEAR(across ? m.x1 : m.y1, expected, 1e-6 * row.width) << m.value;
            at.push_back(expected);
        }
        const int extent = which == ScaleAxis::Horizontal ? row.width : row.height;
        const size_t least = row.height >= 320 ? 2 : 1;  // a low picture's field has room for one tick beside its unit
        EXPECT_TRUE(at.size() >= least && static_cast<int>(at.size()) <= 1 + extent / (2 * 7 * s)) << at.size();
        EXPECT_TRUE(at.size() <= 25 || logicalWidth > 651 || row.height > 320 * row.ratio) << at.size();
        for (size_t i = 1; i < at.size(); ++i)
            EXPECT_GE(std::fabs(at[i] - at[i - 1]), 2 * 7 * s) << i;
    }
    if (axis && row.height >= 320) {  // the field's ticks reach within a step of the curve's either end
        double lowest = INFINITY, highest = -INFINITY, first = INFINITY, last = -INFINITY;
        for (int i = 0; i <= 100; ++i) {
            const double v = millitesla * AxialField(p, row.coils, p.zMin + i * (p.zMax - p.zMin) / 100);
            lowest = std::min(lowest, v), highest = std::max(highest, v);
        }
        for (const ScaleMark& m : scales.marks)
            if (m.axis == ScaleAxis::Vertical)
                first = std::min(first, m.value), last = std::max(last, m.value);
        const double step = scales.tickStep[1];
        EXPECT_TRUE(first <= lowest + step && last >= highest - step) << first << ".." << last;
    }
    const std::string units[2] = {row.a < 0.5 ? "z, см" : "z, м",
                                  !axis ? (row.a < 0.5 ? "r, см" : "r, м") : row.coil ? "B, мТл" : "H, n·I/2"};
    int unitsFound = 0;
    const PixelRect legend = row.fieldMap ? MapLegendBox(row.width, row.height, size) : PixelRect{};
    for (size_t i = 0; i < scales.labels.size(); ++i) {
        const ScaleLabel& l = scales.labels[i];
        const PixelRect& b = l.box;
        ASSERT_TRUE(b.x >= 0 && b.y >= 0 && b.x + b.w <= row.width - 4 * pen && b.y + b.h <= row.height - 4 * pen) << l.text;
        for (size_t j = 0; j < i; ++j) {
            const PixelRect& o = scales.labels[j].box;
            EXPECT_TRUE(b.x >= o.x + o.w || o.x >= b.x + b.w || b.y >= o.y + o.h || o.y >= b.y + b.h) << l.text;
        }
        EXPECT_TRUE(b.x >= legend.x + legend.w || legend.x >= b.x + b.w || b.y >= legend.y + legend.h || legend.y >= b.y + b.h);
        for (int y = b.y; axis && y < b.y + b.h; ++y)  // the curve and the axes left no pixel where a text lies
            for (int x = b.x; x < b.x + b.w; ++x) {
                ASSERT_TRUE(plain.pixel(x, y) != 0xff0c00ff && plain.pixel(x, y) != 0xff0c0000) << l.text << " " << x << "," << y;
            }
        if (l.unit) {
            unitsFound += l.text == units[l.axis == ScaleAxis::Vertical];
            continue;
        }
        EXPECT_NEAR(std::strtod(l.text.c_str(), nullptr), l.value, 1e-6 * scales.tickStep[l.axis == ScaleAxis::Vertical]);
        for (const ScaleMark& m : scales.marks)
            if (m.axis == l.axis && m.value == l.value) {
                const bool across = l.axis == ScaleAxis::Horizontal;
                const double pos = across ? m.x1 : m.y1, from = across ? b.x : b.y, to = from + (across ? b.w : b.h);
                EXPECT_TRUE(pos >= from - 3 * s - pen && pos <= to + 3 * s + pen) << l.text;
            }
    }
    EXPECT_TRUE(unitsFound == 2 || logicalWidth < 651 || row.height < 320 * row.ratio) << unitsFound;
}

const CoilCurrent kLabCoil{320, 1.8};

INSTANTIATE_TEST_SUITE_P(
    , ScalesOfPicture,
    testing::Values(PictureRow{"AxisStart", kAxisGraph, 0.2, 1, 2, 651, 320}, PictureRow{"LinesStart", kFieldLinesGraph, 0.2, 1, 2, 651, 320},
                    PictureRow{"AxisMillimetre", kAxisGraph, 0.001, 0.002, 0.001, 651, 320},
                    PictureRow{"LinesMillimetre", kFieldLinesGraph, 0.001, 0.002, 0.001, 651, 320},
                    PictureRow{"AxisJustUnderHalfAMetre", kAxisGraph, 0.2, 0.5, 0.499, 651, 320},
                    PictureRow{"LinesHalfAMetre", kFieldLinesGraph, 0.2, 0.5, 0.5, 651, 320},
                    PictureRow{"AxisTenMetres", kAxisGraph, 10, 10, 10, 651, 320},
                    PictureRow{"LinesTenMetres", kFieldLinesGraph, 10, 10, 10, 651, 320},
                    PictureRow{"AxisLongCoilFlatTop", kAxisGraph, 0.2, 10, 2, 651, 320},
                    PictureRow{"AxisLabCoilInMilliTesla", kAxisGraph, 0.021, 0.16, 0.2, 651, 320, kLabCoil},
                    PictureRow{"AxisCurrentReversed", kAxisGraph, 0.2, 1, 2, 651, 320, CoilCurrent{800, -1.5}},
                    PictureRow{"AxisHugeField", kAxisGraph, 0.001, 0.001, 2, 651, 320, CoilCurrent{1'000'000, 1000}},
                    PictureRow{"AxisLarge", kAxisGraph, 0.2, 1, 2, 1600, 900, kLabCoil},
                    PictureRow{"LinesLargeWithMap", kFieldLinesGraph, 0.2, 1, 0.3, 1600, 900, std::nullopt, true},
                    PictureRow{"LinesWithMap", kFieldLinesGraph, 0.2, 1, 2, 651, 320, std::nullopt, true},
                    PictureRow{"AxisWideStrip", kAxisGraph, 0.2, 1, 2, 3000, 120}, PictureRow{"LinesWideStrip", kFieldLinesGraph, 0.2, 1, 2, 3000, 120},
                    PictureRow{"LinesTallStrip", kFieldLinesGraph, 0.2, 1, 0.001, 120, 3000},
                    PictureRow{"AxisSmall", kAxisGraph, 0.2, 1, 2, 200, 120},
                    PictureRow{"AxisOpposedPair", kAxisGraph, 0.2, 0.02, 0.6, 651, 320, std::nullopt, false,
                               PairArrangement({0.2, true})},
                    PictureRow{"AxisLabCoilAtRatioOneAndAHalf", kAxisGraph, 0.021, 0.16, 0.2, 651, 320, kLabCoil, false, SingleCoil(), 1.5},
                    PictureRow{"LinesWithMapAtRatioTwo", kFieldLinesGraph, 0.2, 1, 2, 651, 320, std::nullopt, true, SingleCoil(), 2},
                    PictureRow{"AxisAtRatioThree", kAxisGraph, 0.2, 1, 2, 651, 320, std::nullopt, false, SingleCoil(), 3},
                    PictureRow{"AxisSmallAtFractionalRatio", kAxisGraph, 0.2, 1, 2, 200, 120, std::nullopt, false, SingleCoil(), 2.625},
                    PictureRow{"AxisLargeLabels", kAxisGraph, 0.2, 1, 2, 651, 320, kLabCoil, false, SingleCoil(), 1, true},
                    PictureRow{"LinesLargeLabelsWithMap", kFieldLinesGraph, 0.2, 1, 0.3, 651, 320, std::nullopt, true, SingleCoil(), 1, true},
                    PictureRow{"AxisOpposedPairLargeLabelsAtRatioTwo", kAxisGraph, 0.2, 0.02, 0.6, 651, 320, std::nullopt, false,
                               PairArrangement({0.2, true}), 2, true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
