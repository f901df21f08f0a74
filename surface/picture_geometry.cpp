#include "surface/picture_geometry.h"

#include <algorithm>
#include <cmath>

namespace {

bool Inside(const PlanePoint& a, double lo, double hiX, double hiY)
{
    return a.x >= lo && a.x <= hiX && a.y >= lo && a.y <= hiY;
}

// Narrows [t0, t1], the part of the segment from p along (dx, dy) that is
// kept, to the rectangle. False when nothing of it lies inside.
bool NarrowToRectangle(const PlanePoint& p, double dx, double dy, double lo, double hiX, double hiY, double& t0, double& t1)
{
    const double edges[4][2] = {{-dx, p.x - lo}, {dx, hiX - p.x}, {-dy, p.y - lo}, {dy, hiY - p.y}};
    for (const auto& e : edges) {
        const double pe = e[0];
        const double qe = e[1];
        if (pe == 0) {
            if (qe < 0)
                return false;
            continue;
        }
        const double t = qe / pe;
        if (pe < 0) {
            if (t > t1)
                return false;
            if (t > t0)
                t0 = t;
        } else {
            if (t < t0)
                return false;
            if (t < t1)
                t1 = t;
        }
    }
    return true;
}

}  // namespace

bool Placeable(double v) { return std::fabs(v) <= kFarLimit; }

bool ClipSegment(PlanePoint& p, PlanePoint& q, double lo, double hiX, double hiY)
{
    // With both ends inside, no edge can narrow [0, 1] (rounding is monotonic),
    // so the edges are tried only for a segment that reaches out: most of a
    // field-line picture's millions of segments do not.
    if (Inside(p, lo, hiX, hiY) && Inside(q, lo, hiX, hiY))
        return true;
    const double dx = q.x - p.x;
    const double dy = q.y - p.y;
    double t0 = 0;
    double t1 = 1;
    if (!NarrowToRectangle(p, dx, dy, lo, hiX, hiY, t0, t1))
        return false;
    const PlanePoint start = p;
    p = PlanePoint{start.x + t0 * dx, start.y + t0 * dy};
    q = PlanePoint{start.x + t1 * dx, start.y + t1 * dy};
    return true;
}

CircleShape VectorCircleShape(double cx, double cy, double radius, int width, int height)
{
    if (cx + radius < 0 || cy + radius < 0 || cx - radius > width || cy - radius > height)
        return CircleShape::Nothing;
    const double farX = std::max(std::fabs(cx), std::fabs(width - cx));
    const double farY = std::max(std::fabs(cy), std::fabs(height - cy));
    if (std::hypot(farX, farY) < radius - 1)
        return CircleShape::Nothing;
    if (radius < 1)
        return CircleShape::Dot;  // a turn smaller than a pixel
    if (radius > 4.0 * (width + height) + kPictureMargin)
        return CircleShape::ArcNearPicture;
    return CircleShape::Outline;
}

void ChordsNearPicture(double cx, double cy, double radius, int width, int height,
                       const std::function<void(PlanePoint from, PlanePoint to)>& chord)
{
    const double dx = width / 2.0 - cx;
    const double dy = height / 2.0 - cy;
    const double d = std::hypot(dx, dy);  // from the circle's centre to the picture's
    const double rho = std::hypot(width / 2.0 + kPictureMargin, height / 2.0 + kPictureMargin);
    if (d + rho < radius || d - rho > radius || d == 0)
        return;
    // The arc is centred on the direction to the picture; its half-angle
    // follows from the law of cosines, written so that nothing overflows.
    const double cosHalf = (radius / d + d / radius - (rho / radius) * (rho / d)) / 2;
    const double half = std::acos(std::clamp(cosHalf, -1.0, 1.0));
    const double toward = std::atan2(dy, dx);
    const double chordAngle = std::sqrt(8 * kArcSagitta / radius);  // sagitta = r (1 - cos(angle / 2))
    const int chords = static_cast<int>(std::clamp(std::ceil(2 * half / chordAngle), 1.0, 100000.0));
    const auto at = [&](int k) {
        const double angle = toward - half + 2 * half * k / chords;
        return PlanePoint{cx + radius * std::cos(angle), cy + radius * std::sin(angle)};
    };
    PlanePoint from = at(0);
    for (int k = 1; k <= chords; ++k) {
        const PlanePoint to = at(k);
        chord(from, to);
        from = to;
    }
}
