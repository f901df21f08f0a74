#pragma once

#include <vector>

#include "params/calc_params.h"
#include "params/coil_arrangement.h"
#include "surface/drawing_surface.h"

// The picture points of the field on the axis, Hz(z), at z = zMin + i * zStep,
// i = 0 .. pointCount, through the run's picture mapping in p; the field is
// that of the coils.
std::vector<SurfacePoint> AxisCurvePoints(const CalcParams& p, const CoilArrangement& coils = SingleCoil());

// Draws the field on the axis, Hz(z), as the curve through the points
// z = zMin + i * zStep, i = 0 .. pointCount: one plotted point, then a
// line to each of them.
void DrawAxisCurve(const CalcParams& p, DrawingSurface& surface, const CoilArrangement& coils = SingleCoil());
