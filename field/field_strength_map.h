#pragma once

#include <stop_token>
#include <vector>

#include "params/calc_params.h"
#include "params/coil_arrangement.h"

// The field strength |H| of the exact field (field/exact_field.h) at the
// centres of a grid of pixels over the plot window, with its range.
struct FieldStrengthGrid {
    int width = 0;
    int height = 0;
    std::vector<double> strength;  // |H| in n*I/2, row by row from the top; NaN where undefined
    double lowest = 0;             // the smallest |H| of the grid, but not below highest / 10^4
    double highest = 0;            // the largest |H| of the grid
};

// The centre of pixel (x, y) is z = p.zMin + (x + 0.5) / p.scaleX,
// r = p.yMax - (y + 0.5) / p.scaleY; rows below the axis (r < 0) hold the
// mirror image. lowest stays above highest / 10^4 so that the far field does
// not squeeze a colour scale of the coil's neighbourhood. On the winding |H|
// is that of the mean Hz (see ExactField).
//
// |H| is even in z and in r: where the pixel grid is symmetric about the axis
// or the mid-plane (to 1e-9 pixel) a mirrored pixel takes the value of its
// twin; elsewhere each pixel is computed. The rows are shared among `threads`
// threads (0: as many as the processor has, at most 8); the grid is the same
// for any number of them.
//
// width or height <= 0 gives an empty grid; a zero field (R = 0, L = 0) gives
// zeros, and scales that are not positive and finite a grid of zeros, with
// lowest = highest = 0. Uses p.radius, p.length, p.zMin, p.yMax, p.scaleX,
// p.scaleY. A stop request is met between rows (RunStopped, field/run_stop.h).
FieldStrengthGrid FieldStrengthValues(const CalcParams& p, int width, int height, int threads = 0,
                                      const std::stop_token& stop = {});

// The same for an arrangement of coils (field/arrangement_field.h); it is
// mirrored about the mid-plane only where the arrangement is mirror-symmetric
// (MirrorParity). The program's coil alone gives the grid above bit for bit.
FieldStrengthGrid FieldStrengthValues(const CalcParams& p, const CoilArrangement& coils, int width, int height,
                                      int threads = 0, const std::stop_token& stop = {});
