// The export tool: its command line; the files the built program writes without a display; its exit codes.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <future>
#include <sstream>

#include "export/file_replacement.h"
#include "export/run_tables.h"
#include "field/axial_field.h"
#include "field/exact_field.h"
#include "lesson/lesson_switches.h"
#include "plot/picture_scales.h"
#include "params/message_text.h"
#include "raster/raster_surface.h"
#include "render/raster_image.h"
#include "test_support.h"
#include "tools/render_arguments.h"
#include "tools/render_tool.h"

using Action = ParsedArguments::Action;
using Args = std::vector<std::string>;

static RenderOptions Accepted(const Args& args)
{
    const ParsedArguments parsed = ParseRenderArguments(args);
    EXPECT_EQ(parsed.action, Action::Render) << RussianText(parsed.error);
    return parsed.options;
}

// The program's start values by default; every option in both spellings, up to the ends of its range.
TEST(RenderArguments, StartValuesByDefaultAndEveryOption)
{
    const RenderOptions d = Accepted({"--output", "a.png"});
    EXPECT_TRUE(d.params.radius == 0.2 && d.params.length == 1 && d.params.halfRange == 2 && d.params.lineCount == 7 &&
                d.params.graphMode == kAxisGraph && d.width == 651 && d.height == 320 && d.format == OutputFormat::Png);
    const RenderOptions o = Accepted({"--radius", "10", "--length=.5", "--half-range", "1e-3", "--graph=lines", "--lines",
                                      "&H0A", "--size", "20000X5000", "--output=dir.v2/Pic.b.SVG"});
    EXPECT_TRUE(o.params.radius == 10 && o.params.length == 0.5 && o.params.halfRange == 0.001 && o.params.graphMode == kFieldLinesGraph);
    EXPECT_TRUE(o.params.lineCount == 10 && o.width == 20000 && o.height == 5000 && o.format == OutputFormat::Svg);
    EXPECT_FALSE(std::signbit(Accepted({"--radius", "-0", "--output", "a.Pdf"}).params.radius));
    // read as the dialogs read them: any decimals, a point or a comma, blanks around
    const RenderOptions lab = Accepted({"--radius", "0,02524", "--length", " +0.16", "--pair", "0.2005", "--uniform", "1%", "--output", "a.png"});
    EXPECT_TRUE(lab.params.radius == 0.02524 && lab.params.length == 0.16 && lab.additions.uniformPercent == 1.0);
    EXPECT_EQ(PairOf(lab.additions.arrangement), (CoilPair{0.2005, false}));
    EXPECT_TRUE(std::isinf(Accepted({"--lines", "1e999", "--output", "a.csv"}).params.lineCount));  // the run refuses it
    const RenderOptions b = Accepted({"--scales", "--turns", "320", "--current", "1.8", "--output", "a.png"});  // B in mT
    EXPECT_TRUE(b.additions.scales && b.additions.winding == (CoilCurrent{320, 1.8}) && !d.additions.scales);
}

