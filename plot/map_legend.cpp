#include "plot/map_legend.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string>

#include "plot/colour_map.h"

namespace {

constexpr uint32_t kBlack = 0xff000000u;
constexpr uint32_t kWhite = 0xffffffffu;
constexpr int kPad = 4, kBarWidth = 10, kLabelChars = 7, kTickGap = 5;  // tick 2 px, then a gap

int BarHeight(int pictureHeight) { return std::clamp(pictureHeight / 3, 60, 160); }

// Rows from the box's top: the bar's (half a glyph of the top label above it)
// and the unit's (three pixels under the bottom label, whose glyphs are
// centred on the bar's last row), for a bar of barHeight device rows.
int BarTop(const LabelSize& size) { return kPad * size.pixels() + kGlyphHeight / 2 * size.font(); }
int UnitTop(const LabelSize& size, int barHeight)
{
    const int u = size.pixels(), glyphs = kGlyphHeight * size.font();
    return BarTop(size) + barHeight - u - (glyphs - u) / 2 + glyphs + 3 * u;
}

// The bar's device rows on a picture of that many device rows.
int BarRows(int height, const LabelSize& size)
{
    return BarHeight(static_cast<int>(std::lround(height / UsablePixelRatio(size.ratio)))) * size.pixels();
}

// The pixels of one rectangle of the picture, addressed in the picture's coordinates.
class Canvas {
public:
    Canvas(std::vector<uint32_t>& pixels, PixelRect area) : pixels_(pixels), area_(area)
    {
        pixels_.assign(static_cast<size_t>(area.w) * area.h, kWhite);
    }

    void set(int x, int y, uint32_t colour)
    {
        x -= area_.x;
        y -= area_.y;
        if (x >= 0 && x < area_.w && y >= 0 && y < area_.h)
            pixels_[static_cast<size_t>(y) * area_.w + x] = colour;
    }

    void fill(PixelRect r, uint32_t colour)
    {
        for (int y = r.y; y < r.y + r.h; ++y)
            for (int x = r.x; x < r.x + r.w; ++x)
                set(x, y, colour);
    }

    // A frame whose lines are `line` pixels wide, inside the rectangle.
    void frame(PixelRect r, int line, uint32_t colour)
    {
        fill({r.x, r.y, r.w, line}, colour);
        fill({r.x, r.y + r.h - line, r.w, line}, colour);
        fill({r.x, r.y, line, r.h}, colour);
        fill({r.x + r.w - line, r.y, line, r.h}, colour);
    }

    // Text with its top left corner at (x, y), `scale` pixels per font
    // pixel; characters without a glyph are left blank.
    void text(int x, int y, std::u32string_view chars, int scale)
    {
        const PixelTextMask mask = PixelTextPixels(chars);
        for (int row = 0; row < mask.height; ++row)
            for (int col = 0; col < mask.width; ++col)
                if (mask.at(col, row))
                    fill({x + col * scale, y + row * scale, scale, scale}, kBlack);
    }

private:
    std::vector<uint32_t>& pixels_;
    PixelRect area_;
};

std::u32string Wide(const std::vector<char>& chars) { return {chars.begin(), chars.end()}; }

}  // namespace

std::vector<char> LegendNumber(double value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 2);
    std::vector<char> out;
    for (const char* c = buffer; c != result.ptr; ++c) {
        if (*c == '+')
            continue;
        if (*c == '0' && !out.empty() && (out.back() == 'e' || (out.back() == '-' && out.size() >= 2 && out[out.size() - 2] == 'e')))
            continue;  // leading zeros of the exponent
        out.push_back(*c);
    }
    return out;
}

PixelRect MapLegendBox(int width, int height, LabelSize size)
{
    const double ratio = UsablePixelRatio(size.ratio);
    const int logicalHeight = static_cast<int>(std::lround(height / ratio));
    if (std::lround(width / ratio) < 160 || logicalHeight < 100)
        return {};
    const int u = size.pixels(), f = size.font();
    const int boxWidth = (2 * kPad + kBarWidth + kTickGap) * u + kLabelChars * kGlyphAdvance * f;
    // down to the unit and a pad under it
    const int boxHeight = UnitTop(size, BarRows(height, size)) + kGlyphHeight * f + kPad * u;
    return {width - u - boxWidth, u, boxWidth, boxHeight};
}

MapLegend MapLegendImage(int width, int height, double lowest, double highest, std::u32string_view unit, LabelSize size)
{
    MapLegend legend;
    const PixelRect box = MapLegendBox(width, height, size);
    if (box.w == 0)
        return legend;
    const int u = size.pixels(), f = size.font();
    const int barHeight = BarRows(height, size);
    const int barWidth = kBarWidth * u;
    legend.box = box;
    Canvas canvas(legend.pixels, box);
    canvas.frame(box, u, kBlack);

    // The bar, top row the highest value: row i of barHeight shows the value at
    // the fraction 1 - (i + 0.5) / barHeight of the log scale.
    const int barX = box.x + kPad * u, barY = box.y + BarTop(size);
    for (int i = 0; i < barHeight; ++i) {
        const double t = 1 - (i + 0.5) / barHeight;
        const int index = std::min(kColourMapSize - 1, static_cast<int>(t * kColourMapSize));
        canvas.fill({barX, barY + i, barWidth, 1}, ColourMapColour(index));
    }
    canvas.frame({barX - u, barY - u, barWidth + 2 * u, barHeight + 2 * u}, u, kBlack);

    // Values at the top, the middle (their geometric mean) and the bottom, each
    // centred on its tick.
    const double middle = lowest > 0 ? std::sqrt(lowest * highest) : (lowest + highest) / 2;
    const struct {
        double value;
        int y;
    } labels[] = {{highest, barY}, {middle, barY + barHeight / 2}, {lowest, barY + barHeight - u}};
    const int textX = barX + barWidth + kTickGap * u;
    for (const auto& label : labels) {
        canvas.fill({barX + barWidth + u, label.y, 2 * u, u}, kBlack);
        canvas.text(textX, label.y - (kGlyphHeight * f - u) / 2, Wide(LegendNumber(label.value)), f);
    }
    canvas.text(barX, box.y + UnitTop(size, barHeight), unit, f);
    return legend;
}

void DrawMapLegend(const MapLegend& legend, DrawingSurface& surface)
{
    const PixelRect& b = legend.box;
    if (legend.pixels.size() != static_cast<size_t>(b.w) * b.h)
        return;
    // each row as runs of one colour
    for (int y = 0; y < b.h; ++y) {
        const uint32_t* row = legend.pixels.data() + static_cast<size_t>(y) * b.w;
        for (int x = 0; x < b.w;) {
            int end = x + 1;
            while (end < b.w && row[end] == row[x])
                ++end;
            const Rgb colour{static_cast<uint8_t>(row[x] >> 16), static_cast<uint8_t>(row[x] >> 8),
                             static_cast<uint8_t>(row[x])};
            const float x0 = static_cast<float>(b.x + x), x1 = static_cast<float>(b.x + end);
            const float y0 = static_cast<float>(b.y + y), y1 = y0 + 1;
            surface.fillPolygon({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}, colour);
            x = end;
        }
    }
}
