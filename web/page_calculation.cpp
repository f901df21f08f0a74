#include "web/page_calculation.h"

#include <ctime>

#include "export/render_options.h"
#include "export/run_tables.h"
#include "params/graph_choice.h"
#include "params/line_count_text.h"
#include "plot/axes.h"
#include "plot/field_lines_drawing.h"
#include "plot/plot_window.h"
#include "plot/point_readout.h"
#include "raster/raster_surface.h"
#include "svg/svg_surface.h"
#include "surface/blank_surface.h"

namespace {

ClockReading ReadClock()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_min, local.tm_sec};
}

RunAdditions AdditionsOf(const PageSettings& s)
{
    RunAdditions additions;
    additions.exactLines = s.exactLines;
    additions.fieldMap = s.fieldMap;
    return additions;
}

RunControl ControlOf(const PageSettings& s)
{
    RunControl control;
    control.lines = LineShare{s.lineShare, s.lineShares};
    return control;
}

}  // namespace

CalcParams ParamsOfSettings(const PageSettings& s)
{
    CalcParams p = StartValues(GraphChoiceOfEntry(s.graphEntry).graphMode);
    p.radius = s.radius;
    p.length = s.length;
    p.halfRange = s.halfRange;
    p.lineCount = LineCountFromText(s.lineText);
    return p;
}

PageRun RunPage(const PageSettings& settings)
{
    CalcParams p = ParamsOfSettings(settings);
    RasterSurface surface(settings.width, settings.height);
    const RunOutcome outcome = RunCalculation(p, surface, ReadClock, AdditionsOf(settings), ControlOf(settings));
    PageRun run;
    if (!outcome.done) {
        run.refusal = outcome.refusal;
        return run;
    }
    run.done = true;
    run.caption = outcome.caption;
    run.lineCount = p.lineCount;
    run.width = surface.width();
    run.height = surface.height();
    run.pixels = surface.pixels();
    return run;
}

PageRun PageLines(const PageSettings& settings)
{
    CalcParams p = ParamsOfSettings(settings);
    RasterSurface surface(settings.width, settings.height);
    PageRun run;
    if (RunRefusal(p, surface) || p.graphMode == kAxisGraph)
        return run;
    SetPlotWindow(p, surface);  // the run's plot window and scales
    SetPictureScale(p, surface);
    TraceFieldLines(p, surface, ControlOf(settings));
    run.done = true;
    run.width = surface.width();
    run.height = surface.height();
    run.pixels = surface.pixels();
    return run;
}

std::string PageTable(const PageSettings& settings)
{
    RenderOptions o;
    o.params = ParamsOfSettings(settings);
    if (RunRefusal(o.params, BlankSurface(settings.width, settings.height)))
        return {};
    o.graph = o.params.graphMode == kAxisGraph ? GraphKind::Axis : GraphKind::Lines;
    o.additions = AdditionsOf(settings);
    o.width = settings.width;
    o.height = settings.height;
    o.format = OutputFormat::Csv;
    return TableContents(o);
}

std::string PageReadout(const PageSettings& settings, double x, double y, const std::string& decimalSeparator)
{
    CalcParams p = ParamsOfSettings(settings);
    const BlankSurface picture(settings.width, settings.height);
    if (RunRefusal(p, picture))
        return {};
    SetPlotWindow(p, picture);  // the run's plot window and scales
    SetPictureScale(p, picture);
    const char separator = decimalSeparator == "," ? ',' : '.';
    return PointReadout(p, settings.width, settings.height, x, y, PlainReadoutNumbers(separator));
}

std::string PageSvg(const PageSettings& settings)
{
    CalcParams p = ParamsOfSettings(settings);
    SvgSurface surface(settings.width, settings.height);
    if (RunRefusal(p, surface))
        return {};
    // As the export tool draws it: no caption, so no clock is read.
    RunCalculation(p, surface, [] { return ClockReading{}; }, AdditionsOf(settings));
    const std::string_view graph = p.graphMode == kAxisGraph ? kAxisGraphEntry : kFieldLinesGraphEntry;
    return surface.document(std::string(kProgramTitle) + ": " + std::string(graph));
}
