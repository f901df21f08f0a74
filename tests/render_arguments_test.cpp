#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "tools/render_arguments.h"

using Action = ParsedArguments::Action;
using Args = std::vector<std::string>;

namespace {

// The options of a command line that must be accepted.
RenderOptions accepted(const Args& args)
{
    const ParsedArguments parsed = ParseRenderArguments(args);
    EXPECT_EQ(parsed.action, Action::Render) << parsed.error;
    return parsed.options;
}

// With an output file.
RenderOptions acceptedWith(const std::string& option, const std::string& value)
{
    return accepted({option, value, "--output", "a.csv"});
}

}  // namespace

TEST(RenderArguments, StartValuesOfTheProgramByDefaultAndEveryOptionInBothSpellings)
{
    const RenderOptions d = accepted({"--output", "a.png"});
    EXPECT_EQ(d.params.radius, 0.2);
    EXPECT_EQ(d.params.length, 1);
    EXPECT_EQ(d.params.halfRange, 2);
    EXPECT_EQ(d.params.graphMode, kAxisGraph);
    EXPECT_EQ(d.params.lineCount, 7);
    EXPECT_EQ(d.params.pointCount, 100);
    EXPECT_EQ(d.width, 651);
    EXPECT_EQ(d.height, 320);
    EXPECT_EQ(d.output, "a.png");

    const RenderOptions o = accepted({"--radius", "0.35", "--length=2.5", "--half-range", "1e1", "--graph=lines",
                                      "--lines", "3.5", "--size", "800X600", "--output=out/Pic.SVG"});
    EXPECT_EQ(o.params.radius, 0.35);
    EXPECT_EQ(o.params.length, 2.5);
    EXPECT_EQ(o.params.halfRange, 10);
    EXPECT_EQ(o.params.graphMode, kFieldLinesGraph);
    EXPECT_EQ(o.params.lineCount, 3.5);
    EXPECT_EQ(o.width, 800);
    EXPECT_EQ(o.height, 600);
    EXPECT_EQ(o.output, "out/Pic.SVG");
    EXPECT_EQ(acceptedWith("--graph", "axis").params.graphMode, kAxisGraph);

    // The extension picks the format.
    const std::pair<const char*, OutputFormat> formats[] = {{"a.png", OutputFormat::Png}, {"a.Pdf", OutputFormat::Pdf},
                                                            {"dir.v2/данные.csv", OutputFormat::Csv},
                                                            {"a.b.svg", OutputFormat::Svg}, {"out/Pic.SVG", OutputFormat::Svg}};
    for (const auto& [file, format] : formats)
        EXPECT_EQ(accepted({"--output", file}).format, format) << file;
}

TEST(RenderArguments, LengthsSizesAndTheLineCountWithinTheirRanges)
{
    EXPECT_EQ(acceptedWith("--radius", "0").params.radius, 0);
    EXPECT_EQ(acceptedWith("--radius", "10").params.radius, 10);
    EXPECT_EQ(acceptedWith("--length", ".5").params.length, 0.5);
    EXPECT_EQ(acceptedWith("--half-range", "1e-3").params.halfRange, 0.001);
    const double minusZero = acceptedWith("--radius", "-0").params.radius;
    EXPECT_EQ(minusZero, 0);
    EXPECT_FALSE(std::signbit(minusZero));
    EXPECT_EQ(acceptedWith("--size", "20000x5000").width, 20000);
    EXPECT_EQ(acceptedWith("--size", "20000x5000").height, 5000);
    EXPECT_EQ(acceptedWith("--size", "1x1").width, 1);
    // The line count is read like the line-count box; the run refuses 201 with the window's words.
    const std::pair<const char*, double> lines[] = {{"12abc", 12}, {"abc", 0}, {"-4", -4}, {"&H0A", 10}, {"201", 201}};
    for (const auto& [text, count] : lines)
        EXPECT_EQ(acceptedWith("--lines", text).params.lineCount, count) << text;
    EXPECT_TRUE(std::isinf(acceptedWith("--lines", "1e999").params.lineCount));
}

