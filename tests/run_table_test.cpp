#include <gtest/gtest.h>

#include <charconv>
#include <sstream>
#include <string>
#include <vector>

#include "field/axial_field.h"
#include "params/calc_params.h"
#include "plot/calculation_run.h"
#include "plot/plot_window.h"
#include "recording_surface.h"
#include "tools/run_table.h"

namespace {

std::vector<std::vector<std::string>> rows(const std::string& csv)
{
    std::vector<std::vector<std::string>> out;
    std::istringstream in(csv);
    std::string line;
    while (std::getline(in, line)) {
        std::vector<std::string> cells;
        std::istringstream cellsIn(line);
        std::string cell;
        while (std::getline(cellsIn, cell, ','))
            cells.push_back(cell);
        out.push_back(cells);
    }
    return out;
}

template <typename T>
T number(const std::string& text)
{
    T v{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), v);
    EXPECT_TRUE(error == std::errc() && end == text.data() + text.size()) << text;
    return v;
}

// The defaults with the plot window of a run on a picture of the given size.
CalcParams windowed(int16_t graphMode, int width = 651, int height = 320)
{
    CalcParams p;
    SetDefaults(p);
    p.graphMode = graphMode;
    const RecordingSurface picture(width, height);
    SetPlotWindow(p, picture);
    return p;
}

}  // namespace

TEST(RunTable, AxisCurveHasEveryPointOfTheCurveExactly)
{
    const CalcParams p = windowed(kAxisGraph);
    const std::string csv = AxisCurveTable(p);
    ASSERT_EQ(csv.back(), '\n');
    const auto table = rows(csv);
    ASSERT_EQ(table.size(), 102u);
    EXPECT_EQ(table[0], (std::vector<std::string>{"z", "Hz"}));
    for (int i = 0; i <= 100; ++i) {
        const auto& row = table[i + 1];
        ASSERT_EQ(row.size(), 2u);
        const double z = p.zMin + i * p.zStep;
        EXPECT_EQ(number<double>(row[0]), z);                    // reads back bit for bit
        EXPECT_EQ(number<float>(row[1]), AxialField(p, z)) << i;  // single precision, 9 digits
    }
    EXPECT_EQ(table[1][0], "-2");
    EXPECT_EQ(number<float>(table[51][1]), 1.8569534f);  // the peak at z = 0
}

TEST(RunTable, FieldLinesStartAtTheirSeedsAndFollowTheDrawnSteps)
{
    RecordingSurface surface(651, 320);
    CalcParams p;
    SetDefaults(p);
    p.graphMode = kFieldLinesGraph;
    ASSERT_TRUE(RunCalculation(p, surface, [] { return ClockReading{}; }).done);

    const auto table = rows(FieldLinesTable(p));
    ASSERT_GT(table.size(), 1u);
    EXPECT_EQ(table[0], (std::vector<std::string>{"line", "step", "z", "r"}));

    // Seeds: seven lines, the outermost first, at z = L/500.
    std::vector<double> seeds;
    for (size_t k = 1; k < table.size(); ++k) {
        ASSERT_EQ(table[k].size(), 4u);
        if (table[k][1] == "0") {
            EXPECT_EQ(number<int>(table[k][0]), int(seeds.size()) + 1);
            EXPECT_EQ(number<double>(table[k][2]), 1.0 / 500);
            seeds.push_back(number<double>(table[k][3]));
        }
    }
    ASSERT_EQ(seeds.size(), 7u);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(seeds[i], (7 - i) * (0.2 / 8));
    EXPECT_EQ(table[1], (std::vector<std::string>{"1", "0", "0.002", "0.17500000000000002"}));

    // Every other row is the end of a step the picture shows: the first of the
    // four mirrored segments ends at (X(z), Y0 + r * scaleX).
    std::vector<RecordingSurface::Op> segments;
    for (const auto& op : surface.of(RecordingSurface::Kind::Line))
        if (op.colour == kGraphColour)
            segments.push_back(op);
    size_t drawn = 0;
    for (size_t k = 1; k < table.size(); ++k) {
        if (table[k][1] == "0")
            continue;
        ASSERT_LT(4 * drawn, segments.size());
        const auto& segment = segments[4 * drawn++];
        const double z = number<double>(table[k][2]);
        const double r = number<double>(table[k][3]);
        EXPECT_EQ(segment.x2, static_cast<float>((z - p.zMin) * p.scaleX)) << k;
        EXPECT_EQ(segment.y2, static_cast<float>(p.yMax * p.scaleY + r * p.scaleX)) << k;
    }
    EXPECT_EQ(4 * drawn, segments.size());
}

TEST(RunTable, TheWindowOfTheRunDecidesWhereLinesEnd)
{
    // A tall picture shows more of r, so the lines that leave the coil run longer.
    const size_t wide = rows(FieldLinesTable(windowed(kFieldLinesGraph, 651, 320))).size();
    const size_t tall = rows(FieldLinesTable(windowed(kFieldLinesGraph, 320, 651))).size();
    EXPECT_GT(tall, wide);
}

TEST(RunTable, NoLinesLeavesOnlyTheHeader)
{
    CalcParams p = windowed(kFieldLinesGraph);
    p.lineCount = 0.5;
    EXPECT_EQ(FieldLinesTable(p), "line,step,z,r\n");
}
