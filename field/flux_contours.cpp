#include "field/flux_contours.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <utility>

#include "field/arrangement_field.h"
#include "field/equal_flux_lines.h"
#include "field/run_stop.h"

namespace {

constexpr double kCellPixels = 4;
constexpr double kMostCells = 1 << 16;  // along one side of the grid
constexpr std::size_t kMostVertices = 100000;  // of one piece, each way from its seed

// Grid lines from `from` to `to`, about `cell` apart, and through the extras between them.
std::vector<double> GridLines(double from, double to, double cell, const std::vector<double>& extras)
{
    const double n = std::clamp(std::ceil((to - from) / cell), 1.0, kMostCells);
    std::vector<double> lines;
    for (double i = 0; i < n; ++i)
        lines.push_back(from + (to - from) * (i / n));
    lines.push_back(to);
    for (const double e : extras)
        if (e > from && e < to)
            lines.push_back(e);
    std::sort(lines.begin(), lines.end());
    lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
    return lines;
}

// psi at the nodes of the grid, row by row (r growing), z growing along a row.
struct FluxGrid {
    std::vector<double> zs, rs;
    std::vector<double> psi;

    MeridianPoint node(size_t i, size_t j) const { return {zs[i], rs[j]}; }
    double at(size_t i, size_t j) const { return psi[j * zs.size() + i]; }
};

FluxGrid GridOver(const CalcParams& p, const CoilArrangement& coils, const LevelWindow& w, double pixel,
                  const std::stop_token& stop)
{
    FluxGrid g;
    const double cell = kCellPixels * pixel, R = p.radius, L = p.length;
    std::vector<double> coilLines;
    for (const PlacedCoil& c : coils.coils)
        for (const double z : {c.offset - L / 2, c.offset, c.offset + L / 2})
            coilLines.push_back(z);
    g.zs = GridLines(w.zLow, w.zHigh, cell, coilLines);
    g.rs = GridLines(0, w.rHigh, cell, {R});
    g.psi.reserve(g.zs.size() * g.rs.size());
    for (const double r : g.rs) {
        StopIfRequested(stop);
        for (const double z : g.zs)
            g.psi.push_back(FluxFunction(p, coils, z, r));
    }
    return g;
}

// A grid edge: from node (i, j) to (i + 1, j) or to (i, j + 1).
struct Edge {
    size_t i, j;
    bool alongZ;
};

// For each level, the grid edges it crosses: where psi - level turns from
// negative to not negative between the edge's two nodes.
std::vector<std::vector<Edge>> CrossedEdges(const FluxGrid& g, const std::vector<double>& levels)
{
    std::vector<size_t> order(levels.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return levels[a] < levels[b]; });
    std::vector<double> sorted;
    for (const size_t k : order)
        sorted.push_back(levels[k]);
    std::vector<std::vector<Edge>> crossed(levels.size());
    const auto take = [&](const Edge& e, double a, double b) {
        if (!std::isfinite(a) || !std::isfinite(b))
            return;
        // the levels c with min < c <= max
        const auto first = std::upper_bound(sorted.begin(), sorted.end(), std::min(a, b));
        const auto last = std::upper_bound(first, sorted.end(), std::max(a, b));
        for (auto k = first; k != last; ++k)
            crossed[order[k - sorted.begin()]].push_back(e);
    };
    for (size_t j = 0; j < g.rs.size(); ++j)
        for (size_t i = 0; i + 1 < g.zs.size(); ++i)
            take({i, j, true}, g.at(i, j), g.at(i + 1, j));
    for (size_t j = 0; j + 1 < g.rs.size(); ++j)
        for (size_t i = 0; i < g.zs.size(); ++i)
            take({i, j, false}, g.at(i, j), g.at(i, j + 1));
    return crossed;
}

// Whether segments ab and cd meet (touching counts).
bool Meet(const MeridianPoint& a, const MeridianPoint& b, const MeridianPoint& c, const MeridianPoint& d)
{
    const auto side = [](const MeridianPoint& o, const MeridianPoint& u, const MeridianPoint& v) {
        const double cross = (u.z - o.z) * (v.r - o.r) - (u.r - o.r) * (v.z - o.z);
        return (cross > 0) - (cross < 0);
    };
    const auto within = [](double x, double a, double b) { return std::min(a, b) <= x && x <= std::max(a, b); };
    const int s1 = side(a, b, c), s2 = side(a, b, d), s3 = side(c, d, a), s4 = side(c, d, b);
    if (s1 * s2 < 0 && s3 * s4 < 0)
        return true;
    const auto onto = [&](const MeridianPoint& o, const MeridianPoint& u, const MeridianPoint& v, int s) {
        return s == 0 && within(v.z, o.z, u.z) && within(v.r, o.r, u.r);
    };
    return onto(a, b, c, s1) || onto(a, b, d, s2) || onto(c, d, a, s3) || onto(c, d, b, s4);
}

// The chords of the pieces of one level found so far, filed by the cells of
// a uniform grid over the window that their bounding boxes touch.
class ChordIndex {
public:
    ChordIndex(const LevelWindow& w, double cell)
        : zLow_(w.zLow), cell_(cell), nz_(cellCount(w.zHigh - w.zLow)), nr_(cellCount(w.rHigh)), cells_(nz_ * nr_)
    {
    }

    void clear()
    {
        for (auto& c : cells_)
            c.clear();
    }

