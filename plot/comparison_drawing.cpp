#include "plot/comparison_drawing.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "field/arrangement_field.h"
#include "plot/axis_curve.h"

namespace {

constexpr double kLargestTakenIn = 1e30;  // n*I/2
constexpr float kDash = 6;                // logical pixels drawn, then
constexpr float kGap = 4;                 // left out
constexpr float kDotRadius = 2.6f;        // logical pixels

void DrawIdealLevel(const CalcParams& p, DrawingSurface& surface)
{
    const auto y = static_cast<float>((p.yMax - kIdealLongCoilField) * p.scaleY);
    const auto width = static_cast<float>(surface.width());
    const auto ratio = static_cast<float>(surface.pixelRatio()), pen = static_cast<float>(surface.lineWidth());
    for (float x = 0; x < width; x += (kDash + kGap) * ratio)
        surface.drawLine(x, y, std::min(x + kDash * ratio - pen, width - pen), y, kIdealLevelColour);
}

// A filled octagon around the middle of a line's pixels at (x, y).
void DrawDot(float x, float y, DrawingSurface& surface)
{
    const double middle = surface.lineWidth() / 2.0, radius = kDotRadius * surface.pixelRatio();
    std::vector<SurfacePoint> corners;
    for (int k = 0; k < 8; ++k) {
        const double angle = (k + 0.5) * (2 * std::numbers::pi / 8);
        corners.push_back({static_cast<float>(std::floor(x) + middle + radius * std::cos(angle)),
                           static_cast<float>(std::floor(y) + middle + radius * std::sin(angle))});
    }
    surface.fillPolygon(corners, kMeasuredColour);
}

void DrawMeasuredPoints(const CalcParams& p, const AxisComparison& c, const MeasurementSet& set,
                        DrawingSurface& surface)
{
    const int width = surface.width(), height = surface.height();
    std::vector<bool> dotted(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (const MeasuredPoint& m : set.points) {
        const double x = (m.z - c.fit.z0 - p.zMin) * p.scaleX;
        const double y = (p.yMax - m.b / c.teslaPerUnit) * p.scaleY;
        if (!(x >= 0 && x < width && y >= 0 && y < height))
            continue;  // off the picture, NaN included
        const size_t pixel = static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x);
        if (dotted[pixel])
            continue;
        dotted[pixel] = true;
        DrawDot(static_cast<float>(x), static_cast<float>(y), surface);
    }
}

}  // namespace

void TakeInComparison(CalcParams& p, const AxisComparison& c, const MeasurementSet& set)
{
    double top = kIdealLongCoilField;  // |k| <= 1e30 and Hz <= 2: the curve fits in single precision
    for (int i = 0; i <= p.pointCount; ++i)
        top = std::max(top, std::fabs(c.fit.k * AxialField(p, c.coils, p.zMin + i * p.zStep)));
    for (const MeasuredPoint& m : set.points) {
        const double z = m.z - c.fit.z0, v = std::fabs(m.b / c.teslaPerUnit);
        if (z >= p.zMin && z <= p.zMax && v <= kLargestTakenIn)
            top = std::max(top, v);
    }
    p.yMax = std::max(p.yMax, static_cast<float>(1.1 * top));
    p.yMin = -p.yMax;
}

void DrawComparison(const CalcParams& p, const AxisComparison& c, const MeasurementSet& set, DrawingSurface& surface)
{
    DrawIdealLevel(p, surface);
    DrawAxisCurve(p, surface, c.fit.k, c.coils);
    DrawMeasuredPoints(p, c, set, surface);
}
