#include "field/field_strength_map.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <thread>

#include "field/arrangement_field.h"
#include "field/run_stop.h"

namespace {

constexpr double kDynamicRange = 1e4;  // highest / lowest at most

// For n pixel centres at c(i) = start + (i + 0.5) / scale, the index of the
// pixel whose centre is -c(i), or i itself where there is none: the twin
// i' = -2 start scale - 1 - i must exist and match to 1e-9 pixel.
std::vector<int> mirrorTwins(int n, double start, double scale)
{
    std::vector<int> twin(n);
    const double sum = -2 * start * scale - 1;  // i + i'
    for (int i = 0; i < n; ++i) {
        twin[i] = i;
        const double j = std::round(sum - i);
        if (j >= 0 && j < n && std::fabs((sum - i) - j) <= 1e-9)
            twin[i] = static_cast<int>(j);
    }
    return twin;
}

// Runs work(first, step) on `threads` threads at once: thread t takes the
// items t, t + threads, ... of `count`.
template <class Work>
void shareAmong(unsigned threads, size_t count, const Work& work)
{
    threads = static_cast<unsigned>(std::min<size_t>({threads, 8, std::max<size_t>(count, 1)}));
    std::vector<std::thread> helpers;
    for (unsigned t = 1; t < threads; ++t)
        helpers.emplace_back(work, t, threads);
    work(0, threads);
    for (std::thread& t : helpers)
        t.join();
}

}  // namespace

FieldStrengthGrid FieldStrengthValues(const CalcParams& p, int width, int height, int threads,
                                      const std::stop_token& stop)
{
    return FieldStrengthValues(p, SingleCoil(), width, height, threads, stop);
}

FieldStrengthGrid FieldStrengthValues(const CalcParams& p, const CoilArrangement& coils, int width, int height,
                                      int threads, const std::stop_token& stop)
{
    FieldStrengthGrid grid;
    if (width <= 0 || height <= 0)
        return grid;
    grid.width = width;
    grid.height = height;
    const size_t w = static_cast<size_t>(width);
    grid.strength.assign(w * height, 0.0);
    const bool scalesUsable = p.scaleX > 0 && p.scaleY > 0 && std::isfinite(p.scaleX) && std::isfinite(p.scaleY) &&
                              std::isfinite(p.zMin) && std::isfinite(p.yMax);
    if (!scalesUsable)
        return grid;

    // Pixel centres; a pixel is computed if it is its own twin or the twin with
    // z >= 0 (r >= 0); the others copy it.
    std::vector<double> zs(width), rs(height);
    for (int x = 0; x < width; ++x)
        zs[x] = p.zMin + (x + 0.5) / p.scaleX;
    for (int y = 0; y < height; ++y)
        rs[y] = p.yMax - (y + 0.5) / p.scaleY;
    // |H| is even in z only for a mirror-symmetric arrangement
    const bool even = MirrorParity(coils) != 0;
    std::vector<int> colTwin = mirrorTwins(width, p.zMin, p.scaleX);
    if (!even)
        std::iota(colTwin.begin(), colTwin.end(), 0);
    const std::vector<int> rowTwin = mirrorTwins(height, -p.yMax, p.scaleY);  // r = -(-yMax + (y + 0.5)/scaleY)
    std::vector<int> ownCols, copiedCols, ownRows;
    for (int x = 0; x < width; ++x)
        (colTwin[x] == x || zs[x] >= 0 ? ownCols : copiedCols).push_back(x);
    for (int y = 0; y < height; ++y)
        if (rowTwin[y] == y || rs[y] >= 0)
            ownRows.push_back(y);
    const unsigned n = threads > 0 ? static_cast<unsigned>(threads) : std::thread::hardware_concurrency();

    shareAmong(n, ownRows.size(), [&](size_t first, size_t step) {
        for (size_t k = first; k < ownRows.size() && !stop.stop_requested(); k += step) {
            double* row = &grid.strength[ownRows[k] * w];
            const double r = std::fabs(rs[ownRows[k]]);
            for (int x : ownCols)
                row[x] = FieldStrength(ExactField(p, coils, even ? std::fabs(zs[x]) : zs[x], r));
            for (int x : copiedCols)
                row[x] = row[colTwin[x]];
        }
    });
    StopIfRequested(stop);  // the threads have left their rows unfinished
    for (int y = 0; y < height; ++y)
        if (rowTwin[y] != y && rs[y] < 0)
            std::copy_n(&grid.strength[rowTwin[y] * w], w, &grid.strength[y * w]);

    // The twins hold the same values: the computed pixels give the range.
    double highest = 0, smallest = INFINITY;
    for (int y : ownRows)
        for (int x : ownCols)
            if (const double v = grid.strength[y * w + x]; std::isfinite(v)) {
                highest = std::max(highest, v);
                smallest = std::min(smallest, v);
            }
    grid.highest = highest;
    grid.lowest = highest > 0 ? std::max(smallest, highest / kDynamicRange) : 0.0;
    return grid;
}
