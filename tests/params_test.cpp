// The parameter record, the line-count box's text, the scroll positions and
// the graph list.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>
#include <string>

#include "params/calc_params.h"
#include "params/graph_choice.h"
#include "params/line_count_text.h"
#include "params/scroll_position.h"

namespace {

const double kInf = std::numeric_limits<double>::infinity();

}  // namespace

TEST(SetDefaults, FillsTheStartValuesWithTheProgramsOwnPiAndLeavesTheGraphKindToTheList)
{
    CalcParams p;
    SetDefaults(p);
    EXPECT_EQ(p.radius, 0.2);
    EXPECT_EQ(p.length, 1.0);
    EXPECT_EQ(p.halfRange, 2.0);
    EXPECT_EQ(p.lineCount, 7.0);
    EXPECT_EQ(p.pointCount, 100);
    EXPECT_EQ(p.yMin, 0.0f);
    EXPECT_EQ(p.yMax, 1.0f);
    EXPECT_EQ(p.scrollScale, 10.0f);
    EXPECT_EQ(p.graphMode, 0);
    EXPECT_EQ(p.piValue, 3.1415926);
    EXPECT_EQ(p.twoPi, 6.2831852);
    EXPECT_EQ(p.angleStep, 0.0125663704);  // exactly twoPi / 500
}

TEST(LineCountFromText, ReadsTheNumberTheTextBeginsWith)
{
    const struct {
        std::string text;
        double value;
    } cases[] = {
        // the leading number; the point is the only decimal separator
        {"7", 7}, {"", 0}, {"12abc", 12}, {"3.5", 3.5}, {"3,5", 3}, {"-4", -4}, {"+4", 4}, {"abc", 0}, {".5", 0.5},
        {"1.2.3", 1.2}, {"-", 0}, {".", 0}, {"семь", 0}, {"7 линий", 7}, {"000000000000000000000000000000000003.5", 3.5},
        // blanks, tabs and line feeds anywhere
        {" 1 2", 12}, {"\t- 1\n0 . 2 5", -10.25}, {"1 E 1", 10}, {"& H 0A", 10}, {"   ", 0},
        // exponents in either case; one without digits is not read
        {"1E1", 10}, {"1e1", 10}, {"25E-1", 2.5}, {"2E+2", 200}, {"1E", 1}, {"1E+x", 1}, {"0.000e5", 0},
        {"0.000000000000000000000000000001e30", 1},
        // hexadecimal and octal whole numbers; 8 is no octal digit
        {"&H0A", 10}, {"&hff", 255}, {"&O17", 15}, {"&o78", 7}, {"&H", 0}, {"&X1", 0}, {"&", 0},
        // beyond a double: infinite, never NaN
        {"1E400", kInf}, {"-1E400", -kInf}, {"1E99999999999999999999999", kInf}, {"1E-400", 0},
        {"1E-99999999999999999999999", 0}, {std::string(400, '9'), kInf}, {"&H" + std::string(300, 'F'), kInf},
        {"inf", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LineCountFromText(c.text), c.value) << '"' << c.text << '"';
    EXPECT_FALSE(std::isnan(LineCountFromText("nan")));
}

TEST(LineCountFromText, ReadsBackEveryPrintedDoubleExactly)
{
    const double values[] = {0.1, 1.0 / 3, 7, 199.99999999999997, 200.00000000000003, 1e-300, 4.9406564584124654e-324,
                             2.2250738585072014e-308, 1.7976931348623157e308, -123456.789e-20, 6.02214076e23};
    for (double v : values) {
        char text[64];
        std::snprintf(text, sizeof text, "%.17g", v);
        EXPECT_EQ(LineCountFromText(text), v) << text;
        EXPECT_EQ(LineCountFromText(std::string(text) + "xyz"), v) << text;
    }
}

TEST(ScrollPosition, ATenthOfAMetreAsADoubleAndBackFromTheStartValues)
{
    EXPECT_EQ(ValueOfScrollPosition(0), 0.0);
    EXPECT_EQ(ValueOfScrollPosition(3), 0.30000000000000004);  // 3 x 0.1, not 0.3
    EXPECT_EQ(ValueOfScrollPosition(100), 10.0);
    CalcParams p;
    SetDefaults(p);
    EXPECT_EQ(ScrollPositionOfValue(p.radius, p.scrollScale), 2);
    EXPECT_EQ(ScrollPositionOfValue(p.length, p.scrollScale), 10);
    EXPECT_EQ(ScrollPositionOfValue(p.halfRange, p.scrollScale), 20);
    for (int position = kScrollBottomEnd; position <= kScrollTopEnd; ++position)
        EXPECT_EQ(ScrollPositionOfValue(ValueOfScrollPosition(position), p.scrollScale), position) << position;
    // A start position stays within the bar; a zero scale divides to infinity.
    EXPECT_EQ(ScrollPositionOfValue(-1, 10), kScrollBottomEnd);
    EXPECT_EQ(ScrollPositionOfValue(11, 10), kScrollTopEnd);
    EXPECT_EQ(ScrollPositionOfValue(kInf, 10), kScrollTopEnd);
    EXPECT_EQ(ScrollPositionOfValue(std::nan(""), 10), kScrollBottomEnd);
    EXPECT_EQ(ScrollPositionOfValue(1, 0), kScrollTopEnd);
}

TEST(GraphChoice, OnlyTheTwoEntriesSwitchTheLineCountBox)
{
    const struct {
        const char* text;
        int16_t graphMode;
        std::optional<bool> showLineCount;
    } cases[] = {
        {"поле на оси Hz(z)", kAxisGraph, false},
        {"линии напряженности", kFieldLinesGraph, true},
        // any other text draws the axis graph and keeps the box as it is
        {"", kAxisGraph, std::nullopt},
        {"Поле на оси Hz(z)", kAxisGraph, std::nullopt},
        {"поле на оси Hz(z) ", kAxisGraph, std::nullopt},
        {"линии напряжённости", kAxisGraph, std::nullopt},
    };
    for (const auto& c : cases) {
        const GraphChoice choice = GraphChoiceOfEntry(c.text);
        EXPECT_EQ(choice.graphMode, c.graphMode) << c.text;
        EXPECT_EQ(choice.showLineCount, c.showLineCount) << c.text;
    }
}
