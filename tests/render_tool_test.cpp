#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "start_values.h"
#include "tools/render_tool.h"
#include "tools/run_table.h"

namespace {

struct ToolRun {
    int exitCode;
    std::string out;
    std::string err;
};

ToolRun runTool(const std::vector<std::string>& args)
{
    std::ostringstream out;
    std::ostringstream err;
    const int code = RunRenderTool(args, out, err);
    return {code, out.str(), err.str()};
}

QByteArray contentsOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int lineFeeds(const std::string& text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')); }

class RenderTool : public ::testing::Test {
protected:
    std::string path(const QString& name) const { return dir_.filePath(name).toStdString(); }
    QString qpath(const QString& name) const { return dir_.filePath(name); }
    QStringList files() const { return QDir(dir_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden); }
    void writeOldFile(const QString& name)
    {
        QFile old(qpath(name));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old picture");
    }

    QTemporaryDir dir_;
};

}  // namespace

TEST_F(RenderTool, SvgPdfAndCsvAreCompleteDocuments)
{
    ASSERT_EQ(runTool({"--graph", "lines", "--output", path("lines.svg")}).exitCode, 0);
    QSvgRenderer svg(qpath("lines.svg"));
    ASSERT_TRUE(svg.isValid());
    EXPECT_EQ(svg.viewBox(), QRect(0, 0, 651, 320));  // the start-up picture by default
    EXPECT_TRUE(contentsOf(qpath("lines.svg")).contains("#0c00ff"));  // the colour of the lines

    ASSERT_EQ(runTool({"--size", "300x200", "--output", path("axis.PDF")}).exitCode, 0);
    const QByteArray pdf = contentsOf(qpath("axis.PDF"));
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_TRUE(pdf.trimmed().endsWith("%%EOF"));
    EXPECT_TRUE(pdf.contains("/MediaBox [0 0 300.000000 200.000000]"));

    // The tables of the start-up runs, whole (run_table_test checks them row by row).
    ASSERT_EQ(runTool({"--output", path("axis.csv")}).exitCode, 0);
    EXPECT_EQ(contentsOf(qpath("axis.csv")).toStdString(), AxisCurveTable(Windowed(StartValues(kAxisGraph))));
    ASSERT_EQ(runTool({"--graph", "lines", "--output", path("lines.csv")}).exitCode, 0);
    EXPECT_EQ(contentsOf(qpath("lines.csv")).toStdString(), FieldLinesTable(Windowed(StartValues(kFieldLinesGraph))));
}

TEST_F(RenderTool, BadArgumentsAndRefusedRunsWriteNothing)
{
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--half-range", "0"}, "Размер области должен быть больше нуля.\n"},
        {{"--graph", "lines", "--radius", "0"}, "Для линий напряженности радиус соленоида должен быть больше нуля.\n"},
        {{"--graph", "lines", "--length", "0"}, "Для линий напряженности длина соленоида должна быть больше нуля.\n"},
        {{"--graph", "lines", "--lines", "201"}, "Число линий должно быть не больше 200.\n"},
        {{"--graph", "lines", "--lines", "1e999"}, "Число линий должно быть не больше 200.\n"},
        {{"--radius", "-1"}, ""},  // a one-line message of the argument parser
        {{"--size", "0x320"}, ""},
        {{"--size", "30000x10"}, ""},
        {{"--graph", "fields"}, ""},
    };
    for (const char* file : {"x.png", "x.csv"})
        for (auto [args, reason] : cases) {
            args.push_back("--output");
            args.push_back(path(file));
            const ToolRun run = runTool(args);
            EXPECT_EQ(run.exitCode, 2) << args[0] << " " << args[1];
            EXPECT_EQ(lineFeeds(run.err), 1) << run.err;
            EXPECT_TRUE(reason.empty() || run.err == reason) << run.err;
        }
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--output", path("x.txt")}, {"--radius", "1"}})
        EXPECT_EQ(runTool(args).exitCode, 2);
    EXPECT_TRUE(files().isEmpty()) << files().join(" ").toStdString();

