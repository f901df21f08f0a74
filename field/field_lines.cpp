#include "field/field_lines.h"

#include "field/field_line_tracer.h"
#include "field/ordered_line_tracing.h"

size_t FollowFieldLines(const CalcParams& p, FieldLineSink& sink, std::stop_token stop, LineShare share)
{
    const FieldLineTracer tracer(p, std::move(stop));
    return FollowLinesInOrder(tracer, FieldLineSeeds(p, share), sink);
}
