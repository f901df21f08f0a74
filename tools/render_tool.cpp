#include "tools/render_tool.h"

#include <new>

#include "plot/axes.h"
#include "plot/calculation_run.h"
#include "plot/plot_window.h"
#include "render/picture_files.h"
#include "tools/blank_surface.h"
#include "tools/file_replacement.h"
#include "tools/render_arguments.h"
#include "tools/run_table.h"

namespace {

constexpr int kWritten = 0;
constexpr int kNotWritten = 1;
constexpr int kRefused = 2;

QByteArray tableContents(CalcParams& p, const RenderOptions& o)
{
    const BlankSurface picture(o.width, o.height);
    SetPlotWindow(p, picture);  // the plot window the picture would have
    SetPictureScale(p, picture);
    switch (o.graph) {
    case GraphKind::Axis:
        return QByteArray::fromStdString(AxisCurveTable(p));
    case GraphKind::Lines:
        return QByteArray::fromStdString(FieldLinesTable(p));
    case GraphKind::ExactLines:
        return QByteArray::fromStdString(ExactLinesTable(p));
    case GraphKind::Field:
        return QByteArray::fromStdString(FieldTable(p, o.width, o.height));
    }
    return {};
}

QByteArray pictureContents(CalcParams& p, const RenderOptions& o)
{
    // The tool shows no caption, so the run's clock is never read for real.
    const DrawPicture draw = [&p, &o](DrawingSurface& surface) {
        RunCalculation(p, surface, [] { return ClockReading{}; }, o.additions);
    };
    const QString title = QString::fromUtf8(kProgramTitle) +
                          (p.graphMode == kAxisGraph ? ": поле на оси Hz(z)" : ": линии напряженности");
    switch (o.format) {
    case OutputFormat::Png:
        return PngPicture(o.width, o.height, draw);
    case OutputFormat::Svg:
        return SvgPicture(o.width, o.height, title, draw);
    case OutputFormat::Pdf:
        return PdfPicture(o.width, o.height, title, draw);
    case OutputFormat::Csv:
        break;
    }
    return {};
}

}  // namespace

QByteArray ExportedContents(RenderOptions o)
{
    return o.format == OutputFormat::Csv ? tableContents(o.params, o) : pictureContents(o.params, o);
}

namespace {

int render(RenderOptions o, std::ostream& err)
{
    CalcParams& p = o.params;
    // The window's reasons, before anything is computed or written.
    if (auto reason = RunRefusal(p, BlankSurface(o.width, o.height))) {
        err << *reason << '\n';
        return kRefused;
    }
    if (auto problem = OutputPathProblem(o.output)) {
        err << *problem << '\n';
        return kNotWritten;
    }
    const QByteArray contents = ExportedContents(o);
    if (contents.isEmpty()) {
        err << "Не хватает памяти для рисунка " << o.width << "x" << o.height << ".\n";
        return kNotWritten;
    }
    if (auto problem = ReplaceFile(o.output, contents)) {
        err << *problem << '\n';
        return kNotWritten;
    }
    return kWritten;
}

}  // namespace

int RunRenderTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    const ParsedArguments parsed = ParseRenderArguments(args);
    switch (parsed.action) {
    case ParsedArguments::Action::ShowHelp:
        out << kRenderHelp << std::flush;
        return out ? kWritten : kNotWritten;
    case ParsedArguments::Action::Refuse:
        err << parsed.error << '\n';
        return kRefused;
    case ParsedArguments::Action::Render:
        break;
    }
    try {
        return render(parsed.options, err);
    } catch (const std::bad_alloc&) {
        err << "Не хватает памяти для расчета.\n";
        return kNotWritten;
    }
}