TEST(RenderArguments, EveryMistakeIsOneRussianLineThatNamesIt)
{
    std::vector<std::pair<Args, std::string>> cases;
    for (const char* bad : {"abc", "", "-0.1", "10.000001", "11", "nan", "inf", "-inf", "1e400", "0,5", "0.5m", " 0.5",
                            "0.5 ", "+0.5", "0x1p-2", "1..2"})
        cases.push_back({{"--radius", bad, "--output", "a.png"}, "Радиус соленоида (--radius) задается числом от 0 до 10"});
    for (const char* bad : {"a.txt", "a", "png", "dir.png/a", "a.png.", ""})
        cases.push_back({{"--output", bad}, ".png, .svg, .pdf или .csv"});
    for (const char* bad : {"651", "651x", "x320", "651x320x2", "-5x5", "5x-5", "+5x5", "5.5x5", "651*320", "abc", ""})
        cases.push_back({{"--size", bad, "--output", "a.png"}, "ШИРИНАxВЫСОТА"});
    for (const char* zero : {"0x320", "651x0", "000x1"})
        cases.push_back({{"--size", zero, "--output", "a.png"}, "больше нуля"});
    for (const char* big : {"20001x1", "1x20001", "10001x10000", "99999999999999999999999x1"})
        cases.push_back({{"--size", big, "--output", "a.png"}, "слишком велик"});
    const std::pair<Args, std::string> others[] = {
        {{"--radius", "1"}, "--output"},  // the file is required
        {{"--length", "x", "--output", "a.png"}, "--length"},
        {{"--half-range", "-2", "--output", "a.png"}, "--half-range"},
        {{"--bogus", "--output", "a.png"}, "«--bogus»"},
        {{"-r", "1", "--output", "a.png"}, "«-r»"},
        {{"--output", "a.png", "b.png"}, "«b.png»"},
        {{"--output"}, "После --output нужно значение."},
        {{"--output", "a.png", "--radius"}, "После --radius"},
        {{"--radius", "1", "--radius=2", "--output", "a.png"}, "задан дважды"},
        {{"--graph", "Lines", "--output", "a.png"}, "«Lines»"},
        {{"--help=yes"}, "--help"},
        {{"--bogus", "--help"}, "«--bogus»"},          // a mistake before it is reported
        {{"--output", "--help"}, ".png, .svg, .pdf"},  // a file name, not the option
        // the user's text stays one short line, never cut inside a character
        {{"--radius", "1\n2\r\x1b[31m", "--output", "a.png"}, "«1?2??[31m»"},
        {{"--graph", "ффффффффффффффффффффффффффффффффффффф", "--output", "a.png"}, "ффф…»"},
        {{"--graph", std::string(100, 'a') + "ж", "--output", "a.png"}, "aaa…»"},
    };
    cases.insert(cases.end(), std::begin(others), std::end(others));
    for (const auto& [args, fragment] : cases) {
        const ParsedArguments parsed = ParseRenderArguments(args);
        EXPECT_EQ(parsed.action, Action::Refuse) << args[0] << " " << (args.size() > 1 ? args[1] : "");
        EXPECT_NE(parsed.error.find(fragment), std::string::npos) << parsed.error;
        EXPECT_EQ(parsed.error.find('\n'), std::string::npos) << parsed.error;
        EXPECT_NE(parsed.error.find_first_of("\xD0\xD1"), std::string::npos) << "not Cyrillic: " << parsed.error;
        EXPECT_LT(parsed.error.size(), 200u) << parsed.error;
    }
}

TEST(RenderArguments, HelpIsShownWhenAskedFor)
{
    EXPECT_EQ(ParseRenderArguments({"--help"}).action, Action::ShowHelp);
    EXPECT_EQ(ParseRenderArguments({"--radius", "1", "--help", "--bogus"}).action, Action::ShowHelp);
    EXPECT_NE(kRenderHelp.find("Использование: zoreks-render"), std::string::npos);
    for (const char* option : {"--radius", "--length", "--half-range", "--graph", "--lines", "--size", "--output"})
        EXPECT_NE(kRenderHelp.find(option), std::string::npos) << option;
}
