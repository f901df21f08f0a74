#include "plot/calculation_run.h"

#include <cmath>

#include "field/run_stop.h"

#include "plot/axes.h"
#include "plot/axis_curve.h"
#include "plot/comparison_drawing.h"
#include "plot/field_lines_drawing.h"
#include "plot/field_map_drawing.h"
#include "plot/line_additions.h"
#include "plot/picture_notes.h"
#include "plot/picture_scales.h"
#include "plot/plot_window.h"
#include "plot/uniform_region_drawing.h"
#include "plot/winding.h"

int ElapsedSeconds(ClockReading start, ClockReading end)
{
    int elapsed = (60 * end.minute + end.second) - (60 * start.minute + start.second);
    if (elapsed < 0)
        elapsed += 3600;  // the run crossed a full hour
    return elapsed;
}

Message RunCaption(int elapsedSeconds)
{
    return Message("%1   время расчета %2 c").arg(Message(kProgramTitle)).count(elapsedSeconds);
}

std::optional<Message> RunRefusal(const CalcParams& p, const DrawingSurface& surface)
{
    if (!(p.halfRange > 0) || !std::isfinite(p.halfRange))
        return Message("Размер области должен быть больше нуля.");
    if (p.graphMode != kAxisGraph) {
        if (!(p.radius > 0))
            return Message("Для линий напряженности радиус соленоида должен быть больше нуля.");
        if (!(p.length > 0))
            return Message("Для линий напряженности длина соленоида должна быть больше нуля.");
        if (!(p.lineCount <= kMaxLineCount) || !std::isfinite(p.lineCount))
            return Message("Число линий должно быть не больше 200.");
    }
    if (surface.width() <= 0 || surface.height() <= 0)
        return Message("Окно слишком мало для рисунка.");
    return std::nullopt;
}

std::optional<AxisComparison> RunComparison(const CalcParams& p, const RunAdditions& a, const std::stop_token& stop)
{
    if (p.graphMode == kAxisGraph && a.measured && a.winding)
        return CompareMeasurements(p, *a.winding, *a.measured, a.fit, stop, a.arrangement, a.foundFit);
    return std::nullopt;
}

void SetRunFrame(CalcParams& p, const DrawingSurface& surface, const RunAdditions& additions,
                 const std::optional<AxisComparison>& comparison)
{
    SetPlotWindow(p, surface, additions.arrangement);
    if (comparison && comparison->refusal.empty())
        TakeInComparison(p, *comparison, *additions.measured);
    SetPictureScale(p, surface);
}

RunOutcome RunCalculation(CalcParams& p, DrawingSurface& surface, const std::function<ClockReading()>& readClock,
                          RunAdditions additions, const RunControl& control)
try {
    if (auto reason = RunRefusal(p, surface))
        return RunOutcome{false, {}, std::move(*reason), false};

    const ClockReading start = readClock();
    const bool lines = p.graphMode != kAxisGraph;
    const CoilArrangement& coils = additions.arrangement;
    std::optional<AxisComparison> comparison = RunComparison(p, additions, control.stop);
    const bool compared = comparison && comparison->refusal.empty();
    surface.clear();
    SetRunFrame(p, surface, additions, comparison);
    const bool field = !FieldVanishes(coils);
    size_t linesCut = 0;
    FieldStrengthGrid strength;
    if (lines && field && (additions.fieldMap || additions.uniformPercent)) {
        strength = FieldStrengthValues(p, coils, surface.width(), surface.height(), 0, control.stop);
        if (additions.fieldMap)
            DrawFieldStrengthMap(strength, surface);
    }
    DrawAxes(p, surface);
    DrawWinding(p, surface, coils);
    if (!lines) {
        if (compared)
            DrawComparison(p, *comparison, *additions.measured, surface);
        else
            DrawAxisCurve(p, surface, 1, coils);
    } else if (!IsProgramCoil(coils)) {
        DrawArrangementLines(p, additions, surface, control.stop);
    } else {
        linesCut = additions.arrows ? TraceArrowedFieldLines(p, surface, control) : TraceFieldLines(p, surface, control);
        DrawLineAdditions(p, additions, surface, control.stop);
    }
    if (additions.uniformPercent)
        DrawUniformRegion(p, coils, *additions.uniformPercent, strength, surface);
    if (additions.scales)
        DrawPictureScales(PictureScalesOf(p, surface.width(), surface.height(), additions.winding,
                                          lines && additions.fieldMap, compared ? comparison->fit.k : 1.0, coils,
                                          LabelSize{surface.pixelRatio(), additions.largeLabels}, additions.language),
                          surface);
    if (lines && additions.fieldMap)
        DrawFieldStrengthLegend(strength, additions.winding, p.length, surface, additions.largeLabels,
                                additions.language);
    int row = 0;
    for (const std::string& note : PictureNotes(p, additions))
        row += DrawPictureNote(surface, additions.language.translated(note), row, additions.largeLabels);
    const ClockReading end = readClock();
    return RunOutcome{true, RunCaption(ElapsedSeconds(start, end)), {}, false, std::move(comparison), linesCut};
} catch (const RunStopped&) {
    return RunOutcome{false, {}, {}, true};
}
