#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "field/field_strength_map.h"
#include "params/calc_params.h"
#include "params/coil_current.h"
#include "plot/map_legend.h"
#include "surface/drawing_surface.h"
#include "texts/language.h"

// A picture of the field strength |H| over the plot window: one colour of the
// viridis map per pixel on a logarithmic scale; its colour scale comes apart
// (plot/map_legend.h), drawn last over the lines.
struct FieldStrengthImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // 0xffRRGGBB, row by row from the top
    double lowest = 0;             // |H| at the first colour and below, n*I/2
    double highest = 0;            // |H| at the last colour: the largest in the picture
};

// The pixels of the grid coloured ColourMapColour(ColourMapIndex(|H|,
// lowest, highest)), so a larger |H| never comes earlier in the map.
FieldStrengthImage FieldStrengthPicture(const FieldStrengthGrid& grid);

// The picture of FieldStrengthValues (field/field_strength_map.h) for the
// run's plot window and scales in p; the same for any number of threads.
FieldStrengthImage FieldStrengthMap(const CalcParams& p, int width, int height, int threads = 0);

// Lays the picture of the field strength over the whole picture; the grid
// has the picture's size.
void DrawFieldStrengthMap(const FieldStrengthGrid& grid, DrawingSurface& surface);

// Lays the colour scale of the grid over the picture: in n*I/2, or with the
// coil's turns and current in mT of |B| (B = mu0 * n*I/2 * value, for a coil
// of the given length, m), the unit written in the language. Large labels:
// its texts twice as large (plot/label_size.h).
void DrawFieldStrengthLegend(const FieldStrengthGrid& grid, const std::optional<CoilCurrent>& coil, double length,
                             DrawingSurface& surface, bool largeLabels = false, const Language& language = {});
