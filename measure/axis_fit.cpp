#include "measure/axis_fit.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "field/arrangement_field.h"
#include "field/run_stop.h"

namespace {

constexpr std::size_t kMostScannedPoints = 4096;
constexpr double kFewestScanSteps = 64;
constexpr double kMostScanSteps = 2000;
constexpr int kGoldenSteps = 50;  // 0.618^50 of four scan steps: 1e-10 of a step
constexpr std::size_t kMostClusters = 64;
constexpr double kFarStepShare = 0.125;    // of the distance to the nearest cluster
constexpr double kMostFarSteps = 4000;
constexpr double kTailSpreads = 2;         // beyond, the far field's shape over the points is smooth in 1 / distance
constexpr int kTailSteps = 8;
constexpr double kFarShapeSpreads = 1e6;   // the far field's shape over the points then changes by 1e-6
constexpr double kFarthest = 1e150;        // m: farther, lengths' squares would overflow

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


// A stretch of the ruler whose points lie no farther apart than twice the margin.
struct Cluster {
    double lowest, highest;  // m
};

// The clusters of the points (every stride-th, and the outermost two), left to right; at most
// kMostClusters of them, parted at the widest gaps.
std::vector<Cluster> ClustersOf(std::span<const MeasuredPoint> points, std::size_t stride, double lowest, double highest,
                                double margin)
{
    std::vector<double> z{lowest, highest};
    for (std::size_t i = 0; i < points.size(); i += stride)
        z.push_back(points[i].z);
    std::sort(z.begin(), z.end());
    z.erase(std::unique(z.begin(), z.end()), z.end());
    const auto gapAfter = [&](std::size_t j) { return z[j + 1] - z[j]; };
    std::vector<std::size_t> ends;  // the last place of every cluster but the last
    for (std::size_t j = 0; j + 1 < z.size(); ++j)
        if (gapAfter(j) > 2 * margin)
            ends.push_back(j);
    if (ends.size() >= kMostClusters) {
        const auto widest = ends.begin() + (kMostClusters - 1);
        std::nth_element(ends.begin(), widest, ends.end(), [&](std::size_t a, std::size_t b) { return gapAfter(a) > gapAfter(b); });
        ends.erase(widest, ends.end());
        std::sort(ends.begin(), ends.end());
    }
    std::vector<Cluster> clusters;
    std::size_t first = 0;
    for (const std::size_t end : ends) {
        clusters.push_back({z[first], z[end]});
        first = end + 1;
    }
    clusters.push_back({z[first], z.back()});
    return clusters;
}

// A scanned place of the coils' middle and how far on either side of it golden-section search looks.
struct ScannedPlace {
    double z0;                // m
    double reach;             // m
    bool outermost = false;   // the farthest from the points on either side
};

// Over every cluster and the margin beyond it, in equal steps of about a quarter of the feature size.
std::vector<ScannedPlace> DenseScanPlaces(const std::vector<Cluster>& clusters, double margin, double feature)
{
    double length = 0;
    for (const Cluster& c : clusters)
        length += (c.highest + margin) - (c.lowest - margin);
    const double h = length / std::clamp(std::ceil(length / (feature / 4)), kFewestScanSteps, kMostScanSteps);
    std::vector<ScannedPlace> places;
    for (const Cluster& c : clusters) {
        const double from = c.lowest - margin, to = c.highest + margin;
        const double steps = std::max(1.0, std::ceil((to - from) / h * (1 - 1e-12)));  // one cluster: h exactly
        const double step = (to - from) / steps;
        for (int i = 0; i <= static_cast<int>(steps); ++i)
            places.push_back({from + i * step, 2 * step});
    }
    return places;
}

// Beyond the margins: in steps growing with the distance from the nearest cluster, out to the
// middle of every gap between clusters and to kTailSpreads spreads beyond the outermost ones;
// from there, where the far field's shape over the points changes smoothly in 1 / distance,
// in equal steps of 1 / distance out to farReach.
void AddFarScanPlaces(const std::vector<Cluster>& clusters, double margin, double farReach,
                      std::vector<ScannedPlace>& places)
{
    // A ladder from the edge of a cluster, direction +1 or -1, out to the distance end.
    struct Ladder {
        double edge, direction, end;
        bool outer = false;
    };
    const double spread = clusters.back().highest - clusters.front().lowest;
    const double tail = std::min(kTailSpreads * (spread + margin), farReach);
    std::vector<Ladder> ladders{{clusters.front().lowest, -1, tail, true}, {clusters.back().highest, 1, tail, true}};
    for (std::size_t i = 0; i + 1 < clusters.size(); ++i) {
        const double halfGap = (clusters[i + 1].lowest - clusters[i].highest) / 2;
        ladders.push_back({clusters[i].highest, 1, halfGap});
        ladders.push_back({clusters[i + 1].lowest, -1, halfGap});
    }
    double rungs = 0;  // sum of ln(end / margin): the steps' count times ln(growth)
    for (const Ladder& l : ladders)
        rungs += std::log(std::max(1.0, l.end / margin));
    const double growth = std::max(1 + kFarStepShare, std::exp(rungs / kMostFarSteps));
    for (const Ladder& l : ladders) {
        const auto add = [&](double distance, double reach, bool outermost = false) {
            places.push_back({l.edge + l.direction * distance, reach, outermost});
        };
        for (double distance = margin * growth; distance < l.end; distance *= growth)
            add(distance, 2 * (growth - 1) * distance);
        if (!l.outer) {
            add(l.end, 2 * (growth - 1) * l.end);
            continue;
        }
        const double du = 1 / (l.end * kTailSteps);  // u = 1 / distance
        for (int j = 0; j < kTailSteps; ++j) {
            const double u = 1 / l.end - j * du, next = j + 1 < kTailSteps ? 1 / (u - du) : farReach;
            if (1 / u < farReach)
                add(1 / u, next - 1 / u);
        }
        add(farReach, farReach, true);
    }
}

}  // namespace

