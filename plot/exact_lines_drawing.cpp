#include "plot/exact_lines_drawing.h"

#include <cstddef>

namespace {

// One quarter's copy of the line: z and r mirrored by the signs.
void drawCopy(const CalcParams& p, DrawingSurface& surface, const std::vector<MeridianPoint>& line, int zSign, int rSign)
{
    const double y0 = p.yMax * p.scaleY;  // the axis row
    const double k = p.scaleX;            // distances from the axis use the horizontal scale
    const auto x = [&](double z) { return static_cast<float>((zSign * z - p.zMin) * k); };
    const auto y = [&](double r) { return static_cast<float>(y0 - rSign * r * k); };
    for (std::size_t n = 1; n < line.size(); ++n)
        surface.drawLine(x(line[n - 1].z), y(line[n - 1].r), x(line[n].z), y(line[n].r), kExactLineColour);
}

}  // namespace

void DrawExactFieldLines(const CalcParams& p, const std::vector<std::vector<MeridianPoint>>& lines,
                         DrawingSurface& surface)
{
    for (const std::vector<MeridianPoint>& line : lines)
        for (const int zSign : {1, -1})
            for (const int rSign : {-1, 1})  // below the axis first, as the traced lines
                drawCopy(p, surface, line, zSign, rSign);
}
