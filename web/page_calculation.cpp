#include "web/page_calculation.h"

#include <ctime>

#include "export/run_tables.h"
#include "params/graph_choice.h"
#include "params/line_count_text.h"
#include "plot/axes.h"
#include "plot/comparison_drawing.h"
#include "plot/field_lines_drawing.h"
#include "plot/measured_point_readout.h"
#include "plot/picture_notes.h"
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

// The traced lines may be drawn in shares when nothing is drawn over them:
// no addition draws but the coil's turns and current, which only label.
bool DrawnInShares(const RenderOptions& o)
{
    RunAdditions plain;
    plain.winding = o.additions.winding;
    return o.graph == GraphKind::Lines && o.additions == plain;
}

RunControl ControlOf(const PageSettings& s, const RenderOptions& o)
{
    RunControl control;
    if (DrawnInShares(o))
        control.lines = LineShare{s.lineShare, s.lineShares};
    return control;
}

PageRun PictureOf(const RasterSurface& surface)
{
    PageRun run;
    run.done = true;
    run.width = surface.width();
    run.height = surface.height();
    run.pixels = surface.pixels();
    return run;
}

}  // namespace

RenderOptions RenderOptionsOf(const PageSettings& s, OutputFormat format)
{
    RenderOptions o;
    o.params = StartValues(GraphChoiceOfEntry(s.graphEntry).graphMode);
    o.params.radius = s.radius;
    o.params.length = s.length;
    o.params.halfRange = s.halfRange;
    o.params.lineCount = LineCountFromText(s.lineText);
    o.graph = o.params.graphMode == kAxisGraph ? GraphKind::Axis : GraphKind::Lines;
    o.additions.exactLines = s.exactLines;
    o.additions.fieldMap = s.fieldMap;
    o.additions.arrows = s.arrows;
    o.additions.equalFlux = s.equalFlux;
    if (s.turns > 0)
        o.additions.winding = CoilCurrent{s.turns, s.amperes};
    o.additions.scales = s.scales;
    if (s.pair)
        o.additions.arrangement = PairArrangement({s.pairDistance, s.opposed});
    if (s.uniformPercent > 0)
        o.additions.uniformPercent = s.uniformPercent;
    // As the export tool takes them: compared with the axis graph in SI units.
    if (s.measured && o.graph == GraphKind::Axis && o.additions.winding) {
        o.additions.measured = s.measured;
        o.additions.fit = s.fit;
    }
    o.width = s.width;
    o.height = s.height;
    o.format = format;
    return o;
}

PageRun RunPage(const PageSettings& settings)
{
    RenderOptions o = RenderOptionsOf(settings, OutputFormat::Png);
    RasterSurface surface(o.width, o.height);
    const RunOutcome outcome = RunCalculation(o.params, surface, ReadClock, o.additions, ControlOf(settings, o));
    if (!outcome.done) {
        PageRun refused;
        refused.refusal = outcome.refusal;
        return refused;
    }
    PageRun run = PictureOf(surface);
    run.caption = outcome.caption;
    run.lineCount = o.params.lineCount;
    run.whole = !DrawnInShares(o) || settings.lineShares <= 1;
    if (outcome.comparison)
        run.comparison = ComparisonSummary(*outcome.comparison, settings.decimalSeparator == "," ? ',' : '.');
    for (const std::string& note : PictureNotes(o.params, o.additions))
        run.notes += (run.notes.empty() ? "" : " ") + note;
    run.record = std::make_shared<const PageRecord>(PageRecord{o.params, o.additions, o.width, o.height, outcome.comparison});
    return run;
}

PageRun PageLines(const PageSettings& settings)
{
    RenderOptions o = RenderOptionsOf(settings, OutputFormat::Png);
    if (!DrawnInShares(o) || RunRefusal(o.params, BlankSurface(o.width, o.height)))
        return {};
    RasterSurface surface(o.width, o.height);
    SetPlotWindow(o.params, surface);  // the run's plot window and scales
    SetPictureScale(o.params, surface);
    TraceFieldLines(o.params, surface, ControlOf(settings, o));
    return PictureOf(surface);
}

std::string PageTable(const PageSettings& settings)
{
    const RenderOptions o = RenderOptionsOf(settings, OutputFormat::Csv);
    if (RunRefusal(o.params, BlankSurface(o.width, o.height)))
        return {};
    return TableContents(o);
}

std::shared_ptr<const PageRecord> PageRecordOf(const PageSettings& settings)
{
    RenderOptions o = RenderOptionsOf(settings, OutputFormat::Png);
    const BlankSurface picture(o.width, o.height);
    if (RunRefusal(o.params, picture))
        return {};
    // The run's plot window and scales, which take in the measured values it compares.
    const RunAdditions& a = o.additions;
    std::optional<AxisComparison> comparison;
    if (o.graph == GraphKind::Axis && a.measured && a.winding)
        comparison = CompareMeasurements(o.params, *a.winding, *a.measured, a.fit, {}, a.arrangement, a.foundFit);
    SetPlotWindow(o.params, picture, a.arrangement);
    if (comparison && comparison->refusal.empty())
        TakeInComparison(o.params, *comparison, *a.measured);
    SetPictureScale(o.params, picture);
    return std::make_shared<const PageRecord>(PageRecord{o.params, a, o.width, o.height, std::move(comparison)});
}

std::string PageReadout(const PageRecord* record, double x, double y, const std::string& decimalSeparator)
{
    if (record == nullptr)
        return {};
    const ReadoutNumbers numbers = PlainReadoutNumbers(decimalSeparator == "," ? ',' : '.');
    return RunPointReadout(record->drawn, record->width, record->height, x, y, numbers, record->additions,
                           record->comparison);
}

std::string PageSvg(const PageSettings& settings)
{
    RenderOptions o = RenderOptionsOf(settings, OutputFormat::Svg);
    SvgSurface surface(o.width, o.height);
    if (RunRefusal(o.params, surface))
        return {};
    // As the export tool draws it: no caption, so no clock is read.
    RunCalculation(o.params, surface, [] { return ClockReading{}; }, o.additions);
    const std::string_view graph = o.params.graphMode == kAxisGraph ? kAxisGraphEntry : kFieldLinesGraphEntry;
    return surface.document(std::string(kProgramTitle) + ": " + std::string(graph));
}
