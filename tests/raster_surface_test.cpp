// The rasteriser's rules: which pixels lines, points and circles set, clipping and far coordinates.
#include <gtest/gtest.h>

#include <cmath>
#include <algorithm>
#include <functional>
#include <limits>
#include <map>
#include <set>
#include <utility>

#include "raster/raster_surface.h"

namespace {

constexpr Rgb kRed{255, 0, 0};
constexpr uint32_t kWhite = 0xffffffff, kRedPixel = 0xffff0000;
constexpr float kInf = std::numeric_limits<float>::infinity();
using Pixels = std::set<std::pair<int, int>>;  // (column, row)

// The pixels that are not white after `draw` on a fresh 60 x 40 picture; every one must be red.
Pixels Drawn(const std::function<void(DrawingSurface&)>& draw, int width = 60, int height = 40)
{
    RasterSurface s(width, height);
    draw(s);
    Pixels set;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            EXPECT_TRUE(s.pixel(x, y) == kWhite || s.pixel(x, y) == kRedPixel) << x << "," << y;
            if (s.pixel(x, y) != kWhite)
                set.insert({x, y});
        }
    return set;
}

// Whether the segment passes through the closed square of the pixel (sampled finely enough for these lines).
bool Crosses(double x1, double y1, double x2, double y2, std::pair<int, int> p)
{
    for (int k = 0; k <= 20000; ++k) {
        const double x = x1 + (x2 - x1) * k / 20000, y = y1 + (y2 - y1) * k / 20000;
        if (x >= p.first - 0.01 && x <= p.first + 1.01 && y >= p.second - 0.01 && y <= p.second + 1.01)
            return true;
    }
    return false;
}

struct LineRow {
    const char* name;
    float x1, y1, x2, y2;
};

class RasterLine : public testing::TestWithParam<LineRow> {};

// Both end pixels; every pixel on the line between their middles; one pixel per column (row) along the longer
// extent, unbroken; either direction alike.
TEST_P(RasterLine, SetsTheEndsAndOnePixelPerStepOnTheLine)
{
    const LineRow l = GetParam();
    const Pixels set = Drawn([&](DrawingSurface& s) { s.drawLine(l.x1, l.y1, l.x2, l.y2, kRed); });
    EXPECT_EQ(set, Drawn([&](DrawingSurface& s) { s.drawLine(l.x2, l.y2, l.x1, l.y1, kRed); }));
    const int i1 = int(std::floor(l.x1)), j1 = int(std::floor(l.y1)), i2 = int(std::floor(l.x2)), j2 = int(std::floor(l.y2));
    EXPECT_TRUE(set.count({i1, j1}) && set.count({i2, j2}));
    const bool alongX = std::abs(i2 - i1) >= std::abs(j2 - j1);
    std::map<int, int> perStep;
    for (const auto& p : set) {
        EXPECT_TRUE(Crosses(i1 + 0.5, j1 + 0.5, i2 + 0.5, j2 + 0.5, p)) << p.first << "," << p.second;
        ++perStep[alongX ? p.first : p.second];
    }
    const auto [first, last] = std::minmax(alongX ? i1 : j1, alongX ? i2 : j2);
    EXPECT_EQ(perStep.size(), size_t(last - first + 1));
    for (const auto& [k, n] : perStep)
        EXPECT_TRUE(n == 1 && k >= first && k <= last) << k;
    for (const auto& p : set) {  // unbroken: every pixel touches another one, unless it is the only one
        bool touches = set.size() == 1;
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                touches = touches || ((dx || dy) && set.count({p.first + dx, p.second + dy}));
        EXPECT_TRUE(touches) << p.first << "," << p.second;
    }
}

