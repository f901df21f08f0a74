#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "tools/render_arguments.h"

using Action = ParsedArguments::Action;

namespace {

ParsedArguments parse(std::vector<std::string> args) { return ParseRenderArguments(args); }

// The options of a command line that must be accepted.
RenderOptions accepted(std::vector<std::string> args)
{
    const ParsedArguments parsed = ParseRenderArguments(args);
    EXPECT_EQ(parsed.action, Action::Render) << parsed.error;
    return parsed.options;
}

// The message of a command line that must be refused: one line of Russian.
std::string refusal(std::vector<std::string> args)
{
    const ParsedArguments parsed = ParseRenderArguments(args);
    EXPECT_EQ(parsed.action, Action::Refuse);
    EXPECT_FALSE(parsed.error.empty());
    EXPECT_EQ(parsed.error.find('\n'), std::string::npos);
    EXPECT_NE(parsed.error.find_first_of("\xD0\xD1"), std::string::npos) << "not Cyrillic: " << parsed.error;
    return parsed.error;
}

}  // namespace

TEST(RenderArguments, StartValuesOfTheProgramByDefault)
{
    const RenderOptions o = accepted({"--output", "a.png"});
    EXPECT_EQ(o.params.radius, 0.2);
    EXPECT_EQ(o.params.length, 1);
    EXPECT_EQ(o.params.halfRange, 2);
    EXPECT_EQ(o.params.graphMode, kAxisGraph);
    EXPECT_EQ(o.params.lineCount, 7);
    EXPECT_EQ(o.params.pointCount, 100);
    EXPECT_EQ(o.width, 651);
    EXPECT_EQ(o.height, 320);
    EXPECT_EQ(o.output, "a.png");
    EXPECT_EQ(o.format, OutputFormat::Png);
}

TEST(RenderArguments, EveryOptionInBothSpellings)
{
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
    EXPECT_EQ(o.format, OutputFormat::Svg);
    EXPECT_EQ(accepted({"--graph", "axis", "--output", "a.png"}).params.graphMode, kAxisGraph);
}

TEST(RenderArguments, TheExtensionPicksTheFormat)
{
    EXPECT_EQ(accepted({"--output", "a.png"}).format, OutputFormat::Png);
    EXPECT_EQ(accepted({"--output", "a.Pdf"}).format, OutputFormat::Pdf);
    EXPECT_EQ(accepted({"--output", "dir.v2/данные.csv"}).format, OutputFormat::Csv);
    EXPECT_EQ(accepted({"--output", "a.b.svg"}).format, OutputFormat::Svg);
    for (const char* bad : {"a.txt", "a", "png", "dir.png/a", "a.png.", ""})
        EXPECT_NE(refusal({"--output", bad}).find(".png, .svg, .pdf или .csv"), std::string::npos) << bad;
    EXPECT_NE(refusal({"--radius", "1"}).find("--output"), std::string::npos);  // the file is required
}

TEST(RenderArguments, LengthsAreRealsFromZeroToTen)
{
    EXPECT_EQ(accepted({"--radius", "0", "--output", "a.png"}).params.radius, 0);
    EXPECT_EQ(accepted({"--radius", "10", "--output", "a.png"}).params.radius, 10);
    EXPECT_EQ(accepted({"--length", ".5", "--output", "a.png"}).params.length, 0.5);
    EXPECT_EQ(accepted({"--half-range", "1e-3", "--output", "a.png"}).params.halfRange, 0.001);
    const double minusZero = accepted({"--radius", "-0", "--output", "a.png"}).params.radius;
    EXPECT_EQ(minusZero, 0);
    EXPECT_FALSE(std::signbit(minusZero));

    for (const char* bad : {"abc", "", "-0.1", "10.000001", "11", "nan", "inf", "-inf", "1e400", "0,5", "0.5m",
                            " 0.5", "0.5 ", "+0.5", "0x1p-2", "1..2"}) {
        const std::string message = refusal({"--radius", bad, "--output", "a.png"});
        EXPECT_NE(message.find("Радиус соленоида (--radius)"), std::string::npos) << bad;
        EXPECT_NE(message.find("от 0 до 10"), std::string::npos) << bad;
    }
    EXPECT_NE(refusal({"--length", "x", "--output", "a.png"}).find("--length"), std::string::npos);
    EXPECT_NE(refusal({"--half-range", "-2", "--output", "a.png"}).find("--half-range"), std::string::npos);
}

