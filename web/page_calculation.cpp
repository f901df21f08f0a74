#include "web/page_calculation.h"

#include <ctime>

#include "export/run_tables.h"
#include "lesson/lesson_texts.h"
#include "params/graph_choice.h"
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
#include "surface/pixel_ratio.h"

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
    plain.language = o.additions.language;
    return o.graph == GraphKind::Lines && o.additions == plain;
}

RunControl ControlOf(const PageView& v, const RenderOptions& o)
{
    RunControl control;
    if (DrawnInShares(o))
        control.lines = LineShare{v.lineShare, v.lineShares};
    return control;
}

char DecimalOf(const std::string& separator)
{
    return separator == "," ? ',' : '.';
}

// The export tool's options for the lesson as the view shows it: its size
// and its screen's pixel ratio.
RenderOptions OptionsOf(const Lesson& lesson, OutputFormat format, const PageView& view)
{
    RenderOptions o = RenderOptionsOf(lesson, format, view.width, view.height);
    o.pixelRatio = UsablePixelRatio(view.pixelRatio);
    o.additions.language = view.language;
    return o;
}

// A surface of the options' picture in device pixels, at their ratio.
template <class Surface>
Surface DeviceSurface(const RenderOptions& o)
{
    return Surface(DevicePixels(o.width, o.pixelRatio), DevicePixels(o.height, o.pixelRatio), o.pixelRatio);
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

PageRun RunPage(const Lesson& lesson, const PageView& view)
{
    RenderOptions o = OptionsOf(lesson, OutputFormat::Png, view);
    RasterSurface surface = DeviceSurface<RasterSurface>(o);
    const RunOutcome outcome = RunCalculation(o.params, surface, ReadClock, o.additions, ControlOf(view, o));
    if (!outcome.done) {
        PageRun refused;
        refused.refusal = outcome.refusal;
        return refused;
    }
    PageRun run = PictureOf(surface);
    run.caption = outcome.caption;
    run.whole = !DrawnInShares(o) || view.lineShares <= 1;
    const ShownRun shown{lesson, outcome.comparison, PictureNotes(o.params, o.additions)};
    run.description = PictureDescription(&shown, DecimalOf(view.decimalSeparator));
    run.record = std::make_shared<const PageRecord>(
        PageRecord{o.params, o.additions, surface.width(), surface.height(), outcome.comparison});
    return run;
}

PageRun PageLines(const Lesson& lesson, const PageView& view)
{
    RenderOptions o = OptionsOf(lesson, OutputFormat::Png, view);
    if (!DrawnInShares(o) || RunRefusal(o.params, BlankSurface(o.width, o.height)))
        return {};
    RasterSurface surface = DeviceSurface<RasterSurface>(o);
    SetRunFrame(o.params, surface, o.additions, std::nullopt);
    TraceFieldLines(o.params, surface, ControlOf(view, o));
    return PictureOf(surface);
}

std::string PageTable(const Lesson& lesson, const PageView& view)
{
    const RenderOptions o = RenderOptionsOf(lesson, OutputFormat::Csv, view.width, view.height);
    if (RunRefusal(o.params, BlankSurface(o.width, o.height)))
        return {};
    return TableContents(o);
}

std::shared_ptr<const PageRecord> PageRecordOf(const Lesson& lesson, const PageView& view)
{
    RenderOptions o = OptionsOf(lesson, OutputFormat::Png, view);
    const BlankSurface picture = DeviceSurface<BlankSurface>(o);
    if (RunRefusal(o.params, picture))
        return {};
    std::optional<AxisComparison> comparison = RunComparison(o.params, o.additions);
    SetRunFrame(o.params, picture, o.additions, comparison);
    return std::make_shared<const PageRecord>(
        PageRecord{o.params, o.additions, picture.width(), picture.height(), std::move(comparison)});
}

std::string PageReadout(const PageRecord* record, double x, double y, const std::string& decimalSeparator,
                        const Language& language)
{
    if (record == nullptr)
        return {};
    const ReadoutNumbers numbers = PlainReadoutNumbers(DecimalOf(decimalSeparator), language);
    return RunPointReadout(record->drawn, record->width, record->height, x, y, numbers, record->additions,
                           record->comparison);
}

std::string PageSvg(const Lesson& lesson, const PageView& view)
{
    RenderOptions o = OptionsOf(lesson, OutputFormat::Svg, view);
    SvgSurface surface = DeviceSurface<SvgSurface>(o);
    if (RunRefusal(o.params, surface))
        return {};
    // As the export tool draws it: no caption, so no clock is read.
    RunCalculation(o.params, surface, [] { return ClockReading{}; }, o.additions);
    const std::string_view graph = o.params.graphMode == kAxisGraph ? kAxisGraphEntry : kFieldLinesGraphEntry;
    return surface.document(Text(Message("%1: %2").arg(Message(kProgramTitle)).arg(Message(graph)), view.language));
}

Message PageMeasurementLine(const Lesson& lesson, const std::string& loadingName, const Lesson* shown,
                                const PageRecord* shownRecord, const std::string& decimalSeparator)
{
    if (shown == nullptr)
        return MeasurementLine(lesson, loadingName, nullptr, DecimalOf(decimalSeparator));
    const ShownRun run{*shown, shownRecord ? shownRecord->comparison : std::nullopt};
    return MeasurementLine(lesson, loadingName, &run, DecimalOf(decimalSeparator));
}
