// The line-count box's text and the scroll positions.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include "params/line_count_text.h"
#include "params/scroll_position.h"

static const double kInf = std::numeric_limits<double>::infinity();

TEST(LineCountFromText, ReadsTheNumberTheTextBeginsWith)
{
    const std::pair<std::string, double> cases[] = {
        // the leading number; the point is the only decimal separator
        {"7", 7}, {"", 0}, {"12abc", 12}, {"3,5", 3}, {"-4", -4}, {"+4", 4}, {".5", 0.5}, {"1.2.3", 1.2}, {"семь", 0},
        {"000000000000000000000000000000000003.5", 3.5},
        // blanks, tabs and line feeds anywhere
        {"\t- 1\n0 . 2 5", -10.25}, {"& H 0A", 10},
        // exponents in either case; one without digits is not read
        {"1e1", 10}, {"25E-1", 2.5}, {"2E+2", 200}, {"1E+x", 1}, {"0.000000000000000000000000000001e30", 1},
        // hexadecimal and octal whole numbers; 8 is no octal digit
        {"&hff", 255}, {"&O17", 15}, {"&o78", 7}, {"&X1", 0},
        // beyond a double: infinite, never NaN
        {"1E400", kInf}, {"-1E400", -kInf}, {"1E99999999999999999999999", kInf}, {"1E-400", 0},
        {std::string(400, '9'), kInf}, {"&H" + std::string(300, 'F'), kInf}, {"inf", 0}, {"nan", 0},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(LineCountFromText(text), value) << '"' << text << '"';
    // Every printed double reads back exactly, whatever follows it.
    for (double v : {0.1, 1.0 / 3, 199.99999999999997, 4.9406564584124654e-324, 1.7976931348623157e308, -123456.789e-20}) {
        char text[64];
        std::snprintf(text, sizeof text, "%.17gxyz", v);
        EXPECT_EQ(LineCountFromText(text), v) << text;
    }
}

// Positions are tenths of a metre; a value goes to the nearest position within the bar.
TEST(ScrollPosition, ValuesGoToTheNearestPositionWithinTheBar)
{
    for (int position = kScrollBottomEnd; position <= kScrollTopEnd; ++position)
        EXPECT_EQ(ScrollPositionOfValue(ValueOfScrollPosition(position), 10), position) << position;
    for (const auto& [value, position] : {std::pair{0.36, 4}, {0.34, 3}, {-1.0, kScrollBottomEnd}, {kInf, kScrollTopEnd}, {std::nan(""), kScrollBottomEnd}})
        EXPECT_EQ(ScrollPositionOfValue(value, 10), position) << value;
}
