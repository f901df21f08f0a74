#include "raster/raster_surface.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace {

constexpr uint32_t kWhite = 0xffffffffu;

uint32_t Argb(Rgb c) { return 0xff000000u | uint32_t{c.red} << 16 | uint32_t{c.green} << 8 | c.blue; }

}  // namespace

RasterSurface::RasterSurface(int width, int height, double pixelRatio)
    : width_(std::max(width, 0) * (height > 0)), height_(std::max(height, 0) * (width > 0)),
      ratio_(UsablePixelRatio(pixelRatio)), pen_(WholePixelRatio(ratio_)),
      pixels_(static_cast<size_t>(width_) * static_cast<size_t>(height_), kWhite)
{
}

void RasterSurface::clear()
{
    std::fill(pixels_.begin(), pixels_.end(), kWhite);
    current_ = PlanePoint{};
}

void RasterSurface::set(double column, double row, uint32_t argb)
{
    if (column >= 0 && column < width_ && row >= 0 && row < height_)
        pixels_[static_cast<size_t>(row) * static_cast<size_t>(width_) + static_cast<size_t>(column)] = argb;
}

void RasterSurface::stamp(double column, double row, uint32_t argb)
{
    if (pen_ == 1) {
        set(column, row, argb);
        return;
    }
    for (int dy = 0; dy < pen_; ++dy)
        for (int dx = 0; dx < pen_; ++dx)
            set(column + dx, row + dy, argb);
}

void RasterSurface::plotPoint(float x, float y, Rgb colour)
{
    current_ = PlanePoint{x, y};
    if (Placeable(x) && Placeable(y))
        stamp(std::floor(x), std::floor(y), Argb(colour));
}

void RasterSurface::drawLine(float x1, float y1, float x2, float y2, Rgb colour)
{
    if (Placeable(x1) && Placeable(y1) && Placeable(x2) && Placeable(y2))
        drawSegment(PlanePoint{x1, y1}, PlanePoint{x2, y2}, Argb(colour));
}

void RasterSurface::lineTo(float x, float y, Rgb colour)
{
    const PlanePoint from = current_;
    current_ = PlanePoint{x, y};
    drawLine(static_cast<float>(from.x), static_cast<float>(from.y), x, y, colour);
}

void RasterSurface::drawSegment(PlanePoint a, PlanePoint b, uint32_t argb)
{
    const double reach = 1 - pen_;  // a pixel this far before the picture still widens into it
    if (std::max(a.x, b.x) < reach || std::min(a.x, b.x) >= width_ || std::max(a.y, b.y) < reach || std::min(a.y, b.y) >= height_)
        return;  // wholly beside the picture
    // From the middle of one end pixel to the middle of the other, walking
    // along the longer extent; "along" is x or y, "across" the other.
    a = PlanePoint{std::floor(a.x) + 0.5, std::floor(a.y) + 0.5};
    b = PlanePoint{std::floor(b.x) + 0.5, std::floor(b.y) + 0.5};
    const bool alongX = std::fabs(b.x - a.x) >= std::fabs(b.y - a.y);
    double a0 = alongX ? a.x : a.y, a1 = alongX ? a.y : a.x;  // the first end: along, across
    double b0 = alongX ? b.x : b.y, b1 = alongX ? b.y : b.x;
    if (a0 == b0) {
        stamp(std::floor(a.x), std::floor(a.y), argb);  // both ends in one pixel
        return;
    }
    if (a0 > b0) {  // the same pixels whichever end comes first
        std::swap(a0, b0);
        std::swap(a1, b1);
    }
    const double slope = (b1 - a1) / (b0 - a0);  // |slope| <= 1
    const int alongSize = alongX ? width_ : height_;
    const int acrossSize = alongX ? height_ : width_;
    const double first = std::max(std::floor(a0), reach);
    const double last = std::min(std::floor(b0), alongSize - 1.0);
    for (double k = first; k <= last; ++k) {
        const double across = std::floor(a1 + (k + 0.5 - a0) * slope);  // at the end columns, the end pixels
        if (across < reach || across >= acrossSize)
            continue;
        if (alongX)
            stamp(k, across, argb);
        else
            stamp(across, k, argb);
    }
}

