#include "svg/vector_surface.h"

#include <algorithm>
#include <cmath>

VectorSurface::VectorSurface(int width, int height, double pixelRatio)
    : width_(std::max(width, 0)), height_(std::max(height, 0)), ratio_(UsablePixelRatio(pixelRatio)),
      joiner_(freshJoiner())
{
}

PolylineJoiner VectorSurface::freshJoiner()
{
    return PolylineJoiner(kVectorJoinTolerance, [this](const std::vector<PlanePoint>& points, Rgb colour) { writePolyline(points, colour); });
}

void VectorSurface::finish() { joiner_.flush(); }

void VectorSurface::clear()
{
    joiner_ = freshJoiner();
    current_ = PlanePoint{};
    eraseAll();
}

void VectorSurface::drawLine(float x1, float y1, float x2, float y2, Rgb colour)
{
    if (Placeable(x1) && Placeable(y1) && Placeable(x2) && Placeable(y2))
        drawSegment(PlanePoint{x1, y1}, PlanePoint{x2, y2}, colour);
}

void VectorSurface::drawSegment(PlanePoint p, PlanePoint q, Rgb colour)
{
    if (!ClipSegment(p, q, -kPictureMargin, width_ + kPictureMargin, height_ + kPictureMargin))
        return;
    if (p == q)
        drawDot(p.x, p.y, colour);
    else
        joiner_.add(p, q, colour);
}

// A dot fills the one pixel that holds the point. A filled square looks the
// same in every format, where a pen's point may come out as a mere speck.
void VectorSurface::drawDot(double x, double y, Rgb colour)
{
    finish();  // whatever was drawn before lies under the dot
    if (x >= 0 && y >= 0 && x < width_ && y < height_)
        writeDot(static_cast<int>(x), static_cast<int>(y), colour);
}

void VectorSurface::plotPoint(float x, float y, Rgb colour)
{
    current_ = PlanePoint{x, y};
    if (Placeable(x) && Placeable(y))
        drawDot(x, y, colour);
}

void VectorSurface::lineTo(float x, float y, Rgb colour)
{
    const PlanePoint from = current_;
    current_ = PlanePoint{x, y};
    drawLine(static_cast<float>(from.x), static_cast<float>(from.y), x, y, colour);
}

void VectorSurface::drawCircle(float cx, float cy, float radius, Rgb colour)
{
    const double r = std::fabs(double{radius});
    if (!Placeable(cx) || !Placeable(cy) || !Placeable(r))
        return;
    switch (VectorCircleShape(cx, cy, r, width_, height_)) {
    case CircleShape::Nothing:
        return;
    case CircleShape::Dot:
        drawDot(cx, cy, colour);
        return;
    case CircleShape::ArcNearPicture:
        ChordsNearPicture(cx, cy, r, width_, height_, [&](PlanePoint from, PlanePoint to) { drawSegment(from, to, colour); });
        return;
    case CircleShape::Outline:
        finish();
        writeCircle(cx, cy, r, colour);
        return;
    }
}

void VectorSurface::drawImage(const std::vector<uint32_t>& pixels)
{
    if (pixels.empty() || pixels.size() != static_cast<size_t>(width_) * static_cast<size_t>(height_))
        return;
    finish();
    writeImage(pixels);
}

void VectorSurface::fillPolygon(const std::vector<SurfacePoint>& corners, Rgb colour)
{
    if (corners.size() < 3)
        return;
    double left = INFINITY, right = -INFINITY, top = INFINITY, bottom = -INFINITY;
    for (const SurfacePoint& c : corners) {
        if (!Placeable(c.x) || !Placeable(c.y))
            return;
        left = std::min(left, double{c.x});
        right = std::max(right, double{c.x});
        top = std::min(top, double{c.y});
        bottom = std::max(bottom, double{c.y});
    }
    if (right < -kPictureMargin || bottom < -kPictureMargin || left > width_ + kPictureMargin || top > height_ + kPictureMargin)
        return;
    finish();  // whatever was drawn before lies under the polygon
    writePolygon(corners, colour);
}
