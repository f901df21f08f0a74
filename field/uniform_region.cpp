#include "field/uniform_region.h"

#include <array>
#include <cmath>

#include "field/arrangement_field.h"

namespace {

constexpr int kSearchSteps = 2000;
constexpr int kOutlineBisections = 8;

// Whether a strength is within the share of the centre's, h0 > 0.
bool Within(double strength, double h0, double share)
{
    return std::fabs(strength / h0 - 1) < share;
}

// The first place out of the region along the way from the centre: at
// distance t, point(t) gives the strength.
template <class Strength>
UniformReach ReachAlong(const Strength& strength, double h0, double share, double limit)
{
    const double step = limit / kSearchSteps;
    for (int k = 1; k <= kSearchSteps; ++k) {
        const double t = k == kSearchSteps ? limit : k * step;
        if (Within(strength(t), h0, share))
            continue;
        double in = (k - 1) * step, out = t;
        while (out - in > 1e-12 * limit) {
            const double mid = (in + out) / 2;
            (Within(strength(mid), h0, share) ? in : out) = mid;
        }
        return {out, false};
    }
    return {limit, true};
}

}  // namespace

double CentreStrength(const CalcParams& p, const CoilArrangement& coils)
{
    return FieldStrength(ExactField(p, coils, 0, 0));
}

UniformExtent UniformRegionExtent(const CalcParams& p, const CoilArrangement& coils, double share, double limit)
{
    UniformExtent e;
    const double h0 = CentreStrength(p, coils);
    if (!(h0 > 0) || !std::isfinite(h0) || !(limit > 0) || !std::isfinite(limit))
        return e;
    e.exists = true;
    const auto onAxis = [&](double sign) {
        return [&, sign](double t) { return FieldStrength(ExactField(p, coils, sign * t, 0)); };
    };
    e.back = ReachAlong(onAxis(-1), h0, share, limit);
    e.ahead = ReachAlong(onAxis(1), h0, share, limit);
    e.across = ReachAlong([&](double t) { return FieldStrength(ExactField(p, coils, 0, t)); }, h0, share, limit);
    return e;
}

std::vector<std::pair<MeridianPoint, MeridianPoint>> UniformRegionOutline(const CalcParams& p,
                                                                        const CoilArrangement& coils, double share,
                                                                        const FieldStrengthGrid& grid)
{
    std::vector<std::pair<MeridianPoint, MeridianPoint>> outline;
    const double h0 = CentreStrength(p, coils);
    const int w = grid.width, h = grid.height;
    if (!(h0 > 0) || !std::isfinite(h0) || w < 1 || h < 1 || grid.strength.size() != static_cast<size_t>(w) * h)
        return outline;
    const auto node = [&](double x, double y) {
        return MeridianPoint{p.zMin + (x + 0.5) / p.scaleX, p.yMax - (y + 0.5) / p.scaleY};
    };
    const auto within = [&](const MeridianPoint& q) {
        return Within(FieldStrength(ExactField(p, coils, q.z, q.r)), h0, share);
    };

    // The pixels of the region: filled from the (up to four) pixels around the
    // centre, each marked as it is found, so that it waits at most once.
    std::vector<char> in(grid.strength.size(), 0);
    std::vector<size_t> todo;
    const auto take = [&](long long x, long long y) {
        const size_t k = static_cast<size_t>(y) * w + static_cast<size_t>(x);
        if (x >= 0 && x < w && y >= 0 && y < h && !in[k] && Within(grid.strength[k], h0, share)) {
            in[k] = 1;
            todo.push_back(k);
        }
    };
    const double xc = -p.zMin * p.scaleX - 0.5, yc = p.yMax * p.scaleY - 0.5;
    if (std::fabs(xc) < w + 1.0 && std::fabs(yc) < h + 1.0)
        for (const double x : {std::floor(xc), std::ceil(xc)})
            for (const double y : {std::floor(yc), std::ceil(yc)})
                take(static_cast<long long>(x), static_cast<long long>(y));
    while (!todo.empty()) {
        const long long x = static_cast<long long>(todo.back() % w), y = static_cast<long long>(todo.back() / w);
        todo.pop_back();
        take(x + 1, y), take(x - 1, y), take(x, y + 1), take(x, y - 1);
    }

    // Marching squares over the cells between pixel centres: the corners a, b,
    // c, d (top left, top right, bottom right, bottom left) and the edges
    // top (a b), right (b c), bottom (d c), left (a d).
    const auto isIn = [&](int x, int y) { return in[static_cast<size_t>(y) * w + x] != 0; };
    const auto crossing = [&](int x0, int y0, int x1, int y1) {
        MeridianPoint inside = node(x0, y0), outside = node(x1, y1);
        if (!isIn(x0, y0))
            std::swap(inside, outside);
        if (within(outside))  // in the set but not in the region: no boundary to find between them
            return MeridianPoint{(inside.z + outside.z) / 2, (inside.r + outside.r) / 2};
        for (int round = 0; round < kOutlineBisections; ++round) {
            const MeridianPoint mid{(inside.z + outside.z) / 2, (inside.r + outside.r) / 2};
            (within(mid) ? inside : outside) = mid;
        }
        return MeridianPoint{(inside.z + outside.z) / 2, (inside.r + outside.r) / 2};
    };
    for (int y = 0; y + 1 < h; ++y)
        for (int x = 0; x + 1 < w; ++x) {
            const bool a = isIn(x, y), b = isIn(x + 1, y), c = isIn(x + 1, y + 1), d = isIn(x, y + 1);
            if (a == b && b == c && c == d)
                continue;
            std::array<MeridianPoint, 4> at{};  // on the edges top, right, bottom, left
            std::array<bool, 4> cut{a != b, b != c, d != c, a != d};
            if (cut[0]) at[0] = crossing(x, y, x + 1, y);
            if (cut[1]) at[1] = crossing(x + 1, y, x + 1, y + 1);
            if (cut[2]) at[2] = crossing(x, y + 1, x + 1, y + 1);
            if (cut[3]) at[3] = crossing(x, y, x, y + 1);
            if (cut[0] && cut[1] && cut[2] && cut[3]) {
                // diagonal corners in: each is cut off on its own (the region is 4-connected)
                if (a)
                    outline.insert(outline.end(), {{at[0], at[3]}, {at[1], at[2]}});
                else
                    outline.insert(outline.end(), {{at[0], at[1]}, {at[2], at[3]}});
                continue;
            }
            std::vector<MeridianPoint> ends;
            for (int e = 0; e < 4; ++e)
                if (cut[e])
                    ends.push_back(at[e]);
            outline.push_back({ends[0], ends[1]});
        }
    return outline;
}