    void add(const std::vector<MeridianPoint>& piece)
    {
        for (size_t k = 1; k < piece.size(); ++k) {
            const Box b = box(piece[k - 1], piece[k], 0);
            for (size_t r = b.r0; r <= b.r1; ++r)
                for (size_t z = b.z0; z <= b.z1; ++z)
                    cells_[r * nz_ + z].push_back({piece[k - 1], piece[k]});
        }
    }

    // Whether a chord meets the segment ab.
    bool meets(const MeridianPoint& a, const MeridianPoint& b) const
    {
        return any(box(a, b, 0), [&](const MeridianPoint& c, const MeridianPoint& d) { return Meet(a, b, c, d); });
    }

    // Whether a chord passes within `distance` of q.
    bool near(const MeridianPoint& q, double distance) const
    {
        return any(box(q, q, distance),
                   [&](const MeridianPoint& c, const MeridianPoint& d) { return DistanceToSegment(q, c, d) <= distance; });
    }

private:
    using Chords = std::vector<std::pair<MeridianPoint, MeridianPoint>>;

    // The cells z0..z1, r0..r1 of the box around a and b, widened by a margin.
    struct Box {
        size_t z0, z1, r0, r1;
    };

    size_t cellCount(double extent) const
    {
        return static_cast<size_t>(std::clamp(std::ceil(extent / cell_), 1.0, kMostCells / 4));
    }

    size_t index(double x, double from, size_t n) const
    {
        const double k = std::floor((x - from) / cell_);
        return static_cast<size_t>(std::clamp(k, 0.0, static_cast<double>(n - 1)));
    }

    Box box(const MeridianPoint& a, const MeridianPoint& b, double margin) const
    {
        return {index(std::min(a.z, b.z) - margin, zLow_, nz_), index(std::max(a.z, b.z) + margin, zLow_, nz_),
                index(std::min(a.r, b.r) - margin, 0, nr_), index(std::max(a.r, b.r) + margin, 0, nr_)};
    }

    template <class Test>
    bool any(const Box& b, const Test& test) const
    {
        for (size_t r = b.r0; r <= b.r1; ++r)
            for (size_t z = b.z0; z <= b.z1; ++z)
                for (const auto& [c, d] : cells_[r * nz_ + z])
                    if (test(c, d))
                        return true;
        return false;
    }

    double zLow_, cell_;
    size_t nz_, nr_;
    std::vector<Chords> cells_;
};

// The whole piece through the seed: along the field until it closes or
// leaves the window, and, if it did not close, against the field from the
// seed too (a piece far smaller than a pixel may close only that way).
std::vector<MeridianPoint> PieceThrough(const CalcParams& p, const CoilArrangement& coils, double level,
                                        const LevelFollower::Node& seed, const LevelWindow& w, double pixel)
{
    const LevelFollower along(p, coils, level, pixel, 1), against(p, coils, level, pixel, -1);
    std::vector<MeridianPoint> ahead{seed.at};
    if (FollowLevel(along, seed, w, true, ahead, kMostVertices) == LevelEnd::Closed)
        return ahead;
    std::vector<MeridianPoint> piece{seed.at};
    if (FollowLevel(against, seed, w, true, piece, kMostVertices) == LevelEnd::Closed)
        return {piece.rbegin(), piece.rend()};
    std::reverse(piece.begin(), piece.end());
    piece.insert(piece.end(), ahead.begin() + 1, ahead.end());
    return piece;
}

}  // namespace

std::vector<std::vector<MeridianPoint>> FluxContours(const CalcParams& p, const CoilArrangement& coils,
                                                     const std::vector<double>& levels, const LevelWindow& window,
                                                     double pixel, const std::stop_token& stop)
{
    std::vector<std::vector<MeridianPoint>> pieces;
    for (const double v : {window.zLow, window.zHigh, window.rHigh, pixel, p.radius, p.length})
        if (!std::isfinite(v))
            return pieces;
    if (!(pixel > 0) || !(window.zHigh > window.zLow) || !(window.rHigh > 0) || levels.empty())
        return pieces;
    for (const PlacedCoil& c : coils.coils)
        if (!std::isfinite(c.offset) || !std::isfinite(c.current))
            return pieces;

    const FluxGrid grid = GridOver(p, coils, window, pixel, stop);
    const std::vector<std::vector<Edge>> crossed = CrossedEdges(grid, levels);
    ChordIndex found(window, kCellPixels * pixel);
    for (size_t k = 0; k < levels.size(); ++k) {
        if (!(levels[k] != 0) || !std::isfinite(levels[k]))
            continue;
        const LevelFollower solver(p, coils, levels[k], pixel);
        found.clear();
        for (const Edge& e : crossed[k]) {
            const MeridianPoint a = grid.node(e.i, e.j), b = grid.node(e.i + e.alongZ, e.j + !e.alongZ);
            LevelFollower::Node seed;
            if (found.meets(a, b) || !solver.onSegment(a, b, seed) || found.near(seed.at, pixel / 2))
                continue;
            StopIfRequested(stop);
            std::vector<MeridianPoint> piece = PieceThrough(p, coils, levels[k], seed, window, pixel);
            found.add(piece);
            if (piece.size() > 1)
                pieces.push_back(std::move(piece));
        }
    }
    return pieces;
}

std::vector<std::vector<MeridianPoint>> EqualFluxContours(const CalcParams& p, const CoilArrangement& coils,
                                                          const std::stop_token& stop)
{
    const LevelWindow window{MirrorParity(coils) != 0 ? 0.0 : p.zMin, p.zMax, p.yMax};
    return FluxContours(p, coils, EqualFluxLevels(p, coils), window, 1 / p.scaleX, stop);
}