TEST(RenderArguments, EveryMistakeIsOneShortRussianLineThatNamesIt)
{
    std::vector<std::pair<Args, std::string>> cases;
    // a value refused names the option and says what the program's dialog says of the same text
    for (const char* bad : {"abc", "", "0.5m", "nan", "inf", "1e400", "0x1p-2"})
        cases.push_back({{"--radius", bad, "--output", "a.png"}, "Радиус соленоида (--radius) «" + std::string(bad) + "» не подходит. Введите число метров"});
    for (const char* bad : {"-0.1", "10.000001", "11", "1e300"})
        cases.push_back({{"--radius", bad, "--output", "a.png"}, "не подходит. Значение должно быть от 0 до 10 м."});
    for (const char* bad : {"0", "1000001", "1.5", "-3", "+3", "abc", "", "99999999999999999999"})
        cases.push_back({{"--graph", "field", "--turns", bad, "--current", "1", "--output", "a.csv"}, "Число витков (--turns)"});
    for (const char* bad : {"0", "-0", "1000.5", "-1001", "abc", "nan", "inf", "1e400", ""})
        cases.push_back({{"--graph", "field", "--turns", "8", "--current", bad, "--output", "a.csv"}, "Ток (--current)"});
    for (const char* bad : {"-0.1", "20.001", "abc", "", "nan", "1e400"})
        cases.push_back({{"--pair", bad, "--output", "a.png"}, "Расстояние D (--pair)"});
    for (const char* bad : {"0", "-1", "100.5", "abc", "", "inf"})
        cases.push_back({{"--uniform", bad, "--output", "a.png"}, "(--uniform)"});
    for (const char* bad : {"a.txt", "a", "png", "dir.png/a", "a.png.", ""})
        cases.push_back({{"--output", bad}, ".png, .svg, .pdf, .csv или .zoreks"});
    // every switch of the lesson's table is a flag, refused where it does not act
    for (const LessonSwitch& s : LessonSwitches()) {
        const std::string option(s.toolOption);
        cases.push_back({{option + "=1", "--output", "a.png"}, "без значения"});
        if (!SwitchAccepted(s, GraphKind::Field, false))
            cases.push_back({{option, "--graph", "field", "--output", "a.csv"}, option});
    }
    for (const auto& [sizes, fragment] : {std::pair{std::vector{"651", "651x", "651x320x2", "-5x5", "+5x5", "5.5x5", "651*320"}, "ШИРИНАxВЫСОТА"},
                                          {{"0x320", "651x0"}, "больше нуля"},
                                          {{"20001x1", "1x20001", "10001x10000", "99999999999999999999999x1"}, "слишком велик"}})
        for (const char* size : sizes)
            cases.push_back({{"--size", size, "--output", "a.png"}, fragment});
    for (const char* scale : {"0", "5", "1.5", "x", "-1", ""})
        cases.push_back({{"--scale", scale, "--output", "a.png"}, "от 1 до 4"});
    const std::pair<Args, std::string> others[] = {
        {{"--radius", "1"}, "--output"},  // the file is required
        {{"--half-range", "-2", "--output", "a.png"}, "--half-range"},
        {{"--bogus", "--output", "a.png"}, "«--bogus»"},
        {{"--output", "a.png", "b.png"}, "«b.png»"},
        {{"--output", "a.png", "--radius"}, "После --radius"},
        {{"--radius", "1", "--radius=2", "--output", "a.png"}, "задан дважды"},
        {{"--graph", "Lines", "--output", "a.png"}, "«Lines»"},
        {{"--exact-lines", "--output", "a.png"}, "--graph lines"},  // the additions belong to the field lines
        {{"--graph", "axis", "--field-map", "--output", "a.png"}, "--graph lines"},
        {{"--graph", "field", "--output", "a.png"}, ".csv"},  // the exact field's tables are tables only
        {{"--field-map=1", "--output", "a.png"}, "без значения"},
        {{"--arrows", "--output", "a.png"}, "--arrows"},  // arrowheads need lines
        {{"--graph", "field", "--equal-flux", "--output", "a.csv"}, "--equal-flux"},
        {{"--graph", "lines", "--exact-lines", "--arrows", "--equal-flux", "--output", "a.png"}, "--exact-lines и --equal-flux"},
        {{"--lesson=", "--output", "a.png"}, "имя файла опыта"},
        {{"--graph", "field", "--turns", "800", "--output", "a.csv"}, "--turns N --current I"},  // one without the other
        {{"--graph", "field", "--current", "1.5", "--output", "a.csv"}, "--turns N --current I"},
        {{"--graph", "lines", "--turns", "8", "--current", "1", "--output", "a.png"}, "--graph field"},
        {{"--graph", "lines", "--scales", "--turns", "8", "--current", "1", "--output", "a.png"}, "--graph axis --scales"},
        {{"--scales=1", "--output", "a.png"}, "без значения"},
        {{"--size", "5001x10", "--scale", "4", "--output", "a.png"}, "слишком велик"},  // limits in the screen's pixels
        {{"--scale", "2", "--size", "10000x5001", "--output", "a.svg"}, "слишком велик"},
        {{"--scale", "2", "--output", "a.csv"}, "--scale"},
        // measured values: compared with the axis graph in tesla, their units named exactly, fitted only when given
        {{"--measured", "m.csv", "--output", "a.png"}, "--turns N --current I"},
        {{"--graph", "lines", "--measured", "m.csv", "--turns", "8", "--current", "1", "--output", "a.png"}, "--graph axis"},
        {{"--measured=", "--turns", "8", "--current", "1", "--output", "a.png"}, "имя файла"},
        {{"--fit", "--output", "a.png"}, "--measured ФАЙЛ"},
        {{"--measured-units", "cm:mT", "--output", "a.png"}, "--measured ФАЙЛ"},
        {{"--measured", "m.csv", "--measured-units", "cm:Гс", "--turns", "8", "--current", "1", "--output", "a.png"}, "«cm:Гс»"},
        {{"--measured", "m.csv", "--fit=1", "--turns", "8", "--current", "1", "--output", "a.png"}, "без значения"},
        {{"--opposed", "--output", "a.png"}, "вместе с парой катушек (--pair D)"},
        {{"--pair", "0.2", "--opposed=1", "--output", "a.png"}, "без значения"},
        {{"--graph", "field", "--uniform", "1", "--output", "a.csv"}, "axis и lines"},
        {{"--help=yes"}, "--help"},
        {{"--bogus", "--help"}, "«--bogus»"},          // a mistake before it is reported
        {{"--output", "--help"}, ".png, .svg, .pdf"},  // a file name, not the option
        // the user's text quoted, control characters and broken UTF-8 replaced, cut after 60 characters, never in one
        {{"--radius", "1\n2\r\x1b[31m", "--output", "a.png"}, "«1?2??[31m»"},
        {{"--\xA1" "eelp"}, "«--?eelp»"},
        {{"--graph", std::string(59, 'a') + "жж", "--output", "a.png"}, "«" + std::string(59, 'a') + "ж…»"},
        {{"--graph", std::string(100, 'x'), "--output", "a.png"}, "«" + std::string(60, 'x') + "…»"},
        {{"--lang", "de", "--output", "a.png"}, "«de» (--lang). Языки: ru, en."},
    };
    cases.insert(cases.end(), std::begin(others), std::end(others));
    for (const auto& [args, fragment] : cases) {
        const ParsedArguments parsed = ParseRenderArguments(args);
        EXPECT_EQ(parsed.action, Action::Refuse) << args[0] << " " << (args.size() > 1 ? args[1] : "");
        const std::string error = RussianText(parsed.error);
        EXPECT_NE(error.find(fragment), std::string::npos) << error;
        EXPECT_TRUE(error.find('\n') == std::string::npos && error.size() < 200) << error;
        // in English no Russian word, only what the user wrote
        Args english = args;
        english.insert(english.end(), {"--lang", "en"});
        const ParsedArguments inEnglish = ParseRenderArguments(english);
        const std::string englishError = Text(inEnglish.error, inEnglish.language);
        EXPECT_TRUE(inEnglish.action == Action::Refuse && (WithoutRussian(englishError) || !WithoutRussian(fragment)))
            << englishError;
    }
    EXPECT_EQ(ParseRenderArguments({"--radius", "1", "--help", "--bogus"}).action, Action::ShowHelp);
    // English reads a decimal comma as Russian does, and draws its picture in English.
    const RenderOptions english = Accepted({"--lang=en", "--radius", "0,5", "--length", "1.5", "--output", "a.png"});
    EXPECT_TRUE(english.params.radius == 0.5 && english.params.length == 1.5 && english.additions.language == English());
}