std::optional<Message> FitRefusal(std::span<const MeasuredPoint> points)
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
        return Message("точки сняты меньше чем в трех разных местах z");
    if (!anyField)
        return Message("все измеренные B равны нулю");
    if (!std::isfinite(highest - lowest))
        return Message("точки слишком далеко друг от друга");
    return std::nullopt;
}

AxisFitting FitAxisField(const CalcParams& p, double teslaPerUnit, std::span<const MeasuredPoint> points,
                         const std::stop_token& stop, const CoilArrangement& coils)
{
    if (FieldVanishes(coils))
        return {{}, Message("поле катушек всюду равно нулю")};
    double bScale = 0, lowest = HUGE_VAL, highest = -HUGE_VAL;
    for (const MeasuredPoint& m : points) {
        bScale = std::max(bScale, std::fabs(m.b));
        lowest = std::min(lowest, m.z);
        highest = std::max(highest, m.z);
    }
    const Explained explained(p, coils, points, bScale);
    const std::size_t stride = std::max<std::size_t>(1, points.size() / kMostScannedPoints);

    // The middle of the coils lies among the points, not far beyond them, or far away.
    const double R = p.radius > 0 ? p.radius : 0, L = p.length;
    double reach = 0;  // of the farthest coil's middle from the centre
    for (const PlacedCoil& c : coils.coils)
        reach = std::max(reach, std::fabs(c.offset));
    const double margin = L / 2 + 2 * R + reach;               // where the field has fallen to a tenth
    const double feature = R > 0 ? std::min(R, L) : L;         // the field changes over R at the ends and over L
    const std::vector<Cluster> clusters = ClustersOf(points, stride, lowest, highest, margin);
    const double farReach = std::min(kFarShapeSpreads * (highest - lowest + margin), kFarthest);

    std::vector<ScannedPlace> places = DenseScanPlaces(clusters, margin, feature);
    AddFarScanPlaces(clusters, margin, farReach, places);
    double bestValue = -1;
    std::size_t best = 0;
    for (std::size_t i = 0; i < places.size(); ++i) {
        StopIfRequested(stop);
        const double value = explained(places[i].z0, stride);
        if (value > bestValue) {
            best = i;
            bestValue = value;
        }
    }
    if (places[best].outermost || !(bestValue > 0))
        return {{}, Message("точки не показывают, где середина катушки")};

    // With every point, around the best scanned place; never worse than that place.
    const ScannedPlace& around = places[best];
    double z0 = LargestOf([&](double x) { return explained(x); }, around.z0 - around.reach, around.z0 + around.reach, stop);
    if (explained(z0) < explained(around.z0))
        z0 = around.z0;

    const Explained::Sums s = explained.sums(z0);
    const double k = s.ff > 0 ? s.bf / s.ff * bScale / teslaPerUnit : 0;  // k c = sum B f / sum f^2
    if (!(std::fabs(k) <= kLargestFitFactor))
        return {{}, Message("измеренные B несоизмеримо больше поля этой катушки")};
    return {{z0, k}, std::nullopt};
}
