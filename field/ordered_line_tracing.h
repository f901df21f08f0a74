#pragma once

#include "field/field_line_tracer.h"
#include "field/field_lines.h"

// Traces the lines of the seeds on the calling thread and on helper threads at
// once, each line into a buffer of its own, and hands them to the sink on the
// calling thread strictly in seed order, one whole line after the other: the
// sink sees exactly what tracing one line after the other would show it. A few
// buffers are reused for the whole run, so memory stays at a few lines' worth.
// The helper threads have ended when this returns, or throws what the sink threw.
// It starts one helper fewer than the processor has cores, and returns how
// many of the lines were cut after LineStepping::maxSteps steps.
size_t FollowLinesInOrder(const FieldLineTracer& tracer, FieldLineSeeds seeds, FieldLineSink& sink);

// The same with the given number of helpers (at most one fewer than there are
// lines); with none, the calling thread traces every line itself.
size_t FollowLinesInOrder(const FieldLineTracer& tracer, FieldLineSeeds seeds, FieldLineSink& sink, unsigned helpers);