INSTANTIATE_TEST_SUITE_P(Lines, RasterLine, testing::Values(
    LineRow{"flat", 3.2f, 10.7f, 50.9f, 14.1f}, LineRow{"steep", 20.5f, 2.3f, 24.9f, 37.6f},
    LineRow{"diagonal", 1.5f, 1.5f, 30.5f, 30.5f}, LineRow{"short_within_a_pixel", 7.1f, 7.2f, 7.8f, 7.9f},
    LineRow{"point", 9.5f, 9.5f, 9.5f, 9.5f}, LineRow{"crossing_two_rows_in_one_step", 0.0f, 0.9f, 2.9f, 3.8f},
    LineRow{"backwards_shallow", 58.9f, 1.1f, 0.2f, 20.4f}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RasterSurface, WholePixelLinesDiagonalsPointsAndTheCurrentPoint)
{
    Pixels row10, diagonal, path;
    for (int x = 0; x < 60; ++x)
        row10.insert({x, 10});
    EXPECT_EQ(Drawn([](DrawingSurface& s) { s.drawLine(0, 10, 60, 10, kRed); }), row10);  // x = 60 lies beyond the last column
    for (int k = 0; k < 10; ++k)
        diagonal.insert({k, k});
    EXPECT_EQ(Drawn([](DrawingSurface& s) { s.drawLine(0.5f, 0.5f, 9.5f, 9.5f, kRed); }), diagonal);
    Pixels halfSlope;  // from pixel (0, 0) to (10, 5): at the middle of each column y = 0.5 + x / 2
    for (int x = 0; x <= 10; ++x)
        halfSlope.insert({x, int(std::floor(0.5 + x / 2.0))});
    EXPECT_EQ(Drawn([](DrawingSurface& s) { s.drawLine(0, 0.3f, 10, 5.3f, kRed); }), halfSlope);
    path.insert({5, 30});  // the point, then along row 30 and down column 20
    for (int x = 5; x <= 20; ++x)
        path.insert({x, 30});
    for (int y = 30; y <= 35; ++y)
        path.insert({20, y});
    EXPECT_EQ(Drawn([](DrawingSurface& s) { s.plotPoint(5.9f, 30.2f, kRed), s.lineTo(20.3f, 30.2f, kRed), s.lineTo(20.3f, 35.5f, kRed); }), path);
    // clear() leaves white; an image of the wrong size is not laid on, one of the right size replaces the picture
    EXPECT_EQ(Drawn([](DrawingSurface& s) { s.drawLine(0, 0, 59, 39, kRed), s.clear(), s.drawImage(std::vector<uint32_t>(10, kRedPixel)); }), Pixels{});
    EXPECT_EQ(Drawn([](DrawingSurface& s) { s.drawImage(std::vector<uint32_t>(60 * 40, 0x00ff0000)); }).size(), 60u * 40u);
}

// Far out: the visible part exactly as its rule says; NaN, infinities and beyond kFarLimit: nothing, quickly.
TEST(RasterSurface, FarAwayAndNonFiniteCoordinates)
{
    Pixels row20;
    for (int x = 0; x < 60; ++x)
        row20.insert({x, 20});
    EXPECT_EQ(Drawn([](DrawingSurface& s) { s.drawLine(-1e12f, 20.5f, 1e12f, 20.5f, kRed); }), row20);
    EXPECT_EQ(Drawn([](DrawingSurface& s) { s.drawLine(30.5f, -1e13f, 30.5f, 1e13f, kRed); }).size(), 40u);
    const float nan = std::nanf("");
    EXPECT_EQ(Drawn([&](DrawingSurface& s) {
        s.drawLine(nan, 10, 20, 20, kRed), s.drawLine(-kInf, 10, kInf, 10, kRed), s.drawLine(-1e20f, 10, 1e20f, 10, kRed);
        s.drawLine(-5e6f, -5e6f, -5e6f + 1, 5e6f, kRed);  // left of the picture
        s.plotPoint(1e30f, 1e30f, kRed), s.lineTo(5, 5, kRed);  // from a point that is nowhere
        s.plotPoint(nan, 5, kRed), s.lineTo(5, 5, kRed);
        s.drawCircle(5, 5, kInf, kRed), s.drawCircle(1e30f, 1e30f, 10, kRed), s.drawCircle(30, 20, 1e30f, kRed);
        s.drawCircle(30, 20, 1e6f, kRed);     // the picture wholly inside it
        s.drawCircle(-3e6f, 20, 2e6f, kRed);  // far left of the picture
    }), Pixels{});
}

struct CircleRow {
    const char* name;
    float cx, cy, r;
};

class RasterCircle : public testing::TestWithParam<CircleRow> {};

// Every pixel set lies on the outline (its middle within half a pixel of it), all around it, mirror-symmetric about a pixel-middle centre.
TEST_P(RasterCircle, OutlinesLieOnTheCircleAllAroundAndSymmetric)
{
    const CircleRow c = GetParam();
    const Pixels set = Drawn([&](DrawingSurface& s) { s.drawCircle(c.cx, c.cy, c.r, kRed); }, 200, 200);
    const Pixels mirrored = Drawn([&](DrawingSurface& s) { s.drawCircle(c.cx, c.cy, -c.r, kRed); }, 200, 200);
    EXPECT_EQ(set, mirrored);  // the sign of the radius does not matter
    ASSERT_FALSE(set.empty());
    for (const auto& [x, y] : set)
        EXPECT_LE(std::fabs(std::hypot(x + 0.5 - c.cx, y + 0.5 - c.cy) - c.r), 0.5001) << x << "," << y;
    for (int k = 0; k < 720; ++k) {  // every point of the outline has a set pixel beside it
        const double a = k * M_PI / 360, x = c.cx + c.r * std::cos(a), y = c.cy + c.r * std::sin(a);
        if (x < 1 || y < 1 || x > 199 || y > 199)
            continue;
        bool near = false;
        for (const auto& p : set)
            near = near || (std::fabs(p.first + 0.5 - x) <= 1.5 && std::fabs(p.second + 0.5 - y) <= 1.5);
        EXPECT_TRUE(near) << "angle " << k / 2.0;
    }
    if (c.cx - std::floor(c.cx) == 0.5f && c.cy - std::floor(c.cy) == 0.5f) {
        const int mx = int(std::floor(c.cx)), my = int(std::floor(c.cy));
        for (const auto& [x, y] : set)
            for (const auto& image : {std::pair{2 * mx - x, y}, {x, 2 * my - y}, {mx + (y - my), my + (x - mx)}})
                EXPECT_TRUE(set.count(image) || image.first < 0 || image.second < 0 || image.first >= 200 || image.second >= 200)
                    << x << "," << y;
    }
}

INSTANTIATE_TEST_SUITE_P(Circles, RasterCircle, testing::Values(
    CircleRow{"one_pixel", 50.5f, 50.5f, 1}, CircleRow{"winding_size", 60.5f, 70.5f, 1.63f},
    CircleRow{"medium", 100.5f, 100.5f, 37}, CircleRow{"off_middle", 80.3f, 90.8f, 12.6f},
    CircleRow{"clipped", 10.5f, 190.5f, 40}, CircleRow{"huge_through_the_picture", 100.5f, -4e6f + 150, 4e6f}),
    [](const auto& info) { return std::string(info.param.name); });

// A circle below a pixel is the pixel of its centre; one so large that its top runs flat along row 70 sets that row only.
TEST(RasterSurface, TinyAndHugeCircles)
{
    EXPECT_EQ(Drawn([](DrawingSurface& s) { s.drawCircle(10.3f, 20.7f, 0.4f, kRed), s.drawCircle(5, 5, 0, kRed); }),
              (Pixels{{10, 20}, {5, 5}}));
    Pixels row70;
    for (int x = 0; x < 100; ++x)
        row70.insert({x, 70});
    EXPECT_EQ(Drawn([](DrawingSurface& s) { s.drawCircle(50, 1e7f + 70, 1e7f, kRed); }, 100, 100), row70);
}

}  // namespace
