#include "plot/axis_curve.h"

#include <cstddef>

#include "field/arrangement_field.h"

std::vector<SurfacePoint> AxisCurvePoints(const CalcParams& p, double factor, const CoilArrangement& coils)
{
    const auto x = [&](double z) { return static_cast<float>((z - p.zMin) * p.scaleX); };
    const auto y = [&](float hz) {
        const double v = static_cast<float>(factor * hz);  // hz itself for the factor 1
        return static_cast<float>((p.yMax - v) * p.scaleY);
    };

    std::vector<SurfacePoint> points;
    points.reserve(static_cast<std::size_t>(p.pointCount < 0 ? 0 : p.pointCount + 1));
    for (int i = 0; i <= p.pointCount; ++i) {
        const double z = p.zMin + i * p.zStep;
        points.push_back({x(z), y(AxialField(p, coils, z))});
    }
    return points;
}

// The first point, at z = zMin, is also the first of the line's points.
void DrawAxisCurve(const CalcParams& p, DrawingSurface& surface, double factor, const CoilArrangement& coils)
{
    const std::vector<SurfacePoint> points = AxisCurvePoints(p, factor, coils);
    if (points.empty())
        return;
    surface.plotPoint(points.front().x, points.front().y, kGraphColour);
    for (const SurfacePoint& q : points)
        surface.lineTo(q.x, q.y, kGraphColour);
}
