#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "plot/label_size.h"
#include "plot/pixel_font.h"
#include "surface/drawing_surface.h"

// The colour scale of a field-strength picture: a bar of the colour map with
// the values at its top, middle and bottom and the unit under it, written in
// the program's pixel font (plot/pixel_font.h), black on a white box with a
// black frame, in the top right corner. It is drawn last, over the lines, so
// that it stays readable.

// The scale's own pixels: box.w x box.h, row by row, 0xffRRGGBB.
struct MapLegend {
    PixelRect box;  // where it lies on the picture; empty: none
    std::vector<uint32_t> pixels;
};

// The scale from lowest (bottom of the bar) to highest (top, log scale as
// ColourMapIndex), both in the unit named (as "n·I/2" or "мТл"), for a
// picture of width x height device pixels at the size's pixel ratio. Empty
// when the picture is narrower than 160 or lower than 100 logical pixels. Its
// frame, bar and ticks are laid out in logical pixels times
// LabelSize::pixels() (the bar's colours at every device row), its texts at
// LabelSize::font() pixels per font pixel.
MapLegend MapLegendImage(int width, int height, double lowest, double highest, std::u32string_view unit,
                         LabelSize size = {});

// Where MapLegendImage puts the scale on a picture of width x height device
// pixels; empty when it draws none.
PixelRect MapLegendBox(int width, int height, LabelSize size = {});

// Lays the scale over the picture, pixel for pixel, as filled rectangles of one colour.
void DrawMapLegend(const MapLegend& legend, DrawingSurface& surface);

// A value as the legend writes it: two significant digits, an exponent
// without '+' or leading zeros ("2.1", "0.021", "2.1e-5").
std::vector<char> LegendNumber(double value);
