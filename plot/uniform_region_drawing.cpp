#include "plot/uniform_region_drawing.h"

#include "field/uniform_region.h"

namespace {

void DrawAxisStretch(const CalcParams& p, const CoilArrangement& coils, double share, DrawingSurface& surface)
{
    const UniformExtent e = UniformRegionExtent(p, coils, share, p.halfRange);
    if (!e.exists)
        return;
    const auto x = [&](double z) { return static_cast<float>((z - p.zMin) * p.scaleX); };
    const float x0 = x(-e.back.distance), x1 = x(e.ahead.distance);
    const float y = static_cast<float>(p.yMax * p.scaleY);  // the z axis
    const auto pen = static_cast<float>(surface.lineWidth()), ratio = static_cast<float>(surface.pixelRatio());
    for (const float dy : {-pen, 0.0f, pen})
        surface.drawLine(x0, y + dy, x1, y + dy, kUniformRegionColour);
    for (const float xEnd : {x0, x1})
        surface.drawLine(xEnd, y - 3 * ratio, xEnd, y + 4 * ratio, kUniformRegionColour);
}

void DrawOutline(const CalcParams& p, const CoilArrangement& coils, double share, const FieldStrengthGrid& grid,
                 DrawingSurface& surface)
{
    const double y0 = p.yMax * p.scaleY;  // the axis row; distances from the axis use the horizontal scale
    const auto x = [&](double z) { return static_cast<float>((z - p.zMin) * p.scaleX); };
    const auto y = [&](double r) { return static_cast<float>(y0 - r * p.scaleX); };
    for (const auto& [a, b] : UniformRegionOutline(p, coils, share, grid))
        surface.drawLine(x(a.z), y(a.r), x(b.z), y(b.r), kUniformRegionColour);
}

}  // namespace

void DrawUniformRegion(const CalcParams& p, const CoilArrangement& coils, double percent, const FieldStrengthGrid& grid,
                       DrawingSurface& surface)
{
    const double share = percent / 100;
    if (p.graphMode == kAxisGraph)
        DrawAxisStretch(p, coils, share, surface);
    else
        DrawOutline(p, coils, share, grid, surface);
}