// In the middle of a long coil B = mu0 N/L I times the share (L/2)/sqrt(R^2 + L^2/4) that its ends leave.
TEST(RenderArguments, TheFieldTableInTeslaInTheMiddleOfALongCoil)
{
    for (const auto& [turns, amperes] : {std::pair{"800", 1.5}, {"1", -1000.0}, {"1000000", 0.001}}) {
        const std::string table = TableContents(Accepted({"--graph", "field", "--radius", "0.1", "--length", "10",
                                                          "--half-range", "0.001", "--size", "1x1", "--turns", turns,
                                                          "--current", std::to_string(amperes), "--output", "a.csv"}));
        ASSERT_TRUE(table.starts_with("z,r,Hz,Hr,H,Psi,Bz,Br,B\n")) << table;
        std::vector<double> v;
        for (size_t at = table.find('\n') + 1; at < table.size(); at = table.find_first_of(",\n", at) + 1)
            v.push_back(std::stod(table.substr(at)));
        ASSERT_EQ(v.size(), 9u);
        const double b = 1.25663706212e-6 * std::stod(turns) / 10 * amperes * 5 / std::hypot(0.1, 5);
        EXPECT_NEAR(v[6], b, 1e-9 * std::fabs(b)) << turns;
        EXPECT_TRUE(std::fabs(v[7]) < 1e-12 * std::fabs(b) && std::fabs(v[8] - std::fabs(b)) <= 1e-9 * std::fabs(b)) << turns;
    }
}

// A pair's tables: its field the sum of two coils' at z + D/2 and z - D/2, the second reversed when opposed;
// its field lines' table the exact lines' with or without equal flux.
TEST(RenderArguments, ThePairsTablesAreTheSumsOfTwoCoils)
{
    const CalcParams one = RunValues(kFieldLinesGraph);
    for (const bool opposed : {false, true}) {
        const Args pair = opposed ? Args{"--pair", "0.3", "--opposed"} : Args{"--pair", "0.3"};
        const auto table = [&](Args args) {
            args.insert(args.end(), pair.begin(), pair.end());
            return TableContents(Accepted(args));
        };
        const double s = opposed ? -1 : 1;
        std::istringstream field(table({"--graph", "field", "--size", "6x3", "--output", "a.csv"}));
        std::string row;
        std::getline(field, row);
        for (int n = 0; std::getline(field, row); ++n) {
            double z, r, hz, hr, h, psi;
            ASSERT_EQ(std::sscanf(row.c_str(), "%lf,%lf,%lf,%lf,%lf,%lf", &z, &r, &hz, &hr, &h, &psi), 6) << row;
            const ExactFieldValue a = ExactField(one, z + 0.15, r), b = ExactField(one, z - 0.15, r);
            const double size = FieldStrength(a) + FieldStrength(b);
            EXPECT_NEAR(hz, a.hz + s * b.hz, 1e-13 * size) << row;
            EXPECT_NEAR(hr, a.hr + s * b.hr, 1e-13 * size) << row;
            EXPECT_NEAR(psi, FluxFunction(one, z + 0.15, r) + s * FluxFunction(one, z - 0.15, r), 1e-13 * std::fabs(psi)) << row;
        }
        std::istringstream axis(table({"--graph", "axis", "--output", "a.csv"}));
        std::getline(axis, row);
        while (std::getline(axis, row)) {
            double z, hz;
            ASSERT_EQ(std::sscanf(row.c_str(), "%lf,%lf", &z, &hz), 2) << row;
            EXPECT_NEAR(hz, ExactField(one, z + 0.15, 0).hz + s * ExactField(one, z - 0.15, 0).hz, 1e-6) << row;
        }
        const std::string lines = table({"--graph", "lines", "--output", "a.csv"});
        EXPECT_TRUE(lines.starts_with("line,point,z,r\n1,0,") && lines.size() > 1000);
        EXPECT_EQ(lines, table({"--graph", "exact-lines", "--output", "a.csv"}));
        EXPECT_EQ(lines, table({"--graph", "exact-lines", "--equal-flux", "--output", "a.csv"}));
    }
}

// A table whose output refuses a piece (a full disk) ends there: nothing more is computed or handed on,
// whether the rows come from the traced lines' helper threads or from the grid of the exact field.
struct RefusedTable {
    const char* name;
    Args args;
    friend void PrintTo(const RefusedTable& c, std::ostream* os) { *os << c.name; }
};

class TableOutputRefused : public testing::TestWithParam<RefusedTable> {};

TEST_P(TableOutputRefused, EndsTheComputationAtTheRefusedPiece)
{
    int pieces = 0;
    TableWriter table([&pieces](std::string_view) { return ++pieces < 2; });  // the second piece is refused
    EXPECT_THROW(WriteTable(Accepted(GetParam().args), table), RunStopped);
    EXPECT_EQ(pieces, 2);
}

INSTANTIATE_TEST_SUITE_P(
    Tables, TableOutputRefused,
    testing::Values(RefusedTable{"TracedLines", {"--graph", "lines", "--lines", "40", "--output", "a.csv"}},
                    RefusedTable{"FieldGrid", {"--graph", "field", "--size", "400x200", "--output", "a.csv"}}),
    [](const testing::TestParamInfo<RefusedTable>& info) { return std::string(info.param.name); });

