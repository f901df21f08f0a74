#include "plot/field_map_drawing.h"

#include <cstddef>

#include "plot/colour_map.h"

FieldStrengthImage FieldStrengthPicture(const FieldStrengthGrid& grid)
{
    FieldStrengthImage image{grid.width, grid.height, {}, grid.lowest, grid.highest, {}};
    if (grid.strength.empty())
        return image;
    image.pixels.resize(grid.strength.size());
    for (std::size_t i = 0; i < grid.strength.size(); ++i)
        image.pixels[i] = ColourMapColour(ColourMapIndex(grid.strength[i], grid.lowest, grid.highest));
    image.legend = DrawMapLegend(image.pixels, grid.width, grid.height, image.lowest, image.highest);
    return image;
}

FieldStrengthImage FieldStrengthMap(const CalcParams& p, int width, int height, int threads)
{
    return FieldStrengthPicture(FieldStrengthValues(p, width, height, threads));
}

void DrawFieldStrengthMap(const FieldStrengthGrid& grid, DrawingSurface& surface)
{
    surface.drawImage(FieldStrengthPicture(grid).pixels);
}
