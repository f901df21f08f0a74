#include "field/field_lines.h"

#include "field/field_line_tracer.h"
#include "field/mirrored_drawing.h"
#include "field/ordered_line_tracing.h"

void FollowFieldLines(const CalcParams& p, FieldLineSink& sink)
{
    const FieldLineTracer tracer(p);
    FollowLinesInOrder(tracer, FieldLineSeeds(p), sink);
}

void TraceFieldLines(const CalcParams& p, DrawingSurface& surface)
{
    MirroredDrawing drawing(p, surface);
    FollowFieldLines(p, drawing);
}
