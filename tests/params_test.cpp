// The line-count box's text, the values typed in metres, and the scroll positions.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>
#include <string>

#include "params/coil_arrangement.h"
#include "params/coil_size_text.h"
#include "params/line_count_text.h"
#include "params/scroll_position.h"
#include "test_support.h"

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

// A typed value: what the dialogs, the page's address and the export tool take,
// read once; its expected double is the compiler's reading of the same decimal.
struct TypedRow {
    const char* name;
    std::pair<std::optional<double>, Message> (*read)(const std::string&);  // the value or why not
    std::string text;
    std::optional<double> value;  // nothing: refused with a sentence
};

template <class Reading, auto value>
std::pair<std::optional<double>, Message> ValueOrWhy(const Reading& r) { return {r.*value, r.refusal}; }
std::pair<std::optional<double>, Message> Metres(const std::string& t) { return ValueOrWhy<MetresReading, &MetresReading::metres>(MetresFromText(t)); }
std::pair<std::optional<double>, Message> Pair(const std::string& t) { return ValueOrWhy<PairDistanceReading, &PairDistanceReading::metres>(PairDistanceFromText(t)); }
std::pair<std::optional<double>, Message> Lines(const std::string& t) { return ValueOrWhy<LineCountReading, &LineCountReading::lines>(WrittenLineCount(t)); }

class TypedValue : public testing::TestWithParam<TypedRow> {};

TEST_P(TypedValue, ReadsTheDecimalWrittenOrRefuses)
{
    const TypedRow& row = GetParam();
    const auto [read, refusal] = row.read(row.text);
    const std::string why = RussianText(refusal);
    ASSERT_EQ(read.has_value(), row.value.has_value()) << '"' << row.text << "\" " << why;
    EXPECT_EQ(why.empty(), read.has_value());  // a refusal always says why
    EXPECT_TRUE(WithoutRussian(Text(refusal, English()))) << Text(refusal, English());
    if (read) {
        EXPECT_EQ(*read, *row.value);
        EXPECT_EQ(std::signbit(*read), std::signbit(*row.value));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TypedValue,
    testing::Values(TypedRow{"LabSheetRadius", &Metres, "0.02524", 0.02524}, TypedRow{"DecimalComma", &Metres, " 0,02524\t", 0.02524},
                    TypedRow{"Millimetres", &Metres, "0.021", 0.021}, TypedRow{"ManyDecimals", &Metres, "9.99999999999", 9.99999999999},
                    TypedRow{"Exponent", &Metres, "1e-7", 1e-7}, TypedRow{"NegativeZero", &Metres, "-0", 0.0},
                    TypedRow{"TenMetres", &Metres, "10", 10.0}, TypedRow{"BeyondTen", &Metres, "10.0000000001", std::nullopt},
                    TypedRow{"BelowZero", &Metres, "-0.00001", std::nullopt}, TypedRow{"NotANumber", &Metres, "0.5m", std::nullopt},
                    TypedRow{"PairFinerThanMillimetre", &Pair, "0,2005", 0.2005}, TypedRow{"PairTwentyMetres", &Pair, "20", 20.0},
                    TypedRow{"PairBeyond", &Pair, "20.001", std::nullopt},
                    // the line count as the page writes it into its address after a run
                    TypedRow{"LinesNegative", &Lines, "-3", -3.0}, TypedRow{"LinesFraction", &Lines, "2.5", 2.5},
                    TypedRow{"LinesExponent", &Lines, "1e-7", 1e-7}, TypedRow{"LinesFarBelow", &Lines, "-1e+300", -1e300},
                    TypedRow{"LinesMost", &Lines, "200", 200.0}, TypedRow{"LinesTooMany", &Lines, "200.5", std::nullopt},
                    TypedRow{"LinesCommaReadOtherwise", &Lines, "2,5", std::nullopt},
                    TypedRow{"LinesHexadecimal", &Lines, "&H10", std::nullopt}, TypedRow{"LinesInfinite", &Lines, "-1e400", std::nullopt}),
    [](const testing::TestParamInfo<TypedRow>& info) { return std::string(info.param.name); });

// Positions are tenths of a metre; a value goes to the nearest position within the bar.
TEST(ScrollPosition, ValuesGoToTheNearestPositionWithinTheBar)
{
    for (int position = kScrollBottomEnd; position <= kScrollTopEnd; ++position)
        EXPECT_EQ(ScrollPositionOfValue(ValueOfScrollPosition(position), 10), position) << position;
    for (const auto& [value, position] : {std::pair{0.36, 4}, {0.34, 3}, {-1.0, kScrollBottomEnd}, {kInf, kScrollTopEnd}, {std::nan(""), kScrollBottomEnd}})
        EXPECT_EQ(ScrollPositionOfValue(value, 10), position) << value;
}
