#pragma once

#include "params/calc_params.h"
#include "params/coil_arrangement.h"
#include "surface/drawing_surface.h"

// Draws the coil's winding as a row of 51 touching circles, one per turn: on
// the axis for the axis graph, at r = -R and r = +R for the field lines;
// one row for each coil of the arrangement, around its middle.
void DrawWinding(const CalcParams& p, DrawingSurface& surface, const CoilArrangement& coils = SingleCoil());
