#include "plot/exact_lines_drawing.h"

#include <cstddef>
#include <utility>

namespace {

constexpr Rgb kEdgeColour{255, 255, 255};

// One copy of the line: z and r mirrored by the signs, shifted by (dx, dy) pixels.
void drawCopy(const CalcParams& p, DrawingSurface& surface, const std::vector<MeridianPoint>& line, int zSign, int rSign,
              float dx, float dy, Rgb colour)
{
    const double y0 = p.yMax * p.scaleY;  // the axis row
    const double k = p.scaleX;            // distances from the axis use the horizontal scale
    const auto x = [&](double z) { return static_cast<float>((zSign * z - p.zMin) * k) + dx; };
    const auto y = [&](double r) { return static_cast<float>(y0 - rSign * r * k) + dy; };
    for (std::size_t n = 1; n < line.size(); ++n)
        surface.drawLine(x(line[n - 1].z), y(line[n - 1].r), x(line[n].z), y(line[n].r), colour);
}

void drawAll(const CalcParams& p, const std::vector<std::vector<MeridianPoint>>& lines, bool mirrorZ,
             DrawingSurface& surface, float dx, float dy, Rgb colour)
{
    for (const std::vector<MeridianPoint>& line : lines)
        for (const int zSign : {1, -1})
            for (const int rSign : {-1, 1})  // below the axis first, as the traced lines
                if (zSign > 0 || mirrorZ)
                    drawCopy(p, surface, line, zSign, rSign, dx, dy, colour);
}

}  // namespace

void DrawCoilLines(const CalcParams& p, const CoilArrangement& coils, const std::vector<std::vector<MeridianPoint>>& lines,
                   Rgb colour, DrawingSurface& surface, bool whiteEdge)
{
    const bool mirrorZ = MirrorParity(coils) != 0;
    const auto pen = static_cast<float>(surface.lineWidth());  // the edge is a line wide on each side
    if (whiteEdge)
        for (const auto& [dx, dy] : {std::pair{-pen, 0.0f}, {pen, 0.0f}, {0.0f, -pen}, {0.0f, pen}})
            drawAll(p, lines, mirrorZ, surface, dx, dy, kEdgeColour);
    drawAll(p, lines, mirrorZ, surface, 0, 0, colour);
}

void DrawExactFieldLines(const CalcParams& p, const std::vector<std::vector<MeridianPoint>>& lines,
                         DrawingSurface& surface, bool whiteEdge)
{
    DrawCoilLines(p, SingleCoil(), lines, kExactLineColour, surface, whiteEdge);
}
