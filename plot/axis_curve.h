#pragma once

#include "params/calc_params.h"
#include "surface/drawing_surface.h"

// Draws the field on the axis, Hz(z), as the curve through the points
// z = zMin + i * zStep, i = 0 .. pointCount: one plotted point, then a
// line to each of them. With a factor k the curve is k Hz(z) (the factor 1
// changes no bit).
void DrawAxisCurve(const CalcParams& p, DrawingSurface& surface, double factor = 1);
