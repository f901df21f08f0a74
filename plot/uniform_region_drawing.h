#pragma once

#include "field/field_strength_map.h"
#include "params/calc_params.h"
#include "params/coil_arrangement.h"
#include "surface/drawing_surface.h"

// The colour of the uniform region's outline: a magenta that stands out
// against the lines, the winding and every colour of the strength map.
inline constexpr Rgb kUniformRegionColour{255, 0, 255};

// Draws the uniform region of the coils (field/uniform_region.h) for a
// tolerance of `percent` per cent: for the field lines its outline over the
// picture's grid of |H| (FieldStrengthValues of the run), for the axis graph
// its stretch of the axis (searched up to the half-size of the region) as a
// bar three pixels thick with a mark seven pixels high at each end. Nothing
// where there is none. p holds the run's plot window and scales.
void DrawUniformRegion(const CalcParams& p, const CoilArrangement& coils, double percent, const FieldStrengthGrid& grid,
                       DrawingSurface& surface);
