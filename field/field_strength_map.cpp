#include "field/field_strength_map.h"

#include <algorithm>
#include <cmath>
#include <thread>

#include "field/colour_map.h"
#include "field/exact_field.h"

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

}  // namespace

FieldStrengthImage FieldStrengthMap(const CalcParams& p, int width, int height, int threads)
{
    FieldStrengthImage image;
    if (width <= 0 || height <= 0)
        return image;
    image.width = width;
    image.height = height;
    const size_t count = static_cast<size_t>(width) * height;
    std::vector<double> strength(count, 0.0);

    const bool scalesUsable = p.scaleX > 0 && p.scaleY > 0 && std::isfinite(p.scaleX) && std::isfinite(p.scaleY) &&
                              std::isfinite(p.zMin) && std::isfinite(p.yMax);
    if (scalesUsable) {
        // Columns and rows as pixel centres; a pixel is computed only if it is its own twin
        // or the twin with z >= 0 (r >= 0): the others copy it.
        std::vector<double> zs(width), rs(height);
        for (int x = 0; x < width; ++x)
            zs[x] = p.zMin + (x + 0.5) / p.scaleX;
        for (int y = 0; y < height; ++y)
            rs[y] = p.yMax - (y + 0.5) / p.scaleY;
        const std::vector<int> colTwin = mirrorTwins(width, p.zMin, p.scaleX);
        const std::vector<int> rowTwin = mirrorTwins(height, -p.yMax, p.scaleY);  // r = -(-yMax + (y + 0.5)/scaleY)
        auto computes = [](const std::vector<double>& c, const std::vector<int>& twin, int i) {
            return twin[i] == i || c[i] >= 0;
        };
        std::vector<int> ownRows;
        for (int y = 0; y < height; ++y)
            if (computes(rs, rowTwin, y))
                ownRows.push_back(y);

        auto work = [&](size_t first, size_t step) {
            for (size_t k = first; k < ownRows.size(); k += step) {
                const int y = ownRows[k];
                double* row = &strength[static_cast<size_t>(y) * width];
                for (int x = 0; x < width; ++x)
                    if (computes(zs, colTwin, x))
                        row[x] = FieldStrength(ExactField(p, std::fabs(zs[x]), std::fabs(rs[y])));
                for (int x = 0; x < width; ++x)
                    if (!computes(zs, colTwin, x))
                        row[x] = row[colTwin[x]];
            }
        };
        unsigned n = threads > 0 ? static_cast<unsigned>(threads) : std::max(1u, std::thread::hardware_concurrency());
        n = std::min<unsigned>({n, 8u, static_cast<unsigned>(ownRows.size() ? ownRows.size() : 1)});
        std::vector<std::thread> helpers;
        for (unsigned t = 1; t < n; ++t)
            helpers.emplace_back(work, t, n);
        work(0, n);
        for (std::thread& t : helpers)
            t.join();
        for (int y = 0; y < height; ++y)
            if (!computes(rs, rowTwin, y))
                std::copy_n(&strength[static_cast<size_t>(rowTwin[y]) * width], width,
                            &strength[static_cast<size_t>(y) * width]);
    }

    double highest = 0, smallest = INFINITY;
    for (double v : strength)
        if (std::isfinite(v)) {
            highest = std::max(highest, v);
            smallest = std::min(smallest, v);
        }
    image.highest = highest;
    image.lowest = highest > 0 ? std::max(smallest, highest / kDynamicRange) : 0.0;
    image.pixels.resize(count);
    for (size_t i = 0; i < count; ++i)
        image.pixels[i] = ColourMapColour(ColourMapIndex(strength[i], image.lowest, image.highest));
    image.legend = DrawMapLegend(image.pixels, width, height, image.lowest, image.highest);
    return image;
}
