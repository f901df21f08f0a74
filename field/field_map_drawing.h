#pragma once

#include "params/calc_params.h"
#include "surface/drawing_surface.h"

// Lays the picture of the field strength |H| (with its colour scale) over the
// whole picture. p holds the run's plot window and scales.
void DrawFieldStrengthMap(const CalcParams& p, DrawingSurface& surface);
