// Measured values: reading a class's tables, the units, the fit of where the coil stood and how strong it
// was, the comparison's table and how the axis graph shows them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "export/run_tables.h"
#include "field/exact_field.h"
#include "measure/axis_comparison.h"
#include "measure/measurement_reading.h"
#include "plot/comparison_drawing.h"
#include "plot/measured_point_readout.h"
#include "raster/raster_surface.h"
#include "test_support.h"

namespace {

constexpr double kMagneticConstant = 1.25663706212e-6;  // N/A^2, CODATA 2018

// B in tesla on the axis of the ideal coil, from the angles under which its ends are seen.
double IdealB(double R, double L, long turns, double amperes, double z)
{
    const double perUnit = kMagneticConstant * turns / L * amperes / 2;
    return perUnit * ((z + L / 2) / std::hypot(R, z + L / 2) - (z - L / 2) / std::hypot(R, z - L / 2));
}

// UTF-16 with a byte order mark (or without one), of a text that is ASCII but for the Cyrillic letters of its header.
std::string Utf16(const std::u16string& text, bool bigEndian, bool mark = true)
{
    std::string bytes = !mark ? "" : bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char16_t c : text) {
        const char high = static_cast<char>(c >> 8), low = static_cast<char>(c & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

std::string Named(std::string name)
{
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return name;
}

struct FormatCase {
    std::string name;
    std::string bytes;
    MeasuredUnits units;
    std::vector<MeasuredPoint> expected;  // in metres and tesla
};

class ReadingFormats : public testing::TestWithParam<FormatCase> {};

// The numbers as the file writes them, converted by the units' definitions: 1 cm = 1e-2 m, 1 mT = 1e-3 T.
std::vector<MeasuredPoint> Si(std::initializer_list<std::pair<double, double>> values, double zPerMetre = 100,
                              double bPerTesla = 1000)
{
    std::vector<MeasuredPoint> points;
    for (const auto& [z, b] : values)
        points.push_back({z / zPerMetre, b / bPerTesla});
    return points;
}

}  // namespace

TEST_P(ReadingFormats, EveryPointInTheFilesOrder)
{
    const FormatCase& c = GetParam();
    const MeasurementReading reading = ReadMeasurements(c.bytes, c.units);
    ASSERT_EQ(RussianText(reading.refusal), "");
    ASSERT_EQ(reading.points.size(), c.expected.size());
    for (size_t i = 0; i < c.expected.size(); ++i)
        EXPECT_TRUE(reading.points[i].z == c.expected[i].z && reading.points[i].b == c.expected[i].b)
            << i << ": " << reading.points[i].z << " " << reading.points[i].b;
}

INSTANTIATE_TEST_SUITE_P(
    Measurements, ReadingFormats,
    testing::Values(
        FormatCase{"comma separated with a header", "z,B\n1,2\n3,4\n5,6\n", {}, Si({{1, 2}, {3, 4}, {5, 6}})},
        FormatCase{"semicolons and decimal commas, CR LF, no last line end", "z, см;B, мТл\r\n1,5;2,25\r\n-3;4\r\n5;6,125",
                   {}, Si({{1.5, 2.25}, {-3, 4}, {5, 6.125}})},
        FormatCase{"spreadsheet unicode text: UTF-16 LE, tabs, decimal commas",
                   Utf16(u"Положение (см)\tИндукция (мТл)\r\n0,5\t4,1\r\n1\t4,3\r\n1,5\t4,25\r\n", false), {},
                   Si({{0.5, 4.1}, {1, 4.3}, {1.5, 4.25}})},
        FormatCase{"UTF-16 big-endian", Utf16(u"z\tB\n1\t2\n3\t4\n5\t6", true), {}, Si({{1, 2}, {3, 4}, {5, 6}})},
        FormatCase{"UTF-16 without a byte order mark, Cyrillic header",
                   Utf16(u"Положение\tИндукция\r\n0,5\t4,1\r\n1\t4,3\r\n1,5\t4,25\r\n", false, false), {},
                   Si({{0.5, 4.1}, {1, 4.3}, {1.5, 4.25}})},
        FormatCase{"UTF-16 big-endian without a byte order mark, Cyrillic header",
                   Utf16(u"Положение;Индукция\n1;2\n3;4\n5;6\n", true, false), {}, Si({{1, 2}, {3, 4}, {5, 6}})},
        // A blank, a no-break space, a narrow no-break space and a thin space between the groups.
        FormatCase{"digit groups in a tab-separated table", "z\tB\n-20.0\t1 286.71\n-10.0\t998.5\n0\t1\xC2\xA0" "234\xE2\x80\xAF" "567\n"
                   "10\t2\xE2\x80\x89" "000,5\n",
                   {}, Si({{-20, 1286.71}, {-10, 998.5}, {0, 1234567}, {10, 2000.5}})},
        FormatCase{"digit groups with semicolons and decimal commas", "1 000;1 098,35\n2;3\n4;5\n", {},
                   Si({{1000, 1098.35}, {2, 3}, {4, 5}})},
        FormatCase{"UTF-8 byte order mark, runs of blanks and tabs", "\xEF\xBB\xBF  1   2\n3 \t 4\n\t5 6  \n", {},
                   Si({{1, 2}, {3, 4}, {5, 6}})},
        FormatCase{"blank lines and a spreadsheet's empty rows anywhere", "\n\nz;B\n;;\n1;2\n\n  \n3;4\n; ;\n5;6\n\n", {},
                   Si({{1, 2}, {3, 4}, {5, 6}})},
        FormatCase{"the separator of the data, not of the header", "Position (cm), Field (mT);x\n1;2\n3;4\n5;6\n", {},
                   Si({{1, 2}, {3, 4}, {5, 6}})},
        FormatCase{"cells after the first two, empty cells before them", ";1;2;заметка\n;;3;4;;\n5;6;7\n", {},
                   Si({{1, 2}, {3, 4}, {5, 6}})},
        FormatCase{"repeated z, negative B, rows unsorted", "3;-1\n1;2\n3;-1\n-2;0\n", {},
                   Si({{3, -1}, {1, 2}, {3, -1}, {-2, 0}})},
        FormatCase{"quoted cells, a decimal comma inside quotes", "\"z\",\"B\"\n\"1,5\",\"2\"\n\"3\", 4.5\n5,\"6,5\"\n", {},
                   Si({{1.5, 2}, {3, 4.5}, {5, 6.5}})},
        FormatCase{"signs, exponents and the minus sign", "+1e-1 -2.5E2\n\xE2\x88\x92" "3 .5\n7. 0\n", {},
                   Si({{0.1, -250}, {-3, 0.5}, {7, 0}})},
        FormatCase{"lone CR line ends", "z;B\r1;2\r3;4\r5;6\r", {}, Si({{1, 2}, {3, 4}, {5, 6}})},
        FormatCase{"metres and tesla", "1;2\n3;4\n5;6\n", {LengthUnit::Metre, FluxDensityUnit::Tesla},
                   Si({{1, 2}, {3, 4}, {5, 6}}, 1, 1)},
        FormatCase{"millimetres and gauss", "1;2\n3;4\n5;6\n", {LengthUnit::Millimetre, FluxDensityUnit::Gauss},
                   Si({{1, 2}, {3, 4}, {5, 6}}, 1000, 1e4)}),
    [](const testing::TestParamInfo<FormatCase>& info) { return Named(info.param.name); });

struct BadFile {
    std::string name;
    std::string bytes;
    std::string refusal;
};

class ReadingBadFiles : public testing::TestWithParam<BadFile> {};

TEST_P(ReadingBadFiles, NothingAndTheLineWhereReadingStopped)
{
    const MeasurementReading reading = ReadMeasurements(GetParam().bytes, {});
    EXPECT_EQ(RussianText(reading.refusal), GetParam().refusal);
    EXPECT_TRUE(reading.points.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Measurements, ReadingBadFiles,
    testing::Values(
        BadFile{"empty", "", "строка 1: файл пуст"},
        BadFile{"blank lines only", "\n \r\n;;\n", "строка 4: файл пуст"},
        BadFile{"a header without rows", "z, см;B, мТл\r\n", "строка 2: после заголовка нет ни одной строки с числами"},
        BadFile{"two points", "z;B\n1;2\n3;4", "строка 4: всего 2 точки, а для сравнения нужны хотя бы три"},
        BadFile{"one number in a row", "1;2\n3\n5;6\n", "строка 2: одно число «3», а нужны два: z и B"},
        BadFile{"text in a number", "z;B\n1;2\n3;4\n\n5;xy\n", "строка 5: не число «xy»"},
        BadFile{"a second header", "z;B\nсм;мТл\n1;2\n3;4\n5;6\n", "строка 2: не число «см»"},
        BadFile{"NaN", "1;2\n3;NaN\n5;6\n", "строка 2: нужно конечное число, а не «NaN»"},
        BadFile{"infinity", "1;2\n-inf;4\n5;6\n", "строка 2: нужно конечное число, а не «-inf»"},
        BadFile{"beyond double", "1;2\n3;4\n1e400;6\n", "строка 3: число «1e400» слишком велико или слишком мало"},
        BadFile{"binary data", std::string("1;2\n3;4\n\x89PNG\0\x01\x02\n", 15), "строка 3: двоичные данные, а не текст"},
        BadFile{"digit groups not of three in a tab-separated table", "z\tB\n-20\t1\n-10\t1 28\n0\t3\n5\t1 2345\n",
                "строка 3: не число «1 28»"},
        BadFile{"control characters shown as ?", "1;2\n3;4\n5;\x1b[31m\n", "строка 3: не число «?[31m»"},
        BadFile{"UTF-16 cut in the middle of a character", Utf16(u"1\t2\n3\t4\n5\t6", false) + "\x36",
                "строка 3: не число «6\xEF\xBF\xBD»"}),
    [](const testing::TestParamInfo<BadFile>& info) { return Named(info.param.name); });

TEST(MeasuredUnits, TheToolsNamesExactly)
{
    const std::pair<std::string, std::optional<MeasuredUnits>> cases[] = {
        {"cm:mT", MeasuredUnits{}},
        {"m:T", MeasuredUnits{LengthUnit::Metre, FluxDensityUnit::Tesla}},
        {"mm:G", MeasuredUnits{LengthUnit::Millimetre, FluxDensityUnit::Gauss}},
        {"CM:mT", std::nullopt}, {"cm:MT", std::nullopt}, {"cm", std::nullopt}, {"cm:", std::nullopt},
        {":mT", std::nullopt}, {"cm:mT:G", std::nullopt}, {"km:mT", std::nullopt}, {"см:мТл", std::nullopt}, {"", std::nullopt},
    };
    for (const auto& [text, units] : cases)
        EXPECT_EQ(MeasuredUnitsFromText(text), units) << text;
}

TEST(PointCountText, RussianAgreementWithTheNumber)
{
    const std::pair<size_t, const char*> cases[] = {{1, "1 точка"},   {3, "3 точки"},     {5, "5 точек"},
                                                    {11, "11 точек"}, {14, "14 точек"},   {21, "21 точка"},
                                                    {22, "22 точки"}, {111, "111 точек"}, {1001, "1001 точка"}};
    for (const auto& [count, text] : cases)
        EXPECT_EQ(RussianText(PointCountText(count)), text);
}

namespace {

struct FitCase {
    std::string name;
    double R, L;
    long turns;
    double amperes;
    double z0, k;            // the truth, m and 1
    double from, step;       // ruler readings, m
    int points;
    double noise;            // standard deviation of the noise, T
    double z0Within, kWithin;
    double stray;            // a reading of B = 0 far from the rest, m; none when NaN
};

constexpr double kNoStray = NAN;

class AxisFitRecovers : public testing::TestWithParam<FitCase> {};

}  // namespace

// Synthetic measurements from the exact field, with an offset, a factor and noise: the fit finds them again.
TEST_P(AxisFitRecovers, TheOffsetAndTheFactor)
{
    const FitCase& c = GetParam();
    std::mt19937 random(22);
    std::normal_distribution<double> noise(0, c.noise);
    auto set = std::make_shared<MeasurementSet>();
    for (int i = 0; i < c.points; ++i) {
        const double z = c.from + i * c.step;
        set->points.push_back({z, c.k * IdealB(c.R, c.L, c.turns, c.amperes, z - c.z0) + (c.noise > 0 ? noise(random) : 0)});
    }
    if (!std::isnan(c.stray))
        set->points.push_back({c.stray, 0});
    const CalcParams p = RunValues(kAxisGraph, c.R, c.L);
    const AxisComparison fitted = CompareMeasurements(p, CoilCurrent{c.turns, c.amperes}, *set, true);
    ASSERT_TRUE(fitted.fitted) << RussianText(fitted.fitRefusal);
    EXPECT_NEAR(fitted.fit.z0, c.z0, c.z0Within);
    EXPECT_NEAR(fitted.fit.k, c.k, c.kWithin);
    // What is left is the noise: its RMS, within the spread of an estimate from this many points.
    EXPECT_NEAR(fitted.rms, c.noise, 0.25 * c.noise + 1e-9);
    // No place of the coil on a fine grid, with its best factor, leaves a smaller sum of squares.
    const auto squaresLeft = [&](double z0, std::optional<double> k = std::nullopt) {
        double bf = 0, ff = 0, sum = 0;
        for (const MeasuredPoint& m : set->points) {
            const double f = IdealB(c.R, c.L, c.turns, c.amperes, m.z - z0);
            bf += m.b * f;
            ff += f * f;
        }
        for (const MeasuredPoint& m : set->points)
            sum += std::pow(m.b - k.value_or(bf / ff) * IdealB(c.R, c.L, c.turns, c.amperes, m.z - z0), 2);
        return sum;
    };
    if (c.points <= 100) {
        // To the rounding of the sums, which the search cannot resolve below 1e-15 of sum B^2.
        double sumOfSquares = 0;
        for (const MeasuredPoint& m : set->points)
            sumOfSquares += m.b * m.b;
        const double fitLeaves = squaresLeft(fitted.fit.z0, fitted.fit.k) - 1e-14 * sumOfSquares;
        for (double z0 = std::min(c.from, c.z0) - c.L; z0 <= std::max(c.from + c.points * c.step, c.z0) + c.L; z0 += 1e-4 * c.L)
            ASSERT_GE(squaresLeft(z0), fitLeaves * (1 - 1e-9)) << z0;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Measurements, AxisFitRecovers,
    testing::Values(
        // The class's coil, the ruler's zero 15.3 cm before its middle, readings every 5 mm, noise of 0.03 mT.
        FitCase{"newcomer coil", 0.021, 0.16, 320, 1.8, 0.153, 0.97, 0, 0.005, 61, 3e-5, 5e-4, 0.01, kNoStray},
        FitCase{"exact values", 0.021, 0.16, 320, 1.8, 0.153, 0.97, 0, 0.005, 61, 0, 1e-8, 1e-8, kNoStray},
        FitCase{"negative current", 0.021, 0.16, 320, -1.8, -0.02, 1.05, -0.25, 0.01, 41, 3e-5, 1e-3, 0.01, kNoStray},
        FitCase{"one half of the coil only", 0.2, 1, 800, 1.5, -0.3, 1.1, -0.3, 0.02, 80, 2e-5, 5e-3, 0.01, kNoStray},
        FitCase{"ten thousand points", 0.021, 0.16, 320, 1.8, 0.05, 0.9, -0.1, 3e-5, 10000, 1e-4, 1e-3, 0.01, kNoStray},
        // Readings from 30 to 99 cm, all beyond the coil's end on one side: the middle lies 30 cm from the nearest.
        FitCase{"points on one side beyond the coil", 0.021, 0.16, 320, 1.8, 0, 1, 0.3, 0.01, 70, 0, 1e-6, 1e-6, kNoStray},
        // The same and a stray row of B = 0 a kilometre away: it changes nothing.
        FitCase{"a stray row far away", 0.021, 0.16, 320, 1.8, 0, 1, 0.3, 0.01, 70, 0, 1e-6, 1e-6, 1000},
        FitCase{"a stray row between", 0.021, 0.16, 320, 1.8, 0.153, 0.97, 0, 0.005, 61, 0, 1e-8, 1e-8, 5.5},
        // Only the far field of the coil a metre before the readings.
        FitCase{"the coil far from every point", 0.021, 0.16, 320, 1.8, -1, 1.2, 0, 0.01, 31, 0, 1e-6, 1e-6, kNoStray}),
    [](const testing::TestParamInfo<FitCase>& info) { return Named(info.param.name); });

namespace {

struct FitRefusalCase {
    const char* name;
    std::vector<MeasuredPoint> points;
    std::string refusal;
    bool byTheFit = false;  // found by the fit itself, not by FitRefusal from the points alone
    CoilArrangement coils{};
};

}  // namespace

TEST(AxisFit, PointsThatCannotFixTheOffsetAndTheFactor)
{
    const CalcParams p = RunValues(kAxisGraph);
    const CoilCurrent current{100, 1};
    std::vector<MeasuredPoint> coilsOwn;  // exactly the field of the coil, centred on the ruler's zero
    for (int i = -10; i <= 10; ++i)
        coilsOwn.push_back({0.1 * i, FluxDensityPerUnit(current, p.length) * ExactField(p, 0.1 * i, 0).hz});
    const FitRefusalCase cases[] = {
        {"one place", {{0.1, 1e-3}, {0.1, 2e-3}, {0.1, 3e-3}}, "точки сняты меньше чем в трех разных местах z"},
        {"two places", {{0.1, 1e-3}, {0.2, 2e-3}, {0.1, 3e-3}, {0.2, 1e-3}}, "точки сняты меньше чем в трех разных местах z"},
        {"no field measured", {{0.1, 0}, {0.2, 0}, {0.3, -0.0}}, "все измеренные B равны нулю"},
        {"an infinite spread", {{-1e308, 1e-3}, {0, 1e-3}, {1e308, 1e-3}}, "точки слишком далеко друг от друга"},
        {"B beyond any factor", {{0, 1e300}, {0.1, 2e300}, {0.2, 1e300}}, "измеренные B несоизмеримо больше поля этой катушки", true},
        // A uniform field is what any coil gives from infinitely far: no place is the least squares' own.
        {"the same B everywhere", {{0, 1e-3}, {0.1, 1e-3}, {0.2, 1e-3}, {0.3, 1e-3}}, "точки не показывают, где середина катушки", true},
        // Coinciding opposed coils: no field to fit, whatever was measured.
        {"coils without field", coilsOwn, "поле катушек всюду равно нулю", true, PairArrangement({0, true})},
    };
    for (const FitRefusalCase& row : cases) {
        EXPECT_EQ(RussianText(FitRefusal(row.points).value_or(Message())), row.byTheFit ? "" : row.refusal) << row.name;
        const MeasurementSet set{row.points, {}, "a.csv"};
        const AxisComparison c = CompareMeasurements(p, current, set, true, {}, row.coils);
        EXPECT_TRUE(!c.fitted && RussianText(c.fitRefusal) == row.refusal && c.fit.z0 == 0 && c.fit.k == 1 &&
                    std::isfinite(c.rms))
            << row.name << ": " << RussianText(c.fitRefusal);
    }
    const MeasurementSet set{{{0, 1}, {1, 2}, {2, 3}}, {}, "a.csv"};
    EXPECT_EQ(RussianText(CompareMeasurements(RunValues(kAxisGraph, 0.2, 0), CoilCurrent{100, 1}, set, false).refusal),
              "у соленоида нулевой длины нет поля");
}

// "z,B,B_theory,residual": a row per point in the file's order, in the coil's frame, the residual what is left.
TEST(ComparisonTable, ColumnsInTheCoilsFrame)
{
    auto set = std::make_shared<MeasurementSet>();
    for (const double z : {0.3, 0.05, 0.15, 0.15, 0.22})  // unsorted, one place twice
        set->points.push_back({z, 0.95 * IdealB(0.021, 0.16, 320, 1.8, z - 0.15) * (1 + 0.01 * z)});
    for (const bool fit : {false, true}) {
        RenderOptions o;
        o.params = RunValues(kAxisGraph, 0.021, 0.16, 0.2);
        o.format = OutputFormat::Csv;
        o.additions.winding = CoilCurrent{320, 1.8};
        o.additions.measured = set;
        o.additions.fit = fit;
        const std::string table = TableContents(o);
        ASSERT_TRUE(table.starts_with("z,B,B_theory,residual\n")) << table;
        const AxisComparison c = CompareMeasurements(o.params, *o.additions.winding, *set, fit);
        std::vector<double> v;
        for (size_t at = table.find('\n') + 1; at < table.size(); at = table.find_first_of(",\n", at) + 1)
            v.push_back(std::stod(table.substr(at)));
        ASSERT_EQ(v.size(), 4 * set->points.size());
        double squares = 0;
        for (size_t i = 0; i < set->points.size(); ++i) {
            const double z = v[4 * i], b = v[4 * i + 1], theory = v[4 * i + 2], residual = v[4 * i + 3];
            EXPECT_EQ(z, set->points[i].z - c.fit.z0) << i;
            EXPECT_EQ(b, set->points[i].b) << i;
            EXPECT_NEAR(theory, c.fit.k * IdealB(0.021, 0.16, 320, 1.8, z), 1e-14) << i;
            EXPECT_EQ(residual, b - theory) << i;
            squares += residual * residual;
        }
        EXPECT_NEAR(c.rms, std::sqrt(squares / 5), 1e-15);
        EXPECT_NEAR(c.fit.z0, fit ? 0.15 : 0, 2e-3);
    }
}

// The axis graph holds the points and the ideal coil's level; a dot at each point, the level dashed.
TEST(ComparisonDrawing, PointsAndTheLevelOfTheLongCoilInThePicture)
{
    const CoilCurrent coil{320, 1.8};
    CalcParams p = RunValues(kAxisGraph, 0.021, 0.16, 0.2);
    const double perUnit = kMagneticConstant * 320 / 0.16 * 1.8 / 2;
    auto set = std::make_shared<MeasurementSet>();
    set->points = {{0, 5 * perUnit}, {-0.1, 0.5 * perUnit}, {0.07, -1.5 * perUnit}, {0.5, 99 * perUnit}};
    RunAdditions a;
    a.winding = coil;
    a.measured = set;
    RasterSurface picture(651, 320);
    const RunOutcome out = RunCalculation(p, picture, StoppedClock, a);
    ASSERT_TRUE(out.done && out.comparison && out.comparison->refusal.empty());
    EXPECT_EQ(p.yMax, static_cast<float>(1.1 * 5));  // the highest point within the region; the one outside left out
    const auto column = [&](double z) { return static_cast<int>((z - p.zMin) * p.scaleX); };
    const auto row = [&](double v) { return static_cast<int>((p.yMax - v) * p.scaleY); };
    const auto colour = [](Rgb c) { return 0xff000000u | c.red << 16 | c.green << 8 | c.blue; };
    for (const MeasuredPoint& m : set->points) {
        if (m.z < 0.2) {
            EXPECT_EQ(picture.pixel(column(m.z), row(m.b / perUnit)), colour(kMeasuredColour)) << m.z;
        }
    }
    EXPECT_EQ(picture.pixel(2, row(2)), colour(kIdealLevelColour));
    EXPECT_EQ(picture.pixel(8, row(2)), 0xffffffffu);  // between two dashes
    // Under the cursor, within a few pixels of a dot: the point and the calculation there.
    char expected[120];
    std::snprintf(expected, sizeof expected, "\nизмерено: B = %.4g мТл при z = -0.100 м, расчет %.4g мТл",
                  500 * perUnit, 1000 * IdealB(0.021, 0.16, 320, 1.8, -0.1));
    const double x = (-0.1 - p.zMin) * p.scaleX, y = (p.yMax - 0.5) * p.scaleY;
    EXPECT_EQ(MeasuredPointReadout(p, x + 2, y - 2, *out.comparison, *set, PlainReadoutNumbers()), expected);
    EXPECT_EQ(MeasuredPointReadout(p, x + 5, y, *out.comparison, *set, PlainReadoutNumbers()), "");
    // in English its words, and its numbers with a point whatever the Russian separator
    const std::string english = MeasuredPointReadout(p, x + 2, y - 2, *out.comparison, *set, PlainReadoutNumbers(',', English()));
    EXPECT_TRUE(WithoutRussian(english) && english == MeasuredPointReadout(p, x + 2, y - 2, *out.comparison, *set,
                                                                           PlainReadoutNumbers('.', English())))
        << english;
    // Without the measurements, or without the coil's turns and current, the plain picture.
    for (RunAdditions without : {RunAdditions{}, RunAdditions{.measured = set}}) {
        CalcParams q = RunValues(kAxisGraph, 0.021, 0.16, 0.2);
        RasterSurface plain(651, 320), other(651, 320);
        RunCalculation(q, plain, StoppedClock);
        const RunOutcome o = RunCalculation(q, other, StoppedClock, without);
        EXPECT_TRUE(plain.pixels() == other.pixels() && !o.comparison);
    }
}
