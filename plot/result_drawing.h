#pragma once

#include "params/calc_params.h"
#include "surface/drawing_surface.h"

// Draws the selected graph: the curve Hz(z) on the axis, or the field lines.
void DrawResult(const CalcParams& p, DrawingSurface& surface);
