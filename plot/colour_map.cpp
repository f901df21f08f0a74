#include "plot/colour_map.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// Viridis at 0, 1/8, ..., 1 (matplotlib's), linearly interpolated between.
constexpr std::array<std::array<int, 3>, 9> kViridisStops = {{
    {68, 1, 84}, {71, 44, 122}, {59, 81, 139}, {44, 113, 142}, {33, 144, 141},
    {39, 173, 129}, {92, 200, 99}, {170, 220, 50}, {253, 231, 37},
}};

constexpr std::array<uint32_t, kColourMapSize> makeTable()
{
    std::array<uint32_t, kColourMapSize> table{};
    for (int i = 0; i < kColourMapSize; ++i) {
        const int scaled = i * 8 * 1000 / (kColourMapSize - 1);  // position in thousandths of a stop
        const int stop = std::min(scaled / 1000, 7);
        const int frac = scaled - stop * 1000;
        uint32_t colour = 0xff000000u;
        for (int c = 0; c < 3; ++c) {
            const int a = kViridisStops[stop][c], b = kViridisStops[stop + 1][c];
            const int v = (a * (1000 - frac) + b * frac + 500) / 1000;
            colour |= static_cast<uint32_t>(v) << (16 - 8 * c);
        }
        table[i] = colour;
    }
    return table;
}

constexpr std::array<uint32_t, kColourMapSize> kTable = makeTable();

}  // namespace

uint32_t ColourMapColour(int index)
{
    return kTable[std::clamp(index, 0, kColourMapSize - 1)];
}

int ColourMapIndex(double value, double lowest, double highest)
{
    if (!(highest > lowest) || !(lowest > 0))
        return highest > 0 && value >= highest ? kColourMapSize - 1 : 0;
    if (!(value > lowest))
        return 0;
    // t = log(value / lowest) / log(highest / lowest)
    const double t = std::log(value / lowest) / std::log(highest / lowest);
    return static_cast<int>(std::clamp(t * kColourMapSize, 0.0, kColourMapSize - 1.0));
}