    // What the run accepts: the axis of a coil of zero size, and no lines at all.
    EXPECT_EQ(runTool({"--radius", "0", "--length", "0", "--output", path("a.png")}).exitCode, 0);
    EXPECT_EQ(runTool({"--graph", "lines", "--lines", "-1", "--output", path("l.csv")}).exitCode, 0);
    EXPECT_EQ(contentsOf(qpath("l.csv")), "line,step,z,r\n");
    const ToolRun help = runTool({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("Использование"), std::string::npos);
    EXPECT_EQ(help.err, "");
}

TEST_F(RenderTool, AFolderThatCannotTakeTheFileGivesExitOneAndAnOldFileIsReplacedOnlyWhole)
{
    QFile(qpath("plain.txt")).open(QIODevice::WriteOnly);
    ASSERT_TRUE(QDir(dir_.path()).mkdir("taken.png"));
    for (const std::string& target : {path("missing/x.png"), path("plain.txt/x.csv"), path("taken.png")}) {
        const ToolRun run = runTool({"--output", target});
        EXPECT_EQ(run.exitCode, 1) << target;
        EXPECT_EQ(lineFeeds(run.err), 1) << run.err;
    }
    EXPECT_EQ(files(), QStringList({"plain.txt", "taken.png"}));

    writeOldFile("pic.png");
    EXPECT_EQ(runTool({"--half-range", "0", "--output", path("pic.png")}).exitCode, 2);
    EXPECT_EQ(contentsOf(qpath("pic.png")), "old picture");
    EXPECT_EQ(runTool({"--output", path("pic.png")}).exitCode, 0);
    EXPECT_EQ(QImage(qpath("pic.png"), "PNG").size(), QSize(651, 320));
    EXPECT_EQ(files(), QStringList({"pic.png", "plain.txt", "taken.png"}));  // no temporary file beside it
}

// The built program itself: it draws either graph at the size asked for
// without a display and without warnings, and keeps its exit codes; a write
// that fails halfway leaves the old file.
TEST_F(RenderTool, TheProgramDrawsWithoutADisplayAndKeepsItsExitCodes)
{
    const auto runProgram = [this](const QString& program, const QStringList& args) {
        QProcess process;
        process.setProcessEnvironment(QProcessEnvironment());  // no display, no Qt settings
        process.setWorkingDirectory(dir_.path());
        process.start(program, args);
        EXPECT_TRUE(process.waitForFinished(60000));
        return ToolRun{process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                       process.readAllStandardOutput().toStdString(), process.readAllStandardError().toStdString()};
    };
    const auto run = [&](const QStringList& args) { return runProgram(ZOREKS_RENDER_PATH, args); };

    EXPECT_EQ(run({"--help"}).exitCode, 0);
    const ToolRun bad = run({"--radius", "abc", "--output", "x.png"});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_EQ(bad.err, "Радиус соленоида (--radius) задается числом от 0 до 10 м, а не «abc».\n");
    const ToolRun refused = run({"--graph", "lines", "--lines", "201", "--output", "x.png"});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_EQ(refused.err, "Число линий должно быть не больше 200.\n");
    EXPECT_EQ(run({"--output", "missing/x.png"}).exitCode, 1);
    EXPECT_TRUE(files().isEmpty());

    const ToolRun svg = run({"--output", "axis.svg"});
    EXPECT_EQ(svg.exitCode, 0);
    EXPECT_EQ(svg.err, "");
    for (const char* graph : {"axis", "lines"}) {
        const ToolRun png = run({"--graph", graph, "--size", "500x300", "--output", QString(graph) + ".png"});
        EXPECT_EQ(png.exitCode, 0);
        EXPECT_EQ(png.err + png.out, "");
        const QImage image(qpath(QString(graph) + ".png"), "PNG");
        ASSERT_EQ(image.size(), QSize(500, 300)) << graph;
        int blue = 0, red = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y);
                blue += qBlue(p) > 200 && qRed(p) < 100 && qGreen(p) < 100;
                red += qRed(p) > 200 && qGreen(p) < 100 && qBlue(p) < 100;
            }
        EXPECT_GT(blue, 100) << graph;  // the curve or the field lines
        EXPECT_GT(red, 20) << graph;    // the winding
        EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255));
    }

    // A file-size limit of a few kilobytes lets the new picture fail midway.
    writeOldFile("lines.png");
    const ToolRun cut = runProgram("/bin/sh", {"-c", "ulimit -f 2 && exec \"$0\" \"$@\"", ZOREKS_RENDER_PATH, "--graph",
                                               "lines", "--output", "lines.png"});
    EXPECT_EQ(cut.exitCode, 1);
    EXPECT_NE(cut.err.find("Не удалось записать файл «lines.png»"), std::string::npos) << cut.err;
    EXPECT_EQ(contentsOf(qpath("lines.png")), "old picture");
    EXPECT_EQ(files(), QStringList({"axis.png", "axis.svg", "lines.png"}));
}
