#include "plot/result_drawing.h"

#include "plot/axis_curve.h"
#include "plot/field_lines_drawing.h"

void DrawResult(const CalcParams& p, DrawingSurface& surface, const RunControl& control)
{
    if (p.graphMode == kAxisGraph)
        DrawAxisCurve(p, surface);
    else
        TraceFieldLines(p, surface, control);
}
