#pragma once

#include <vector>

#include "params/calc_params.h"
#include "params/coil_arrangement.h"
#include "surface/drawing_surface.h"

// The picture points of the field on the axis, Hz(z), at z = zMin + i * zStep,
// i = 0 .. pointCount, through the run's picture mapping in p. With a factor
// k the curve is k Hz(z) (the factor 1 changes no bit). The field is that of
// the coils.
std::vector<SurfacePoint> AxisCurvePoints(const CalcParams& p, double factor = 1,
                                          const CoilArrangement& coils = SingleCoil());

// Draws the field on the axis, Hz(z) (times the factor), as the curve through
// the points z = zMin + i * zStep, i = 0 .. pointCount: one plotted point,
// then a line to each of them.
void DrawAxisCurve(const CalcParams& p, DrawingSurface& surface, double factor = 1,
                   const CoilArrangement& coils = SingleCoil());
