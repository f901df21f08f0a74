#pragma once

#include "measure/axis_comparison.h"
#include "measure/measurement_set.h"
#include "params/calc_params.h"
#include "surface/drawing_surface.h"

// Measured values drawn over the axis graph: the calculated curve in the
// program's unit n*I/2, the measured B in it as B / c (c = mu0 N/L I/2, so
// that the points lie on the curve where the measurement agrees), and the
// level of an ideal long coil, B = mu0 N I / L, which is 2 in that unit.

inline constexpr Rgb kMeasuredColour{230, 90, 0};
inline constexpr Rgb kIdealLevelColour{110, 110, 110};

// The field of an ideal long coil in n*I/2.
inline constexpr double kIdealLongCoilField = 2;

// Widens the axis graph's plot window (p as SetPlotWindow left it) so that it
// holds, with the same ten per cent margin, the curve k Hz(z), the level of
// the ideal long coil and the measured points within the region (z - z0
// between zMin and zMax); yMin stays -yMax. A value beyond 1e30 n*I/2 is left
// out (such a point lies far off the picture).
void TakeInComparison(CalcParams& p, const AxisComparison& c, const MeasurementSet& set);

// Draws, in the plot window and scales of p: the ideal long coil's level as a
// dashed line across the picture, the curve k Hz(z) as DrawAxisCurve draws
// it, and the measured points as small dots at (z - z0, B / c), at most one
// per pixel, those off the picture left out.
void DrawComparison(const CalcParams& p, const AxisComparison& c, const MeasurementSet& set, DrawingSurface& surface);
