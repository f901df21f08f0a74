#include "web/pixel_surface.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr uint32_t kWhite = 0xffffffff;
constexpr double kFarLimit = 1e9;  // pixels from the picture; farther is not drawn
constexpr double kTwoPi = 6.283185307179586;

uint32_t Argb(Rgb c) { return 0xff000000u | uint32_t{c.red} << 16 | uint32_t{c.green} << 8 | c.blue; }

bool Placeable(double v) { return std::fabs(v) <= kFarLimit; }  // false for NaN

// Clips the segment to [lo, hiX] x [lo, hiY] (Liang-Barsky); false when nothing is left.
bool Clip(double& x1, double& y1, double& x2, double& y2, double lo, double hiX, double hiY)
{
    const double dx = x2 - x1, dy = y2 - y1;
    double t0 = 0, t1 = 1;
    const double edges[4][2] = {{-dx, x1 - lo}, {dx, hiX - x1}, {-dy, y1 - lo}, {dy, hiY - y1}};
    for (const auto& e : edges) {
        if (e[0] == 0) {
            if (e[1] < 0)
                return false;
            continue;
        }
        const double t = e[1] / e[0];
        if (e[0] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    const double sx = x1, sy = y1;
    x1 = sx + t0 * dx, y1 = sy + t0 * dy;
    x2 = sx + t1 * dx, y2 = sy + t1 * dy;
    return true;
}

}  // namespace

PixelSurface::PixelSurface(int width, int height)
    : width_(std::max(width, 0)), height_(std::max(height, 0)),
      pixels_(static_cast<size_t>(width_) * static_cast<size_t>(height_), kWhite)
{
}

void PixelSurface::clear() { std::fill(pixels_.begin(), pixels_.end(), kWhite); }

void PixelSurface::set(double x, double y, uint32_t colour)
{
    if (x >= 0 && y >= 0 && x < width_ && y < height_)
        pixels_[static_cast<size_t>(y) * width_ + static_cast<size_t>(x)] = colour;
}

void PixelSurface::line(double x1, double y1, double x2, double y2, uint32_t colour)
{
    if (!Placeable(x1) || !Placeable(y1) || !Placeable(x2) || !Placeable(y2))
        return;
    if (!Clip(x1, y1, x2, y2, -1, width_ + 1, height_ + 1))
        return;
    const double steps = std::ceil(std::max(std::fabs(x2 - x1), std::fabs(y2 - y1)));
    for (double k = 0; k <= steps; ++k) {
        const double t = steps > 0 ? k / steps : 0;
        set(std::floor(x1 + t * (x2 - x1)), std::floor(y1 + t * (y2 - y1)), colour);
    }
}

void PixelSurface::drawLine(float x1, float y1, float x2, float y2, Rgb colour) { line(x1, y1, x2, y2, Argb(colour)); }

void PixelSurface::plotPoint(float x, float y, Rgb colour)
{
    currentX_ = x;
    currentY_ = y;
    if (Placeable(x) && Placeable(y))
        set(std::floor(x), std::floor(y), Argb(colour));
}

void PixelSurface::lineTo(float x, float y, Rgb colour)
{
    line(currentX_, currentY_, x, y, Argb(colour));
    currentX_ = x;
    currentY_ = y;
}

void PixelSurface::drawCircle(float cx, float cy, float radius, Rgb colour)
{
    const double r = std::fabs(static_cast<double>(radius));
    if (!Placeable(cx) || !Placeable(cy) || !Placeable(r) || cx + r < -1 || cy + r < -1 || cx - r > width_ + 1 ||
        cy - r > height_ + 1)
        return;
    const double steps = std::clamp(std::ceil(kTwoPi * r), 8.0, 8.0 * (width_ + height_ + 8));
    double px = cx + r, py = cy;
    for (double k = 1; k <= steps; ++k) {
        const double phi = kTwoPi * k / steps;
        const double x = cx + r * std::cos(phi), y = cy + r * std::sin(phi);
        line(px, py, x, y, Argb(colour));
        px = x, py = y;
    }
}

void PixelSurface::drawImage(const std::vector<uint32_t>& pixels)
{
    if (pixels.size() == pixels_.size())
        pixels_ = pixels;
}
