#include "plot/axis_curve.h"

#include "field/arrangement_field.h"

void DrawAxisCurve(const CalcParams& p, DrawingSurface& surface, const CoilArrangement& coils)
{
    const auto x = [&](double z) { return static_cast<float>((z - p.zMin) * p.scaleX); };
    const auto y = [&](float v) { return static_cast<float>((p.yMax - static_cast<double>(v)) * p.scaleY); };

    double z = p.zMin;
    float v = AxialField(p, coils, z);
    surface.plotPoint(x(z), y(v), kGraphColour);
    for (int i = 0; i <= p.pointCount; ++i) {
        z = p.zMin + i * p.zStep;
        v = AxialField(p, coils, z);
        surface.lineTo(x(z), y(v), kGraphColour);
    }
}
