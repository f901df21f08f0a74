#pragma once

#include "params/calc_params.h"
#include "surface/drawing_surface.h"

// Draws the field lines of the exact field through the seeds of the traced
// lines, mirrored into the four quadrants like them, in their own colour. p
// holds the run's plot window and scales.
void DrawExactFieldLines(const CalcParams& p, DrawingSurface& surface);
