#pragma once

#include <vector>

#include "field/exact_field_line.h"
#include "params/calc_params.h"
#include "surface/drawing_surface.h"

// Draws the exact field lines (quarter z >= 0, r >= 0, as ExactFieldLines
// gives them) mirrored into the four quadrants like the traced lines, in
// their own colour. p holds the run's plot window and scales.
void DrawExactFieldLines(const CalcParams& p, const std::vector<std::vector<MeridianPoint>>& lines,
                         DrawingSurface& surface);
