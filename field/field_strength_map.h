#pragma once

#include <cstdint>
#include <vector>

#include "field/map_legend.h"
#include "params/calc_params.h"

// A picture of the field strength |H| of the exact field (field/exact_field.h)
// over the plot window, one colour of the viridis map per pixel on a
// logarithmic scale, with its colour scale in the top right corner.
struct FieldStrengthImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // 0xffRRGGBB, row by row from the top
    double lowest = 0;             // |H| at the first colour and below, n*I/2
    double highest = 0;            // |H| at the last colour: the largest in the picture
    PixelRect legend;              // where the colour scale covers the map (empty: none drawn)
};

// The centre of pixel (x, y) is z = p.zMin + (x + 0.5) / p.scaleX,
// r = p.yMax - (y + 0.5) / p.scaleY; rows below the axis (r < 0) show the
// mirror image. Scale: highest = the largest |H| of the picture's pixels,
// lowest = the smallest, but not below highest / 10^4 (so that the far
// field does not squeeze the colours of the coil's neighbourhood); a pixel's
// colour is ColourMapColour(ColourMapIndex(|H|, lowest, highest)), so a
// larger |H| never comes earlier in the map. On the winding |H| is that of
// the mean Hz (see ExactField).
//
// |H| is even in z and in r: where the pixel grid is symmetric about the axis
// or the mid-plane (to 1e-9 pixel) a mirrored pixel takes the value of its
// twin; elsewhere each pixel is computed. The rows are shared among `threads`
// threads (0: as many as the processor has, at most 8); the picture is the same
// for any number of them.
//
// width or height <= 0 gives an empty picture; a zero field (R = 0, L = 0)
// or scales that are not positive and finite give a picture of the first
// colour, lowest = highest = 0. Uses p.radius, p.length, p.zMin, p.yMax,
// p.scaleX, p.scaleY.
FieldStrengthImage FieldStrengthMap(const CalcParams& p, int width, int height, int threads = 0);
