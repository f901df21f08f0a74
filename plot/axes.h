#pragma once

#include "params/calc_params.h"
#include "surface/drawing_surface.h"

// Turns the plot window into the picture's scales: pixels per metre along z
// and per unit of the vertical quantity.
void SetPictureScale(CalcParams& p, const DrawingSurface& surface);

// Sets the picture's scales and draws the z axis, and for the axis graph also
// the vertical axis at z = 0.
void DrawAxes(CalcParams& p, DrawingSurface& surface);
