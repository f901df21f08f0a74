#include "reference/plain_field_lines.h"

#include "field/field_line_tracer.h"
#include "field/line_stepping.h"
#include "plot/field_lines_drawing.h"
#include "reference/plain_field_slope.h"

size_t PlainFollowFieldLines(const CalcParams& p, FieldLineSink& sink)
{
    const LineStepping stepping(p);
    const auto slope = [&p](double z, double r) { return PlainFieldSlope(p, z, r); };
    const auto take = [&sink](const FieldLineStep& s) { sink.step(s); };
    FieldLineSeeds seeds(p);
    double z0, r0;
    size_t cut = 0;
    while (seeds.next(z0, r0)) {
        sink.beginLine(z0, r0);
        cut += FollowLine(stepping, z0, r0, slope, take) == LineEnding::Cut;
    }
    return cut;
}

void PlainTraceFieldLines(const CalcParams& p, DrawingSurface& surface)
{
    MirroredDrawing drawing(p, surface);
    PlainFollowFieldLines(p, drawing);
}
