#include "plot/axis_curve.h"

#include "field/axial_field.h"

void DrawAxisCurve(const CalcParams& p, DrawingSurface& surface, double factor)
{
    const auto x = [&](double z) { return static_cast<float>((z - p.zMin) * p.scaleX); };
    const auto y = [&](float hz) {
        const double v = static_cast<float>(factor * hz);  // hz itself for the factor 1
        return static_cast<float>((p.yMax - v) * p.scaleY);
    };

    double z = p.zMin;
    float v = AxialField(p, z);
    surface.plotPoint(x(z), y(v), kGraphColour);
    for (int i = 0; i <= p.pointCount; ++i) {
        z = p.zMin + i * p.zStep;
        v = AxialField(p, z);
        surface.lineTo(x(z), y(v), kGraphColour);
    }
}
