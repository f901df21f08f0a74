#include "measure/axis_comparison.h"

#include <algorithm>
#include <cmath>

#include "field/arrangement_field.h"
#include "params/message_text.h"

namespace {

// The root mean square of the residuals, scaled so that no square overflows.
double RootMeanSquare(const CalcParams& p, const AxisComparison& c, std::span<const MeasuredPoint> points)
{
    double largest = 0;
    for (const MeasuredPoint& m : points)
        largest = std::max(largest, std::fabs(ComparedAt(p, c, m).residual));
    if (!(largest > 0) || !std::isfinite(largest))
        return largest;
    double sum = 0;
    for (const MeasuredPoint& m : points) {
        const double r = ComparedAt(p, c, m).residual / largest;
        sum += r * r;
    }
    return largest * std::sqrt(sum / static_cast<double>(points.size()));
}

}  // namespace

std::optional<Message> ComparisonRefusal(const CalcParams& p, const CoilCurrent& coil)
{
    const double c = FluxDensityPerUnit(coil, p.length);
    if (!(p.length > 0) || !std::isfinite(c) || c == 0)
        return Message("у соленоида нулевой длины нет поля");
    return std::nullopt;
}

AxisComparison CompareMeasurements(const CalcParams& p, const CoilCurrent& coil, const MeasurementSet& set, bool fit,
                                   const std::stop_token& stop, const CoilArrangement& coils,
                                   const std::optional<AxisFit>& found)
{
    AxisComparison c;
    c.coils = coils;
    if (auto refusal = ComparisonRefusal(p, coil)) {
        c.refusal = std::move(*refusal);
        return c;
    }
    c.teslaPerUnit = FluxDensityPerUnit(coil, p.length);
    c.pointCount = set.points.size();
    if (fit && found) {
        c.fit = *found;
        c.fitted = true;
    } else if (fit) {
        if (auto refusal = FitRefusal(set.points)) {
            c.fitRefusal = std::move(*refusal);
        } else if (AxisFitting found = FitAxisField(p, c.teslaPerUnit, set.points, stop, coils); found.refusal) {
            c.fitRefusal = std::move(*found.refusal);
        } else {
            c.fit = found.fit;
            c.fitted = true;
        }
    }
    c.rms = RootMeanSquare(p, c, set.points);
    return c;
}

ComparedPoint ComparedAt(const CalcParams& p, const AxisComparison& c, const MeasuredPoint& m)
{
    ComparedPoint row;
    row.z = m.z - c.fit.z0;
    row.b = m.b;
    row.theory = c.fit.k * c.teslaPerUnit * ExactField(p, c.coils, row.z, 0).hz;
    row.residual = row.b - row.theory;
    return row;
}

Message ComparisonSummary(const AxisComparison& c, char decimalSeparator)
{
    if (!c.refusal.empty())
        return Message("сравнить нельзя: %1").arg(c.refusal);
    Message summary = c.fitted ? Message("%1: z0 = %2 см, k = %3, СКО = %4 мТл")
                                     .arg(PointCountText(c.pointCount))
                                     .number("%.2f", 100 * c.fit.z0, decimalSeparator)
                                     .number("%.3f", c.fit.k, decimalSeparator)
                               : Message("%1: СКО = %2 мТл").arg(PointCountText(c.pointCount));
    summary.number("%.3g", 1000 * c.rms, decimalSeparator);
    if (!c.fitRefusal.empty())
        return Message("%1; подогнать нельзя: %2").arg(std::move(summary)).arg(c.fitRefusal);
    return summary;
}
