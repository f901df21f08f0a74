#include "field/field_lines.h"

#include "field/field_line_tracer.h"
#include "field/mirrored_drawing.h"
#include "field/ordered_line_tracing.h"

void FollowFieldLines(const CalcParams& p, FieldLineSink& sink)
{
    if (p.lineCount < 1)
        return;  // no line at all; also keeps lineCount = -1 from dividing by zero
    if (!(p.radius > 0) || !(p.length > 0))
        return;  // seeds on the axis or a step of zero: there is no line to follow

    const FieldLineTracer tracer(p);
    FollowLinesInOrder(tracer, FieldLineSeeds(p), sink);
}

void TraceFieldLines(const CalcParams& p, DrawingSurface& surface)
{
    MirroredDrawing drawing(p, surface);
    FollowFieldLines(p, drawing);
}
