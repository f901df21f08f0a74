#include "plot/field_map_drawing.h"

#include <cmath>
#include <cstddef>

#include "plot/colour_map.h"
#include "plot/pixel_font.h"

FieldStrengthImage FieldStrengthPicture(const FieldStrengthGrid& grid)
{
    FieldStrengthImage image{grid.width, grid.height, {}, grid.lowest, grid.highest};
    if (grid.strength.empty())
        return image;
    image.pixels.resize(grid.strength.size());
    for (std::size_t i = 0; i < grid.strength.size(); ++i)
        image.pixels[i] = ColourMapColour(ColourMapIndex(grid.strength[i], grid.lowest, grid.highest));
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

void DrawFieldStrengthLegend(const FieldStrengthGrid& grid, const std::optional<CoilCurrent>& coil, double length,
                             DrawingSurface& surface, bool largeLabels, const Language& language)
{
    if (grid.strength.empty())
        return;
    // |B| in mT for one n*I/2, whichever way the current runs
    const double millitesla = coil ? 1000 * std::fabs(FluxDensityPerUnit(*coil, length)) : 0;
    const bool si = coil && std::isfinite(millitesla);
    const double unit = si ? millitesla : 1;
    const std::u32string unitText = Utf32FromUtf8(si ? language.translated("мТл") : "n·I/2");
    DrawMapLegend(MapLegendImage(grid.width, grid.height, grid.lowest * unit, grid.highest * unit, unitText,
                                 LabelSize{surface.pixelRatio(), largeLabels}),
                  surface);
}
