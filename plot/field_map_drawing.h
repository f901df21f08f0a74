#pragma once

#include <cstdint>
#include <vector>

#include "field/field_strength_map.h"
#include "params/calc_params.h"
#include "plot/map_legend.h"
#include "surface/drawing_surface.h"

// A picture of the field strength |H| over the plot window: one colour of the
// viridis map per pixel on a logarithmic scale, with its colour scale in the
// top right corner.
struct FieldStrengthImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // 0xffRRGGBB, row by row from the top
    double lowest = 0;             // |H| at the first colour and below, n*I/2
    double highest = 0;            // |H| at the last colour: the largest in the picture
    PixelRect legend;              // where the colour scale covers the map (empty: none drawn)
};

// The pixels of the grid coloured ColourMapColour(ColourMapIndex(|H|,
// lowest, highest)), so a larger |H| never comes earlier in the map; then the
// colour scale over them.
FieldStrengthImage FieldStrengthPicture(const FieldStrengthGrid& grid);

// The picture of FieldStrengthValues (field/field_strength_map.h) for the
// run's plot window and scales in p; the same for any number of threads.
FieldStrengthImage FieldStrengthMap(const CalcParams& p, int width, int height, int threads = 0);

// Lays the picture of the field strength (with its colour scale) over the
// whole picture; the grid has the picture's size.
void DrawFieldStrengthMap(const FieldStrengthGrid& grid, DrawingSurface& surface);
