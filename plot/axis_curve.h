#pragma once

#include "params/calc_params.h"
#include "params/coil_arrangement.h"
#include "surface/drawing_surface.h"

// Draws the field on the axis, Hz(z), as the curve through the points
// z = zMin + i * zStep, i = 0 .. pointCount: one plotted point, then a
// line to each of them. The field is that of the coils.
void DrawAxisCurve(const CalcParams& p, DrawingSurface& surface, const CoilArrangement& coils = SingleCoil());
