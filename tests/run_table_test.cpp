#include <gtest/gtest.h>

#include <charconv>
#include <sstream>
#include <string>
#include <vector>

#include "field/axial_field.h"
#include "start_values.h"
#include "tools/run_table.h"

namespace {

std::vector<std::vector<std::string>> rows(const std::string& csv)
{
    std::vector<std::vector<std::string>> out;
    std::istringstream in(csv);
    for (std::string line; std::getline(in, line);) {
        out.emplace_back();
        std::istringstream cells(line);
        for (std::string cell; std::getline(cells, cell, ',');)
            out.back().push_back(cell);
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

}  // namespace

TEST(RunTable, AxisCurveHasEveryPointOfTheCurveExactly)
{
    const CalcParams p = Windowed(StartValues(kAxisGraph));
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
    EXPECT_EQ(table[1], (std::vector<std::string>{"-2", "0.00558737805"}));  // 17 and 9 significant digits at most
    EXPECT_EQ(number<float>(table[51][1]), 1.8569534f);  // the peak at z = 0
}

TEST(RunTable, FieldLinesStartAtTheirSeedsAndFollowTheDrawnSteps)
{
    RecordingSurface surface(651, 320);
    CalcParams p = StartValues(kFieldLinesGraph);
    ASSERT_TRUE(RunCalculation(p, surface, StoppedClock).done);

    const auto table = rows(FieldLinesTable(p));
    ASSERT_GT(table.size(), 1u);
    EXPECT_EQ(table[0], (std::vector<std::string>{"line", "step", "z", "r"}));
    EXPECT_EQ(table[1], (std::vector<std::string>{"1", "0", "0.002", "0.17500000000000002"}));

    // Step 0 of each line is its seed; every other row is the end of a step the
    // picture shows: the first of its four mirrored segments ends at
    // (X(z), Y0 + r * scaleX).
    std::vector<DrawOp> segments;
    for (const auto& op : surface.of(RecordingSurface::Kind::Line))
        if (op.colour == kGraphColour)
            segments.push_back(op);
    int seeds = 0;
    size_t drawn = 0;
    for (size_t k = 1; k < table.size(); ++k) {
        ASSERT_EQ(table[k].size(), 4u);
        const double z = number<double>(table[k][2]);
        const double r = number<double>(table[k][3]);
        if (table[k][1] == "0") {
            EXPECT_EQ(number<int>(table[k][0]), ++seeds);
            EXPECT_EQ(z, 1.0 / 500);
            EXPECT_EQ(r, (8 - seeds) * (0.2 / 8));
            continue;
        }
        ASSERT_LT(4 * drawn, segments.size());
        const auto& segment = segments[4 * drawn++];
        EXPECT_EQ(segment.x2, static_cast<float>((z - p.zMin) * p.scaleX)) << k;
        EXPECT_EQ(segment.y2, static_cast<float>(p.yMax * p.scaleY + r * p.scaleX)) << k;
    }
    EXPECT_EQ(seeds, 7);
    EXPECT_EQ(4 * drawn, segments.size());

    // A tall picture shows more of r, so the lines that leave the coil run longer.
    const size_t tall = rows(FieldLinesTable(Windowed(StartValues(kFieldLinesGraph), 320, 651))).size();
    EXPECT_GT(tall, table.size());
}
