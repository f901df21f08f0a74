#include "plot/measured_point_readout.h"

#include <cmath>

#include "texts/message.h"

namespace {

constexpr double kNearPixels = 4;  // a dot's radius and a little more

}  // namespace

std::string MeasuredPointReadout(const CalcParams& drawn, double x, double y, const AxisComparison& c,
                                 const MeasurementSet& set, const ReadoutNumbers& numbers)
{
    if (!c.refusal.empty())
        return {};
    const CalcParams& p = drawn;
    const MeasuredPoint* nearest = nullptr;
    double nearestPixels = kNearPixels;
    for (const MeasuredPoint& m : set.points) {
        // where its dot is drawn: X = scaleX (z - z0 - zMin), Y = scaleY (yMax - B / c)
        const double dx = (m.z - c.fit.z0 - p.zMin) * p.scaleX - x;
        const double dy = (p.yMax - m.b / c.teslaPerUnit) * p.scaleY - y;
        const double pixels = std::hypot(dx, dy);
        if (pixels <= nearestPixels) {
            nearest = &m;
            nearestPixels = pixels;
        }
    }
    if (nearest == nullptr)
        return {};
    const ComparedPoint row = ComparedAt(p, c, *nearest);
    return Text(Message("\nизмерено: B = %1 мТл при z = %2 м, расчет %3 мТл")
                    .arg(numbers.value(1000 * row.b))
                    .arg(numbers.coordinate(row.z))
                    .arg(numbers.value(1000 * row.theory)),
                numbers.language);
}

std::string RunPointReadout(const CalcParams& drawn, int width, int height, double x, double y,
                            const ReadoutNumbers& numbers, const RunAdditions& additions,
                            const std::optional<AxisComparison>& comparison)
{
    std::string text = PointReadout(drawn, width, height, x, y, numbers, additions);
    if (!text.empty() && comparison && additions.measured)
        text += MeasuredPointReadout(drawn, x, y, *comparison, *additions.measured, numbers);
    return text;
}