namespace {

class RenderTool : public ::testing::Test {
public:
    // Runs the program in the temporary folder with no display and no Qt settings; keeps what it printed.
    int run(const QStringList& args, const QString& program = ZOREKS_RENDER_PATH,
            const QProcessEnvironment& environment = QProcessEnvironment())
    {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(dir.path());
        process.start(program, args);
        EXPECT_TRUE(process.waitForFinished(60000));
        printed = QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }
    QByteArray contents(const QString& name) const
    {
        QFile file(dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QStringList files() const { return QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden); }
    std::vector<QStringList> rows(const QString& csv) const  // split at the line feeds and commas
    {
        std::vector<QStringList> out;
        for (const QByteArray& line : contents(csv).split('\n'))
            out.push_back(QString::fromLatin1(line).split(','));
        return out;
    }

    QTemporaryDir dir;
    QString printed;
};

}  // namespace

// The axis table: every point of the curve, z to the last bit, Hz in single precision; the lines: seeds and steps.
TEST_F(RenderTool, TablesHoldThePointsOfTheCurveAndOfTheLines)
{
    ASSERT_EQ(run({"--output", "axis.csv"}), 0);
    const std::vector<QStringList> axis = rows("axis.csv");
    ASSERT_EQ(axis.size(), 103u);  // the header, 101 points and nothing after the last line feed
    EXPECT_EQ(axis[0], QStringList({"z", "Hz"}));
    for (int i = 0; i <= 100; ++i) {
        const double z = -2 + i * (4.0 / 100);
        EXPECT_EQ(axis[i + 1][0].toDouble(), z) << i;
        EXPECT_EQ(axis[i + 1][1].toFloat(), AxialField(RunValues(kAxisGraph), z)) << i;
    }
    ASSERT_EQ(run({"--graph", "lines", "--output", "lines.csv"}), 0);
    const std::vector<QStringList> lines = rows("lines.csv");
    DigestSink traced;
    FollowFieldLines(Windowed(RunValues(kFieldLinesGraph)), traced);
    EXPECT_EQ(lines.size(), 2 + traced.lines + traced.steps);
    EXPECT_EQ(lines[0], QStringList({"line", "step", "z", "r"}));
    EXPECT_EQ(lines[1], QStringList({"1", "0", "0.002", QString::number(7 * (0.2 / 8), 'g', 17)}));
    // The exact field at the centres of the cells of a 4 x 2 grid over the field lines' window: z in [-2, 2], r in [0, 1].
    ASSERT_EQ(run({"--graph", "field", "--size", "4x2", "--output", "field.csv"}), 0);
    const std::vector<QStringList> field = rows("field.csv");
    ASSERT_EQ(field.size(), 10u);
    EXPECT_EQ(field[0], QStringList({"z", "r", "Hz", "Hr", "H", "Psi"}));
    for (int k = 0; k < 8; ++k) {
        const double z = -1.5 + (k % 4), r = 0.25 + 0.5 * (k / 4);
        const ExactFieldValue h = ExactField(RunValues(kFieldLinesGraph), z, r);
        EXPECT_EQ(QStringList({field[k + 1][0], field[k + 1][1]}), QStringList({QString::number(z), QString::number(r)}));
        EXPECT_EQ(field[k + 1][2].toDouble(), h.hz) << k;
        EXPECT_EQ(field[k + 1][3].toDouble(), h.hr) << k;
    }
    // The exact lines: each starts at the seed of its traced line.
    ASSERT_EQ(run({"--graph", "exact-lines", "--output", "exact.csv"}), 0);
    const std::vector<QStringList> exact = rows("exact.csv");
    EXPECT_EQ(exact[0], QStringList({"line", "point", "z", "r"}));
    EXPECT_EQ(exact[1], lines[1]);
}

TEST_F(RenderTool, PicturesOfTheSizeAskedForInEveryFormat)
{
    for (const char* graph : {"axis", "lines"}) {
        ASSERT_EQ(run({"--graph", graph, "--size", "500x300", "--output", QString(graph) + ".png"}), 0);
        EXPECT_EQ(printed, "");  // no warnings
        const QImage image(dir.filePath(QString(graph) + ".png"), "PNG");
        // The window's rasteriser, pixel for pixel.
        RasterSurface window(500, 300);
        CalcParams p = StartValues(QString(graph) == "axis" ? kAxisGraph : kFieldLinesGraph);
        RunCalculation(p, window, StoppedClock);
        EXPECT_EQ(image.convertToFormat(QImage::Format_RGB32), ImageOf(window)) << graph;
        // With the scales asked for, and only then, the scales over the same picture.
        ASSERT_EQ(run({"--graph", graph, "--size", "500x300", "--scales", "--output", QString(graph) + "-scales.png"}), 0);
        RasterSurface scaled(500, 300);
        RunAdditions scales;
        scales.scales = true;
        RunCalculation(p, scaled, StoppedClock, scales);
        const QImage withScales = QImage(dir.filePath(QString(graph) + "-scales.png"), "PNG").convertToFormat(QImage::Format_RGB32);
        EXPECT_TRUE(withScales == ImageOf(scaled) && withScales != ImageOf(window)) << graph;
        // In English the same picture but for the units, whose words have no Russian letter.
        ASSERT_EQ(run({"--graph", graph, "--size", "500x300", "--scales", "--lang", "en", "--output", "en.png"}), 0);
        RasterSurface english(500, 300);
        scales.language = English();
        RunCalculation(p, english, StoppedClock, scales);
        const QImage inEnglish = QImage(dir.filePath("en.png"), "PNG").convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(inEnglish, ImageOf(english)) << graph;
        std::vector<PixelRect> units;
        for (const Language& language : {Language(), English()})
            for (const ScaleLabel& label : PictureScalesOf(p, 500, 300, std::nullopt, false, 1, SingleCoil(), {}, language).labels)
                if (label.unit) {
                    units.push_back(label.box);
                    EXPECT_TRUE(language.isRussian() || WithoutRussian(label.text)) << label.text;
                }
        const auto inUnit = [&](int x, int y) {
            return std::any_of(units.begin(), units.end(),
                               [&](const PixelRect& r) { return x >= r.x && y >= r.y && x < r.x + r.w && y < r.y + r.h; });
        };
        for (int y = 0; y < 300; ++y)
            for (int x = 0; x < 500; ++x) {
                ASSERT_TRUE(inEnglish.pixel(x, y) == withScales.pixel(x, y) || inUnit(x, y)) << graph << " " << x << "," << y;
            }
        EXPECT_NE(inEnglish, withScales) << graph;
    }
    ASSERT_EQ(run({"--graph", "lines", "--output", "lines.svg"}), 0);
    EXPECT_EQ(QSvgRenderer(dir.filePath("lines.svg")).viewBox(), QRect(0, 0, 651, 320));  // the start-up picture by default
    // --scale K: K times the pixels, as the window draws them on a screen of that pixel ratio, in every picture.
    for (const auto& [k, size] : {std::pair{1, "300x200"}, {2, "500x300"}, {4, "100x50"}}) {
        const QStringList args{"--graph", "lines", "--arrows", "--scales", "--large-labels", "--size", size, "--scale",
                               QString::number(k), "--output"};
        ASSERT_EQ(run(args + QStringList{"k.png"}), 0);
        ASSERT_EQ(run(args + QStringList{"k.svg"}), 0);
        const QSize logical = QImage(dir.filePath("k.png")).size() / k;
        RasterSurface screen(logical.width() * k, logical.height() * k, k);
        CalcParams p = StartValues(kFieldLinesGraph);
        RunAdditions additions;
        additions.arrows = additions.scales = additions.largeLabels = true;
        RunCalculation(p, screen, StoppedClock, additions);
        EXPECT_EQ(QImage(dir.filePath("k.png")).convertToFormat(QImage::Format_RGB32), ImageOf(screen)) << k;
        EXPECT_EQ(QString("%1x%2").arg(logical.width()).arg(logical.height()), size) << k;
        EXPECT_EQ(QSvgRenderer(dir.filePath("k.svg")).viewBox(), QRect(QPoint(0, 0), logical * k)) << k;
    }
    // A PDF page of a point per pixel, scaled down to what readers accept.
    for (const auto& [size, page] : {std::pair{"300x200", "0 0 300.000000 200.000000"}, {"20000x10", "0 0 10000.000000 5.000000"}}) {
        ASSERT_EQ(run({"--size", size, "--output", "axis.PDF"}), 0);
        EXPECT_TRUE(contents("axis.PDF").startsWith("%PDF-") && contents("axis.PDF").trimmed().endsWith("%%EOF"));
        EXPECT_TRUE(contents("axis.PDF").contains("/MediaBox [" + QByteArray(page) + "]")) << page;
    }
}

// Exit code 2 and one line for a mistake, 1 for a folder that cannot take the file; no file left, an old one replaced whole.
TEST_F(RenderTool, MistakesWriteNothingAndAnOldFileIsReplacedOnlyWhole)
{
    EXPECT_TRUE(run({"--help"}) == 0 && printed.startsWith("Использование: zoreks-render"));
    // English by --lang, or by the locale without it; --lang before the locale
    QProcessEnvironment locale;
    locale.insert("LANG", "en_US.UTF-8");
    EXPECT_TRUE(run({"--help", "--lang", "en"}) == 0 && printed.startsWith("Usage: zoreks-render") &&
                WithoutRussian(printed.toStdString()));
    EXPECT_TRUE(run({"--help"}, ZOREKS_RENDER_PATH, locale) == 0 && printed.startsWith("Usage: zoreks-render") &&
                WithoutRussian(printed.toStdString()));
    EXPECT_TRUE(run({"--half-range", "0", "--output", "x.png"}, ZOREKS_RENDER_PATH, locale) == 2 &&
                printed.startsWith("The size of the region") && WithoutRussian(printed.toStdString()));
    EXPECT_TRUE(run({"--lang", "ru", "--help"}, ZOREKS_RENDER_PATH, locale) == 0 && printed.startsWith("Использование"));
    for (const char* file : {"x.png", "x.csv"})
        for (const QStringList& args : {QStringList{"--half-range", "0"}, {"--graph", "lines", "--lines", "201"}, {"--size", "0x320"},
                                        {"--pair", "20.5"}, {"--opposed"}, {"--uniform", "0"}}) {
            EXPECT_EQ(run(args + QStringList{"--output", file}), 2) << args.join(' ').toStdString();
            EXPECT_EQ(printed.count('\n'), 1) << printed.toStdString();
        }
    QFile(dir.filePath("plain.txt")).open(QIODevice::WriteOnly);
    ASSERT_TRUE(QDir(dir.path()).mkdir("taken.png"));
    for (const char* target : {"missing/x.png", "plain.txt/x.csv", "taken.png"})
        EXPECT_EQ(run({"--output", target}), 1) << target;
    // a lesson file refused: its reason; one with keys unknown to this version: a notice, and the run goes on
    QFile lesson(dir.filePath("new.zoreks"));
    ASSERT_TRUE(lesson.open(QIODevice::WriteOnly) && lesson.write(R"({"format": "zoreks-lesson", "version": 99})") > 0);
    lesson.close();
    for (const char* file : {"new.zoreks", "plain.txt", "taken.png", "/dev/zero"}) {
        EXPECT_EQ(run({"--lesson", file, "--output", "x.csv"}), 2) << file;
        EXPECT_TRUE(printed.count('\n') == 1 && printed.contains("не открыт")) << printed.toStdString();
    }
    ASSERT_EQ(run({"--scales", "--output", "x.zoreks"}), 0);
    ASSERT_TRUE(lesson.open(QIODevice::WriteOnly) && lesson.write(contents("x.zoreks").replace(0, 1, R"({"glow": 1,)")) > 0);
    lesson.close();
    EXPECT_EQ(run({"--lesson", "new.zoreks", "--output", "x.csv"}), 0);
    EXPECT_TRUE(printed.contains("«glow»")) << printed.toStdString();
    ASSERT_TRUE(QFile::remove(dir.filePath("new.zoreks")) && QFile::remove(dir.filePath("x.zoreks")) && QFile::remove(dir.filePath("x.csv")));
    EXPECT_EQ(files(), QStringList({"plain.txt", "taken.png"}));

    QFile old(dir.filePath("pic.png"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("old picture") > 0);
    old.close();
    EXPECT_EQ(run({"--half-range", "0", "--output", "pic.png"}), 2);
    EXPECT_EQ(contents("pic.png"), "old picture");
    // A file-size limit of a few kilobytes lets the new picture fail midway.
    EXPECT_EQ(run({"-c", "ulimit -f 2 && exec \"$0\" \"$@\"", ZOREKS_RENDER_PATH, "--graph", "lines", "--output", "pic.png"}, "/bin/sh"), 1);
    EXPECT_TRUE(printed.contains("Не удалось записать файл «pic.png»")) << printed.toStdString();
    EXPECT_EQ(contents("pic.png"), "old picture");
    EXPECT_EQ(run({"--output", "pic.png"}), 0);
    EXPECT_EQ(QImage(dir.filePath("pic.png"), "PNG").size(), QSize(651, 320));
    EXPECT_EQ(files(), QStringList({"pic.png", "plain.txt", "taken.png"}));  // no temporary file beside it
    // A file replaced keeps its permissions, and a link is written through to its target.
    ASSERT_TRUE(QFile::setPermissions(dir.filePath("pic.png"), QFile::ReadOwner | QFile::WriteOwner) &&
                QFile::link("pic.png", dir.filePath("link.png")));
    EXPECT_EQ(run({"--graph", "lines", "--output", "link.png"}), 0);
    EXPECT_TRUE(QFileInfo(dir.filePath("link.png")).isSymLink());
    EXPECT_EQ(QFile::permissions(dir.filePath("pic.png")) & 0xf0ff, QFile::ReadOwner | QFile::WriteOwner);  // owner, group, others
    EXPECT_EQ(contents("pic.png"), contents("link.png"));
}

// Measured values from a file: the comparison's table, the picture the window draws with them; a file
// that cannot be read or fitted is refused with the line where reading stopped, and nothing is written.
TEST_F(RenderTool, MeasuredValuesFromAFileAndBadFilesWriteNothing)
{
    QFile good(dir.filePath("class.csv")), bad(dir.filePath("bad.csv")), one(dir.filePath("one.csv")), huge(dir.filePath("huge.csv"));
    ASSERT_TRUE(good.open(QIODevice::WriteOnly) && bad.open(QIODevice::WriteOnly) && one.open(QIODevice::WriteOnly) &&
                huge.open(QIODevice::WriteOnly));
    good.write("z, mm;B, G\r\n-30;27,5\r\n0;43,1\r\n30;28,2\r\n");
    bad.write("z;B\n1;2\nxy;3\n4;5\n");
    one.write("1;2\n1;3\n1;4\n");
    huge.write("z, mm;B, G\r\n-30;27,5e31\r\n0;43,1e31\r\n30;28,2e31\r\n");  // the class's values, 1e31 times
    good.close(), bad.close(), one.close(), huge.close();
    const auto coilOf = [](const char* length) {
        return QStringList{"--radius", "0.021", "--length", length, "--half-range", "0.1", "--turns", "320", "--current", "1.8"};
    };
    const QStringList coil = coilOf("0.16");
    ASSERT_EQ(run(coil + QStringList{"--measured", "class.csv", "--measured-units", "mm:G", "--output", "t.csv"}), 0) << printed.toStdString();
    const std::vector<QStringList> table = rows("t.csv");
    ASSERT_EQ(table.size(), 5u);
    EXPECT_EQ(table[0], QStringList({"z", "B", "B_theory", "residual"}));
    EXPECT_TRUE(table[2][0].toDouble() == 0 && table[2][1].toDouble() == 43.1 / 1e4) << table[2].join(',').toStdString();

    ASSERT_EQ(run(coil + QStringList{"--measured", "class.csv", "--measured-units", "mm:G", "--fit", "--output", "f.png"}), 0);
    RenderOptions o = Accepted({"--radius", "0.021", "--length", "0.16", "--half-range", "0.1", "--turns", "320", "--current",
                                "1.8", "--fit", "--measured", "class.csv", "--measured-units", "mm:G", "--output", "f.png"});
    o.additions.measured = std::make_shared<MeasurementSet>(
        MeasurementSet{{{-0.03, 27.5e-4}, {0, 43.1e-4}, {0.03, 28.2e-4}}, o.measuredUnits, "class.csv"});
    RasterSurface window(651, 320);
    RunCalculation(o.params, window, StoppedClock, o.additions);
    EXPECT_EQ(QImage(dir.filePath("f.png"), "PNG").convertToFormat(QImage::Format_RGB32), ImageOf(window));

    const std::pair<QStringList, QString> refused[] = {
        {coil + QStringList{"--measured", "bad.csv"}, "Файл «bad.csv», строка 3: не число «xy».\n"},
        {coil + QStringList{"--measured", "missing.csv"}, "Файл «missing.csv», такого файла нет.\n"},
        {coil + QStringList{"--measured", "one.csv", "--fit"}, "Подогнать (--fit) нельзя: точки сняты меньше чем в трех разных местах z.\n"},
        {coil + QStringList{"--measured", "huge.csv", "--measured-units", "mm:G", "--fit"},
         "Подогнать (--fit) нельзя: измеренные B несоизмеримо больше поля этой катушки.\n"},
        {coil + QStringList{"--measured", "class.csv", "--measured-units", "mm:G", "--pair", "0", "--opposed", "--fit"},
         "Подогнать (--fit) нельзя: поле катушек всюду равно нулю.\n"},
        {coilOf("0") + QStringList{"--measured", "class.csv"}, "Сравнить с измерениями нельзя: у соленоида нулевой длины нет поля.\n"},
    };
    for (const auto& [args, message] : refused) {
        EXPECT_EQ(run(args + QStringList{"--output", "x.csv"}), 2) << args.join(' ').toStdString();
        EXPECT_EQ(printed, message);
    }
    EXPECT_EQ(files(), QStringList({"bad.csv", "class.csv", "f.png", "huge.csv", "one.csv", "t.csv"}));
}

// The tool alone, without the module it paints with: tables still, pictures refused with the reason.
TEST_F(RenderTool, WithoutItsPictureModuleOnlyTablesAreWritten)
{
    ASSERT_TRUE(QFile::copy(ZOREKS_RENDER_PATH, dir.filePath("alone")));
    EXPECT_EQ(run({"--output", "axis.png"}, dir.filePath("alone")), 1);
    EXPECT_TRUE(printed.startsWith("Рисунок нарисовать нельзя: не загружается модуль рисунков «")) << printed.toStdString();
    EXPECT_EQ(run({"--output", "axis.csv"}, dir.filePath("alone")), 0);
    EXPECT_EQ(files(), QStringList({"alone", "axis.csv"}));
}

// A lesson file: the options written to .zoreks and read back with --lesson give the table the options give;
// options beside it change only what they name.
struct LessonCase {
    const char* name;
    QStringList saved, beside, same;  // --lesson of the saved options with those beside it is the same as `same`
    friend void PrintTo(const LessonCase& c, std::ostream* os) { *os << c.name; }
};

class LessonFile : public RenderTool, public testing::WithParamInterface<LessonCase> {};

TEST_P(LessonFile, GivesTheTableOfTheSameOptions)
{
    const LessonCase& c = GetParam();
    QFile measured(dir.filePath("class.csv"));
    ASSERT_TRUE(measured.open(QIODevice::WriteOnly) && measured.write("z, mm;B, G\n-30;27,5\n0;43,1\n30;28,2\n") > 0);
    measured.close();
    ASSERT_EQ(run(c.saved + QStringList{"--output", "a.ZOREKS"}), 0) << printed.toStdString();
    ASSERT_TRUE(measured.remove());  // the lesson holds the values read
    ASSERT_EQ(run(QStringList{"--lesson", "a.ZOREKS"} + c.beside + QStringList{"--output", "lesson.csv"}), 0) << printed.toStdString();
    ASSERT_TRUE(measured.open(QIODevice::WriteOnly) && measured.write("z, mm;B, G\n-30;27,5\n0;43,1\n30;28,2\n") > 0);
    measured.close();
    ASSERT_EQ(run(c.same + QStringList{"--output", "options.csv"}), 0) << printed.toStdString();
    EXPECT_EQ(contents("lesson.csv"), contents("options.csv"));
    EXPECT_GT(contents("lesson.csv").count('\n'), 3);
}

INSTANTIATE_TEST_SUITE_P(
    Choices, LessonFile,
    testing::Values(
        LessonCase{"CoilAndLineText", {"--radius", "0,3", "--length", "0.5", "--half-range", "1", "--graph", "lines", "--lines", " 9"}, {},
                   {"--radius", "0.3", "--length", "0.5", "--half-range", "1", "--graph", "lines", "--lines", "9"}},
        LessonCase{"OptionBesideTakesPrecedence", {"--radius", "0.5", "--length", "2", "--graph", "lines", "--lines", "5"}, {"--radius", "0.3"},
                   {"--radius", "0.3", "--length", "2", "--graph", "lines", "--lines", "5"}},
        LessonCase{"EqualFluxLines", {"--graph", "lines", "--equal-flux"}, {"--graph", "exact-lines"},
                   {"--graph", "exact-lines", "--equal-flux"}},
        LessonCase{"SwitchBesideTurnsOn", {"--graph", "lines", "--exact-lines"}, {"--graph", "exact-lines", "--equal-flux"},
                   {"--graph", "exact-lines", "--equal-flux"}},
        LessonCase{"OpposedPair", {"--pair", "0.3", "--opposed", "--uniform", "5"}, {"--graph", "field", "--size", "4x2"},
                   {"--pair", "0.3", "--opposed", "--graph", "field", "--size", "4x2"}},
        LessonCase{"WindingInTesla", {"--graph", "lines", "--field-map", "--turns", "800", "--current", "1.5"},
                   {"--graph", "field", "--size", "4x2"}, {"--graph", "field", "--size", "4x2", "--turns", "800", "--current", "1.5"}},
        LessonCase{"MeasuredAndFitted",
                   {"--radius", "0.021", "--length", "0.16", "--half-range", "0.1", "--turns", "320", "--current", "1.8", "--measured",
                    "class.csv", "--measured-units", "mm:G", "--fit"},
                   {},
                   {"--radius", "0.021", "--length", "0.16", "--half-range", "0.1", "--turns", "320", "--current", "1.8", "--measured",
                    "class.csv", "--measured-units", "mm:G", "--fit"}}),
    [](const testing::TestParamInfo<LessonCase>& info) { return std::string(info.param.name); });

namespace {

struct OutputCase;

// The tool writing into what the case puts at its --output: a pipe, a device, a socket, a link, a long name.
class OutputTarget : public RenderTool, public testing::WithParamInterface<OutputCase> {
public:
    std::string path(const char* name) const { return dir.filePath(name).toStdString(); }

    // A program reading the pipe, which takes what is written until the end, or the given number of bytes.
    void readPipe(const char* name, size_t bytes = SIZE_MAX)
    {
        pipe = path(name);
        ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
        pipeItself = open(pipe.c_str(), O_PATH);  // the pipe, even once something else has its name
        received = std::async(std::launch::async, [file = pipe, bytes] {
            QByteArray got;
            const int fd = open(file.c_str(), O_RDONLY);
            char buffer[65536];
            ssize_t n = 0;
            while (size_t(got.size()) < bytes && (n = read(fd, buffer, std::min(sizeof buffer, bytes - size_t(got.size())))) > 0)
                got.append(buffer, n);
            close(fd);
            return got;
        });
    }

    // What the reader took, once the tool is done; it is let go if the tool never opened the pipe.
    QByteArray receivedByReader()
    {
        const std::string reopened = "/proc/self/fd/" + std::to_string(pipeItself);
        close(open(reopened.c_str(), O_WRONLY | O_NONBLOCK));  // a writer that comes and goes at once
        close(pipeItself);
        return received.get();
    }

    // A character device at name: a node of its own where it may be made (as root), else a link to the system's.
    void device(const char* name, const char* systemDevice, dev_t number)
    {
        if (mknod(path(name).c_str(), S_IFCHR | 0666, number) != 0) {
            ASSERT_EQ(symlink(systemDevice, path(name).c_str()), 0);
        }
    }

    // Runs the tool as nobody when this is root, for whom no folder is read-only; false when it cannot.
    bool runAsAnotherUser()
    {
        if (geteuid() != 0)
            return true;
        const QString copy = dir.filePath("tool");
        const QStringList user{"--reuid=65534", "--regid=65534", "--clear-groups", copy};
        if (!QFile::exists("/usr/bin/setpriv") || !QFile::copy(ZOREKS_RENDER_PATH, copy) ||
            chmod(dir.path().toUtf8().constData(), 0755) != 0 || run(user + QStringList{"--help"}, "/usr/bin/setpriv") != 0)
            return false;
        program = "/usr/bin/setpriv";
        before = user;
        return true;
    }

    void TearDown() override
    {
        if (received.valid())
            receivedByReader();
    }

    std::string pipe;
    int pipeItself = -1;
    std::future<QByteArray> received;
    QString program = ZOREKS_RENDER_PATH;
    QStringList before;  // arguments before the tool's own, when another program runs it
};

struct OutputCase {
    const char* name;
    std::function<void(OutputTarget& t)> prepare;  // skips when what the case needs cannot be made
    QStringList args;
    int exitCode;
    const char* message;  // what the tool says, in part; nothing for nothing
    std::function<void(OutputTarget& t)> check;
    friend void PrintTo(const OutputCase& c, std::ostream* os) { *os << c.name; }
};

bool IsDevice(const std::string& path)
{
    struct stat s;
    return stat(path.c_str(), &s) == 0 && S_ISCHR(s.st_mode);
}

const QStringList kLongTable{"--graph", "field", "--size", "2000x500", "--output"};
const std::string kNameOf255Bytes = std::string(251, 'n') + ".csv";

}  // namespace

TEST_P(OutputTarget, IsWrittenIntoOrRefusedWithItsReason)
{
    const OutputCase& c = GetParam();
    c.prepare(*this);
    if (IsSkipped() || HasFatalFailure())
        return;
    EXPECT_EQ(run(before + c.args, program), c.exitCode) << printed.toStdString();
    EXPECT_TRUE(c.message[0] ? printed.contains(c.message) : printed.isEmpty()) << printed.toStdString();
    c.check(*this);
}

INSTANTIATE_TEST_SUITE_P(
    Outputs, OutputTarget,
    testing::Values(
        OutputCase{"PipeWithAReader", [](OutputTarget& t) { t.readPipe("p.csv"); }, {"--graph", "lines", "--output", "p.csv"}, 0, "",
                   [](OutputTarget& t) {
                       EXPECT_EQ(t.receivedByReader().toStdString(), TableContents(Accepted({"--graph", "lines", "--output", "p.csv"})));
                       struct stat s;
                       EXPECT_TRUE(stat(t.pipe.c_str(), &s) == 0 && S_ISFIFO(s.st_mode));
                   }},
        // The tool is not ended by the signal of a closed pipe: it says so.
        OutputCase{"PipeClosedByItsReader", [](OutputTarget& t) { t.readPipe("p.csv", 1); }, kLongTable + QStringList{"p.csv"}, 1,
                   "Не удалось записать файл «p.csv»: читавшая программа закрыла канал.",
                   [](OutputTarget& t) { EXPECT_EQ(t.receivedByReader(), "z"); }},
        OutputCase{"NullDevice", [](OutputTarget& t) { t.device("x.csv", "/dev/null", makedev(1, 3)); },
                   {"--output", "x.csv"}, 0, "", [](OutputTarget& t) { EXPECT_TRUE(IsDevice(t.path("x.csv"))); }},
        OutputCase{"LinkToTheFullDevice",
                   [](OutputTarget& t) {
                       t.device("full", "/dev/full", makedev(1, 7));
                       ASSERT_EQ(symlink("full", t.path("x.csv").c_str()), 0);
                   },
                   {"--output", "x.csv"}, 1, "Не удалось записать файл «x.csv»: нет места на диске.",
                   [](OutputTarget& t) { EXPECT_TRUE(IsDevice(t.path("x.csv")) && IsDevice(t.path("full"))); }},
        OutputCase{"Socket",
                   [](OutputTarget& t) {
                       sockaddr_un address{AF_UNIX, {}};
                       t.path("s.csv").copy(address.sun_path, sizeof address.sun_path - 1);
                       const int s = socket(AF_UNIX, SOCK_STREAM, 0);
                       ASSERT_EQ(bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
                       close(s);
                   },
                   {"--output", "s.csv"}, 1, "Не удалось записать файл «s.csv»: это сокет, а не обычный файл.",
                   [](OutputTarget& t) {
                       struct stat s;
                       EXPECT_TRUE(lstat(t.path("s.csv").c_str(), &s) == 0 && S_ISSOCK(s.st_mode));
                   }},
        // The folder that would take the new file is the link target's.
        OutputCase{"LinkIntoAReadOnlyFolder",
                   [](OutputTarget& t) {
                       ASSERT_TRUE(QDir(t.dir.path()).mkdir("ro") && QDir(t.dir.path()).mkdir("rw"));
                       ASSERT_TRUE(symlink("../ro/x.csv", t.path("rw/x.csv").c_str()) == 0 && chmod(t.path("ro").c_str(), 0555) == 0 &&
                                   chmod(t.path("rw").c_str(), 0777) == 0);
                       if (!t.runAsAnotherUser())
                           GTEST_SKIP() << "as root a folder is read-only only to another user, and setpriv cannot run the tool as nobody here";
                   },
                   {"--output", "rw/x.csv"}, 1, "Нет права записи в папку «",
                   [](OutputTarget& t) {
                       EXPECT_TRUE(t.printed.contains(t.dir.filePath("ro") + "».")) << t.printed.toStdString();
                       EXPECT_TRUE(QDir(t.dir.filePath("ro")).isEmpty());
                   }},
        OutputCase{"NameOf300Characters", [](OutputTarget&) {}, {"--output", QString(296, 'n') + ".csv"}, 1, "слишком длинное имя.",
                   [](OutputTarget& t) { EXPECT_TRUE(t.files().isEmpty()); }},
        // The longest name the file system takes: the new file's temporary name beside it must be shorter.
        OutputCase{"NameOf255Bytes", [](OutputTarget&) {}, {"--output", QString::fromStdString(kNameOf255Bytes)}, 0, "",
                   [](OutputTarget& t) { EXPECT_EQ(t.files(), QStringList({QString::fromStdString(kNameOf255Bytes)})); }},
        OutputCase{"FileSizeLimitMidTable",
                   [](OutputTarget& t) {
                       t.program = "/bin/sh";
                       t.before = QStringList{"-c", "ulimit -f 64 && exec \"$0\" \"$@\"", ZOREKS_RENDER_PATH};
                   },
                   kLongTable + QStringList{"big.csv"}, 1, "Не удалось записать файл «big.csv»: файл превысил допустимый размер.",
                   [](OutputTarget& t) { EXPECT_TRUE(t.files().isEmpty()); }}),
    [](const testing::TestParamInfo<OutputCase>& info) { return std::string(info.param.name); });

// The window cannot wait for a reader: a pipe nobody reads is refused at once.
TEST(FileReplacement, APipeNobodyReadsIsRefusedWhenWaitingIsNotWanted)
{
    QTemporaryDir dir;
    const std::string pipe = dir.filePath("p.csv").toStdString();
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(RussianText(ReplaceFile(pipe, "z,Hz\n", PipeWithoutReader::Fail).value_or(Message())),
              "Не удалось записать файл " + QuotedForMessage(pipe) + ": из канала никто не читает.");
}
