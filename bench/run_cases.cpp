#include "bench/run_cases.h"

#include "field/field_lines.h"
#include "reference/plain_field_lines.h"
#include "plot/result_drawing.h"
#include "plot/axes.h"
#include "plot/calculation_run.h"
#include "plot/plot_window.h"
#include "plot/winding.h"
#include "surface/blank_surface.h"

namespace {

struct CountingSink final : FieldLineSink {
    int64_t lines = 0;
    int64_t steps = 0;
    void beginLine(double, double) override { ++lines; }
    void step(const FieldLineStep&) override { ++steps; }
};

}  // namespace

CalcParams ParamsOf(const RunCase& c)
{
    CalcParams p = StartValues(c.graphMode);
    p.radius = c.radius;
    p.length = c.length;
    p.halfRange = c.halfRange;
    p.lineCount = c.lineCount;
    return p;
}

void RunFast(const RunCase& c, DrawingSurface& surface)
{
    CalcParams p = ParamsOf(c);
    RunCalculation(p, surface, [] { return ClockReading{}; });
}

void RunPlain(const RunCase& c, DrawingSurface& surface)
{
    CalcParams p = ParamsOf(c);
    surface.clear();
    SetPlotWindow(p, surface);
    DrawAxes(p, surface);
    DrawWinding(p, surface);
    if (p.graphMode == kAxisGraph)
        DrawResult(p, surface);
    else
        PlainTraceFieldLines(p, surface);
}

int64_t FieldSlopeCalls(const RunCase& c)
{
    if (c.graphMode == kAxisGraph)
        return 0;
    CalcParams p = ParamsOf(c);
    BlankSurface window(c.width, c.height);
    SetPlotWindow(p, window);
    DrawAxes(p, window);
    CountingSink count;
    FollowFieldLines(p, count);
    return count.steps + count.lines;
}
