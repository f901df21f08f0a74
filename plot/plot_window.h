#pragma once

#include "params/calc_params.h"
#include "params/coil_arrangement.h"
#include "surface/drawing_surface.h"

// Fixes the world rectangle shown in the picture: z from zMin to zMax, and a
// vertical range symmetric about 0 that holds the axis curve with a margin,
// or, for field lines, keeps the picture's aspect ratio. The curve is that of
// the coils; its height is the largest |Hz| (an opposed pair's is negative
// on one side).
void SetPlotWindow(CalcParams& p, const DrawingSurface& surface, const CoilArrangement& coils = SingleCoil());
