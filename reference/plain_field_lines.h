#pragma once

#include "field/field_lines.h"
#include "surface/drawing_surface.h"

// The reference for FollowFieldLines and TraceFieldLines: one line after the
// other on the calling thread, each step with PlainFieldSlope, and drawn by
// the program's MirroredDrawing. The program's tracer must hand out the same
// steps, and so draw the same segments, in the same order, bit for bit, and
// cut the same number of lines (the number returned).
size_t PlainFollowFieldLines(const CalcParams& p, FieldLineSink& sink);
void PlainTraceFieldLines(const CalcParams& p, DrawingSurface& surface);
