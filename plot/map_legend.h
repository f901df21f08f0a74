#pragma once

#include <cstdint>
#include <vector>

// The colour scale of a field-strength picture, drawn into its pixels: a bar
// of the colour map with the values at its top, middle and bottom written in
// a built-in 5 x 7 pixel font (digits, '.', '-', '+', 'e'), black on a white
// box with a black frame, in the top right corner.

// A rectangle of pixels; empty when w or h is 0.
struct PixelRect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
};

// Draws the scale from lowest (bottom of the bar) to highest (top, values in
// n*I/2, log scale as ColourMapIndex) into pixels (width x height, row by row,
// 0xffRRGGBB) and gives the rectangle it covers. Nothing is drawn, and an
// empty rectangle comes back, when the picture is narrower than 160 or lower
// than 100 pixels.
PixelRect DrawMapLegend(std::vector<uint32_t>& pixels, int width, int height, double lowest, double highest);

// A value as the legend writes it: two significant digits, an exponent
// without '+' or leading zeros ("2.1", "0.021", "2.1e-5").
std::vector<char> LegendNumber(double value);
