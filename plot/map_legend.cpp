#include "plot/map_legend.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

#include "plot/colour_map.h"

namespace {

constexpr uint32_t kBlack = 0xff000000u;
constexpr uint32_t kWhite = 0xffffffffu;
constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;
constexpr int kAdvance = kGlyphWidth + 1;

struct Glyph {
    char c;
    uint8_t rows[kGlyphHeight];  // bit 4 is the leftmost pixel
};

constexpr Glyph kFont[] = {
    {'0', {0x0e, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0e}}, {'1', {0x04, 0x0c, 0x04, 0x04, 0x04, 0x04, 0x0e}},
    {'2', {0x0e, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1f}}, {'3', {0x1f, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0e}},
    {'4', {0x02, 0x06, 0x0a, 0x12, 0x1f, 0x02, 0x02}}, {'5', {0x1f, 0x10, 0x1e, 0x01, 0x01, 0x11, 0x0e}},
    {'6', {0x06, 0x08, 0x10, 0x1e, 0x11, 0x11, 0x0e}}, {'7', {0x1f, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08}},
    {'8', {0x0e, 0x11, 0x11, 0x0e, 0x11, 0x11, 0x0e}}, {'9', {0x0e, 0x11, 0x11, 0x0f, 0x01, 0x02, 0x0c}},
    {'.', {0x00, 0x00, 0x00, 0x00, 0x00, 0x0c, 0x0c}}, {'-', {0x00, 0x00, 0x00, 0x1f, 0x00, 0x00, 0x00}},
    {'+', {0x00, 0x04, 0x04, 0x1f, 0x04, 0x04, 0x00}}, {'e', {0x00, 0x00, 0x0e, 0x11, 0x1f, 0x10, 0x0e}},
};

class Canvas {
public:
    Canvas(std::vector<uint32_t>& pixels, int width, int height) : pixels_(pixels), width_(width), height_(height) {}

    void set(int x, int y, uint32_t colour)
    {
        if (x >= 0 && x < width_ && y >= 0 && y < height_)
            pixels_[static_cast<size_t>(y) * width_ + x] = colour;
    }

    void fill(PixelRect r, uint32_t colour)
    {
        for (int y = r.y; y < r.y + r.h; ++y)
            for (int x = r.x; x < r.x + r.w; ++x)
                set(x, y, colour);
    }

    void frame(PixelRect r, uint32_t colour)
    {
        fill({r.x, r.y, r.w, 1}, colour);
        fill({r.x, r.y + r.h - 1, r.w, 1}, colour);
        fill({r.x, r.y, 1, r.h}, colour);
        fill({r.x + r.w - 1, r.y, 1, r.h}, colour);
    }

    // Text with its top left corner at (x, y); characters without a glyph are left blank.
    void text(int x, int y, const std::vector<char>& chars)
    {
        for (char c : chars) {
            for (const Glyph& g : kFont)
                if (g.c == c)
                    for (int row = 0; row < kGlyphHeight; ++row)
                        for (int col = 0; col < kGlyphWidth; ++col)
                            if (g.rows[row] & (0x10 >> col))
                                set(x + col, y + row, kBlack);
            x += kAdvance;
        }
    }

private:
    std::vector<uint32_t>& pixels_;
    int width_;
    int height_;
};

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

PixelRect DrawMapLegend(std::vector<uint32_t>& pixels, int width, int height, double lowest, double highest)
{
    if (width < 160 || height < 100 || pixels.size() < static_cast<size_t>(width) * height)
        return {};
    constexpr int kPad = 4, kBarWidth = 10, kLabelChars = 7, kTickGap = 5;  // tick 2 px, then a gap
    const int barHeight = std::clamp(height / 3, 60, 160);
    const PixelRect box{width - 1 - (2 * kPad + kBarWidth + kTickGap + kLabelChars * kAdvance), 1,
                        2 * kPad + kBarWidth + kTickGap + kLabelChars * kAdvance, barHeight + 2 * kPad + kGlyphHeight};
    Canvas canvas(pixels, width, height);
    canvas.fill(box, kWhite);
    canvas.frame(box, kBlack);

    // The bar, top row the highest value: row i of barHeight shows the value at
    // the fraction 1 - (i + 0.5) / barHeight of the log scale.
    const int barX = box.x + kPad, barY = box.y + kPad + kGlyphHeight / 2;
    for (int i = 0; i < barHeight; ++i) {
        const double t = 1 - (i + 0.5) / barHeight;
        const int index = std::min(kColourMapSize - 1, static_cast<int>(t * kColourMapSize));
        canvas.fill({barX, barY + i, kBarWidth, 1}, ColourMapColour(index));
    }
    canvas.frame({barX - 1, barY - 1, kBarWidth + 2, barHeight + 2}, kBlack);

    // Values at the top, the middle (their geometric mean) and the bottom, each
    // centred on its tick.
    const double middle = lowest > 0 ? std::sqrt(lowest * highest) : (lowest + highest) / 2;
    const struct {
        double value;
        int y;
    } labels[] = {{highest, barY}, {middle, barY + barHeight / 2}, {lowest, barY + barHeight - 1}};
    const int textX = barX + kBarWidth + kTickGap;
    for (const auto& label : labels) {
        canvas.fill({barX + kBarWidth + 1, label.y, 2, 1}, kBlack);
        canvas.text(textX, label.y - kGlyphHeight / 2, LegendNumber(label.value));
    }
    return box;
}
