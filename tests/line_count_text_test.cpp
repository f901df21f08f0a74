#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include "params/line_count_text.h"

TEST(LineCountFromText, ReadsTheNumberTheTextBeginsWith)
{
    EXPECT_EQ(LineCountFromText("7"), 7);
    EXPECT_EQ(LineCountFromText(""), 0);
    EXPECT_EQ(LineCountFromText("12abc"), 12);
    EXPECT_EQ(LineCountFromText("3.5"), 3.5);
    EXPECT_EQ(LineCountFromText("3,5"), 3);  // the point is the only decimal separator
    EXPECT_EQ(LineCountFromText("-4"), -4);
    EXPECT_EQ(LineCountFromText("+4"), 4);
    EXPECT_EQ(LineCountFromText("abc"), 0);
    EXPECT_EQ(LineCountFromText(".5"), 0.5);
    EXPECT_EQ(LineCountFromText("1.2.3"), 1.2);
    EXPECT_EQ(LineCountFromText("-"), 0);
    EXPECT_EQ(LineCountFromText("."), 0);
    EXPECT_EQ(LineCountFromText("семь"), 0);
    EXPECT_EQ(LineCountFromText("7 линий"), 7);
}

TEST(LineCountFromText, IgnoresBlanksTabsAndLineFeedsAnywhere)
{
    EXPECT_EQ(LineCountFromText(" 1 2"), 12);
    EXPECT_EQ(LineCountFromText("\t- 1\n0 . 2 5"), -10.25);
    EXPECT_EQ(LineCountFromText("1 E 1"), 10);
    EXPECT_EQ(LineCountFromText("& H 0A"), 10);
    EXPECT_EQ(LineCountFromText("   "), 0);
}

TEST(LineCountFromText, ReadsExponentsInEitherCase)
{
    EXPECT_EQ(LineCountFromText("1E1"), 10);
    EXPECT_EQ(LineCountFromText("1e1"), 10);
    EXPECT_EQ(LineCountFromText("25E-1"), 2.5);
    EXPECT_EQ(LineCountFromText("2E+2"), 200);
    EXPECT_EQ(LineCountFromText("1E"), 1);  // an exponent without digits is not read
    EXPECT_EQ(LineCountFromText("1E+x"), 1);
    EXPECT_EQ(LineCountFromText("0.000e5"), 0);
}

TEST(LineCountFromText, ReadsHexadecimalAndOctalWholeNumbers)
{
    EXPECT_EQ(LineCountFromText("&H0A"), 10);
    EXPECT_EQ(LineCountFromText("&hff"), 255);
    EXPECT_EQ(LineCountFromText("&O17"), 15);
    EXPECT_EQ(LineCountFromText("&o78"), 7);  // 8 is no octal digit
    EXPECT_EQ(LineCountFromText("&H"), 0);
    EXPECT_EQ(LineCountFromText("&X1"), 0);
    EXPECT_EQ(LineCountFromText("&"), 0);
}

TEST(LineCountFromText, NumbersBeyondADoubleBecomeInfiniteNeverNaN)
{
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(LineCountFromText("1E400"), inf);
    EXPECT_EQ(LineCountFromText("-1E400"), -inf);
    EXPECT_EQ(LineCountFromText("1E99999999999999999999999"), inf);
    EXPECT_EQ(LineCountFromText("1E-400"), 0);
    EXPECT_EQ(LineCountFromText("1E-99999999999999999999999"), 0);
    EXPECT_EQ(LineCountFromText(std::string(400, '9')), inf);
    EXPECT_EQ(LineCountFromText("&H" + std::string(300, 'F')), inf);
    EXPECT_FALSE(std::isnan(LineCountFromText("nan")));
    EXPECT_EQ(LineCountFromText("inf"), 0);
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
    // Many zeros before the first significant digit do not disturb the rounding.
    EXPECT_EQ(LineCountFromText("0.000000000000000000000000000001e30"), 1);
    EXPECT_EQ(LineCountFromText("000000000000000000000000000000000000003.5"), 3.5);
}
