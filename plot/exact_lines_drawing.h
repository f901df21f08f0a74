#pragma once

#include <vector>

#include "field/exact_field_line.h"
#include "params/calc_params.h"
#include "params/coil_arrangement.h"
#include "surface/drawing_surface.h"

// Draws the exact field lines (quarter z >= 0, r >= 0, as ExactFieldLines
// gives them) mirrored into the four quadrants like the traced lines, in
// their own colour. p holds the run's plot window and scales. With a white
// edge (over the strength map, whose greens would swallow them) every line is
// first drawn in white one pixel left, right, above and below, then in green.
void DrawExactFieldLines(const CalcParams& p, const std::vector<std::vector<MeridianPoint>>& lines,
                         DrawingSurface& surface, bool whiteEdge = false);

// Draws lines of the coils in the colour as above: lines of one quarter (as
// EqualFluxContours gives them for mirror-symmetric coils) into the four
// quadrants, lines of the half-plane r >= 0 into both halves.
void DrawCoilLines(const CalcParams& p, const CoilArrangement& coils, const std::vector<std::vector<MeridianPoint>>& lines,
                   Rgb colour, DrawingSurface& surface, bool whiteEdge = false);
