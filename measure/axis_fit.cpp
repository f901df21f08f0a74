#include "measure/axis_fit.h"

#include <algorithm>
#include <cmath>

#include "field/arrangement_field.h"
#include "field/run_stop.h"

namespace {

constexpr std::size_t kMostScannedPoints = 4096;
constexpr double kFewestScanSteps = 64;
constexpr double kMostScanSteps = 2000;
constexpr int kGoldenSteps = 50;  // 0.618^50 of four scan steps: 1e-10 of a step

// How well the coil's field with its middle at z0 explains the measured values
// scaled by bScale (|B| / bScale <= 1, so that no sum overflows):
// (sum B f)^2 / sum f^2, which is sum B^2 - S. Every stride-th point counts.
class Explained {
public:
    Explained(const CalcParams& p, const CoilArrangement& coils, std::span<const MeasuredPoint> points, double bScale)
        : p_(p), coils_(coils), points_(points), bScale_(bScale)
    {
    }

    struct Sums {
        double bf = 0;  // sum (B / bScale) f
        double ff = 0;  // sum f^2
    };

    Sums sums(double z0, std::size_t stride = 1) const
    {
        Sums s;
        for (std::size_t i = 0; i < points_.size(); i += stride) {
            const double f = ExactField(p_, coils_, points_[i].z - z0, 0).hz;
            s.bf += points_[i].b / bScale_ * f;
            s.ff += f * f;
        }
        return s;
    }

    double operator()(double z0, std::size_t stride = 1) const
    {
        const Sums s = sums(z0, stride);
        return s.ff > 0 ? s.bf * s.bf / s.ff : 0;
    }

private:
    const CalcParams& p_;
    const CoilArrangement& coils_;
    std::span<const MeasuredPoint> points_;
    double bScale_;
};

// Golden-section search for the largest value of a function with one peak in [a, b].
template <typename Function>
double LargestOf(const Function& f, double a, double b, const std::stop_token& stop)
{
    const double g = (std::sqrt(5.0) - 1) / 2;
    double x1 = b - g * (b - a), x2 = a + g * (b - a);
    double f1 = f(x1), f2 = f(x2);
    for (int step = 0; step < kGoldenSteps; ++step) {
        StopIfRequested(stop);
        if (f1 < f2) {
            a = x1;
            x1 = x2;
            f1 = f2;
            x2 = a + g * (b - a);
            f2 = f(x2);
        } else {
            b = x2;
            x2 = x1;
            f2 = f1;
            x1 = b - g * (b - a);
            f1 = f(x1);
        }
    }
    return (a + b) / 2;
}

}  // namespace

std::optional<std::string> FitRefusal(std::span<const MeasuredPoint> points)
{
    double places[3];
    int distinct = 0;
    bool anyField = false;
    double lowest = HUGE_VAL, highest = -HUGE_VAL;
    for (const MeasuredPoint& m : points) {
        if (distinct < 3 && std::find(places, places + distinct, m.z) == places + distinct)
            places[distinct++] = m.z;
        anyField = anyField || m.b != 0;
        lowest = std::min(lowest, m.z);
        highest = std::max(highest, m.z);
    }
    if (distinct < 3)
        return std::string("точки сняты меньше чем в трех разных местах z");
    if (!anyField)
        return std::string("все измеренные B равны нулю");
    if (!std::isfinite(highest - lowest))
        return std::string("точки слишком далеко друг от друга");
    return std::nullopt;
}

AxisFit FitAxisField(const CalcParams& p, double teslaPerUnit, std::span<const MeasuredPoint> points,
                     const std::stop_token& stop, const CoilArrangement& coils)
{
    double bScale = 0, lowest = HUGE_VAL, highest = -HUGE_VAL;
    for (const MeasuredPoint& m : points) {
        bScale = std::max(bScale, std::fabs(m.b));
        lowest = std::min(lowest, m.z);
        highest = std::max(highest, m.z);
    }
    const Explained explained(p, coils, points, bScale);

    // The middle of the coils lies among the points or not far beyond them.
    const double R = p.radius > 0 ? p.radius : 0, L = p.length;
    double reach = 0;  // of the farthest coil's middle from the centre
    for (const PlacedCoil& c : coils.coils)
        reach = std::max(reach, std::fabs(c.offset));
    const double margin = L / 2 + 2 * R + reach;
    const double from = lowest - margin, to = highest + margin;
    const double feature = R > 0 ? std::min(R, L) : L;  // the field changes over R at the ends and over L
    const double steps = std::clamp(std::ceil((to - from) / (feature / 4)), kFewestScanSteps, kMostScanSteps);
    const double h = (to - from) / steps;
    const std::size_t stride = std::max<std::size_t>(1, points.size() / kMostScannedPoints);
    double best = from, bestValue = -1;
    for (int i = 0; i <= static_cast<int>(steps); ++i) {
        StopIfRequested(stop);
        const double z0 = from + i * h;
        const double value = explained(z0, stride);
        if (value > bestValue) {
            best = z0;
            bestValue = value;
        }
    }
    // With every point, around the best scanned place; never worse than that place.
    double z0 = LargestOf([&](double x) { return explained(x); }, best - 2 * h, best + 2 * h, stop);
    if (explained(z0) < explained(best))
        z0 = best;

    const Explained::Sums s = explained.sums(z0);
    const double k = s.ff > 0 ? s.bf / s.ff * bScale / teslaPerUnit : 0;  // k c = sum B f / sum f^2
    return {z0, k};
}
