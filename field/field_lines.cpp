#include "field/field_lines.h"

#include "field/field_line_tracer.h"
#include "field/ordered_line_tracing.h"

void FollowFieldLines(const CalcParams& p, FieldLineSink& sink)
{
    const FieldLineTracer tracer(p);
    FollowLinesInOrder(tracer, FieldLineSeeds(p), sink);
}
