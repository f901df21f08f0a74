#pragma once

#include "surface/pixel_ratio.h"

// How large the texts of a picture (the scales' numbers and units, the map's
// colour scale, the notes) are drawn: at the whole multiple of the pixel
// font nearest to the surface's pixel ratio, so that the glyphs stay crisp,
// and twice that for large labels, to be read across a classroom.
struct LabelSize {
    double ratio = 1;    // the surface's device pixels per logical pixel
    bool large = false;  // the lesson's switch «Крупные надписи»

    // Device pixels per logical pixel in whole numbers: lines, gaps, frames.
    int pixels() const { return WholePixelRatio(ratio); }
    // Device pixels per font pixel.
    int font() const { return pixels() * (large ? 2 : 1); }
};
