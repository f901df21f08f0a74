#include "plot/winding.h"

void DrawWinding(const CalcParams& p, DrawingSurface& surface, const CoilArrangement& coils)
{
    const int turnCount = 50;  // spacings between the drawn turns
    const double L = p.length;
    const double R = p.radius;
    const float wireRadius = static_cast<float>((L / turnCount) / 2);  // neighbouring turns touch
    const double axisRow = p.scaleY * p.yMax;
    const float radius = static_cast<float>(p.scaleX * wireRadius);

    for (const PlacedCoil& coil : coils.coils) {
        for (int i = 0; i <= turnCount; ++i) {
            const double zi = coil.offset + (-L / 2 + i * 2 * static_cast<double>(wireRadius));  // centre of turn i
            const float x = static_cast<float>(p.scaleX * (zi - p.zMin));
            if (p.graphMode == kAxisGraph) {
                surface.drawCircle(x, static_cast<float>(axisRow), radius, kWindingColour);
            } else {
                surface.drawCircle(x, static_cast<float>(axisRow + p.scaleX * R), radius, kWindingColour);  // r = -R
                surface.drawCircle(x, static_cast<float>(axisRow - p.scaleX * R), radius, kWindingColour);  // r = +R
            }
        }
    }
}
