#pragma once

#include "params/calc_params.h"
#include "plot/run_control.h"
#include "surface/drawing_surface.h"

// Draws the selected graph: the curve Hz(z) on the axis, or the field lines.
// A stop request of the control ends the field lines with RunStopped.
void DrawResult(const CalcParams& p, DrawingSurface& surface, const RunControl& control = {});