void RasterSurface::drawCircle(float cx, float cy, float radius, Rgb colour)
{
    const double r = std::fabs(double{radius});
    if (!Placeable(cx) || !Placeable(cy) || !Placeable(r))
        return;
    const uint32_t argb = Argb(colour);
    if (r < 1) {
        stamp(std::floor(cx), std::floor(cy), argb);  // a turn smaller than a pixel shows as a dot
        return;
    }
    // In pixel-index coordinates (c - 0.5) the middle of pixel k lies at k.
    drawOutlineOctants(cx - 0.5, cy - 0.5, r, width_, false, argb);
    drawOutlineOctants(cy - 0.5, cx - 0.5, r, height_, true, argb);
}

// `across` runs over the columns (rows when `rows`), the outline's two pixels
// in each lie along the other direction. Split into whole and fractional
// parts, the centre's offsets from a pixel's middle are exact, so that the
// two halves of the outline come out as mirror images.
void RasterSurface::drawOutlineOctants(double c0Across, double c0Along, double radius, int acrossSize, bool rows, uint32_t argb)
{
    const double wholeAcross = std::floor(c0Across), fracAcross = c0Across - wholeAcross;
    const double wholeAlong = std::floor(c0Along), fracAlong = c0Along - wholeAlong;
    const double halfWidth = radius / std::numbers::sqrt2;  // where the outline turns by 45 degrees
    // Offsets k from wholeAcross, within the octants and inside the picture.
    const double first = std::max(std::ceil(fracAcross - halfWidth), 1 - pen_ - wholeAcross);
    const double last = std::min(std::floor(fracAcross + halfWidth), acrossSize - 1 - wholeAcross);
    for (double k = first; k <= last; ++k) {
        const double u = k - fracAcross;
        const double v = std::sqrt((radius - u) * (radius + u));  // r^2 - u^2 without cancelling
        const double low = wholeAlong + std::ceil(fracAlong - v - 0.5);   // ties away from the centre
        const double high = wholeAlong + std::floor(fracAlong + v + 0.5);
        const double at = wholeAcross + k;
        if (rows) {
            stamp(low, at, argb);
            stamp(high, at, argb);
        } else {
            stamp(at, low, argb);
            stamp(at, high, argb);
        }
    }
}

void RasterSurface::drawImage(const std::vector<uint32_t>& pixels)
{
    if (pixels.size() != pixels_.size())
        return;
    std::transform(pixels.begin(), pixels.end(), pixels_.begin(), [](uint32_t p) { return p | 0xff000000u; });
}

void RasterSurface::fillPolygon(const std::vector<SurfacePoint>& corners, Rgb colour)
{
    if (corners.size() < 3)
        return;
    double top = INFINITY, bottom = -INFINITY;
    for (const SurfacePoint& c : corners) {
        if (!Placeable(c.x) || !Placeable(c.y))
            return;
        top = std::min(top, double{c.y});
        bottom = std::max(bottom, double{c.y});
    }
    const uint32_t argb = Argb(colour);
    // Rows whose middles y + 0.5 lie in [top, bottom), within the picture.
    const int firstRow = static_cast<int>(std::max(0.0, std::ceil(top - 0.5)));
    const int endRow = static_cast<int>(std::min<double>(height_, std::ceil(bottom - 0.5)));
    std::vector<double> crossings;
    for (int row = firstRow; row < endRow; ++row) {
        const double yc = row + 0.5;
        crossings.clear();
        for (size_t k = 0; k < corners.size(); ++k) {
            const SurfacePoint a = corners[k], b = corners[(k + 1) % corners.size()];
            // an edge counts from its upper end on, not its lower: each crossing once
            if ((a.y <= yc) != (b.y <= yc))
                crossings.push_back(a.x + (yc - a.y) * (double{b.x} - a.x) / (double{b.y} - a.y));
        }
        std::sort(crossings.begin(), crossings.end());
        for (size_t k = 0; k + 1 < crossings.size(); k += 2) {
            // columns whose middles x + 0.5 lie in [left, right)
            const double first = std::max(0.0, std::ceil(crossings[k] - 0.5));
            const double end = std::min<double>(width_, std::ceil(crossings[k + 1] - 0.5));
            for (double column = first; column < end; ++column)
                set(column, row, argb);
        }
    }
}