TEST(RenderArguments, LineCountIsReadLikeTheLineCountBox)
{
    const auto lines = [](const char* text) { return accepted({"--lines", text, "--output", "a.csv"}).params.lineCount; };
    EXPECT_EQ(lines("12abc"), 12);
    EXPECT_EQ(lines("abc"), 0);
    EXPECT_EQ(lines("-4"), -4);
    EXPECT_EQ(lines("&H0A"), 10);
    EXPECT_EQ(lines("201"), 201);  // the run refuses it, with the window's words
    EXPECT_TRUE(std::isinf(lines("1e999")));
}

TEST(RenderArguments, PictureSizeWithinMemoryLimits)
{
    const RenderOptions largest = accepted({"--size", "20000x5000", "--output", "a.png"});
    EXPECT_EQ(largest.width, 20000);
    EXPECT_EQ(largest.height, 5000);
    EXPECT_EQ(accepted({"--size", "1x1", "--output", "a.png"}).width, 1);

    for (const char* bad : {"651", "651x", "x320", "651x320x2", "-5x5", "5x-5", "+5x5", "5.5x5", "651*320", "abc", ""})
        EXPECT_NE(refusal({"--size", bad, "--output", "a.png"}).find("ШИРИНАxВЫСОТА"), std::string::npos) << bad;
    for (const char* zero : {"0x320", "651x0", "000x1"})
        EXPECT_NE(refusal({"--size", zero, "--output", "a.png"}).find("больше нуля"), std::string::npos) << zero;
    for (const char* big : {"20001x1", "1x20001", "10001x10000", "99999999999999999999999x1"})
        EXPECT_NE(refusal({"--size", big, "--output", "a.png"}).find("слишком велик"), std::string::npos) << big;
}

TEST(RenderArguments, MistakesInTheCommandLine)
{
    EXPECT_NE(refusal({"--bogus", "--output", "a.png"}).find("«--bogus»"), std::string::npos);
    EXPECT_NE(refusal({"-r", "1", "--output", "a.png"}).find("«-r»"), std::string::npos);
    EXPECT_NE(refusal({"--output", "a.png", "b.png"}).find("«b.png»"), std::string::npos);
    EXPECT_NE(refusal({"--output"}).find("После --output нужно значение."), std::string::npos);
    EXPECT_NE(refusal({"--output", "a.png", "--radius"}).find("После --radius"), std::string::npos);
    EXPECT_NE(refusal({"--radius", "1", "--radius=2", "--output", "a.png"}).find("задан дважды"), std::string::npos);
    EXPECT_NE(refusal({"--graph", "Lines", "--output", "a.png"}).find("axis или lines"), std::string::npos);
    EXPECT_NE(refusal({"--help=yes"}).find("--help"), std::string::npos);
}

TEST(RenderArguments, TheUsersTextStaysOneShortLineInMessages)
{
    const std::string message = refusal({"--radius", "1\n2\r\x1b[31m", "--output", "a.png"});
    EXPECT_NE(message.find("«1?2??[31m»"), std::string::npos) << message;

    std::string longText(100, 'a');
    longText += "ж";
    const std::string cut = refusal({"--graph", "ффффффффффффффффффффффффффффффффффффф", "--output", "a.png"});
    EXPECT_NE(cut.find("…»"), std::string::npos);
    EXPECT_EQ(cut.find("\xD1…"), std::string::npos);  // never cut inside a character
    EXPECT_LT(refusal({"--graph", longText, "--output", "a.png"}).size(), 200u);
}

TEST(RenderArguments, HelpIsShownWhenAskedFor)
{
    EXPECT_EQ(parse({"--help"}).action, Action::ShowHelp);
    EXPECT_EQ(parse({"--radius", "1", "--help", "--bogus"}).action, Action::ShowHelp);
    EXPECT_EQ(parse({"--bogus", "--help"}).action, Action::Refuse);  // a mistake before it is reported
    EXPECT_EQ(parse({"--output", "--help"}).action, Action::Refuse);  // a file name, not the option
    EXPECT_NE(kRenderHelp.find("Использование: zoreks-render"), std::string::npos);
    for (const char* option : {"--radius", "--length", "--half-range", "--graph", "--lines", "--size", "--output"})
        EXPECT_NE(kRenderHelp.find(option), std::string::npos) << option;
}
