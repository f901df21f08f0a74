#include "render/painter_surface.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace {

// How far beyond the picture's edges clipped lines still run, so that the
// ends of a clipped line never show at the visible edge.
constexpr double kMargin = 16;

// Beyond this many pixels from the picture double arithmetic can no longer
// place a clipped line or an arc to a fraction of a pixel; what uses such
// coordinates is not drawn. Only a plot window far smaller than a micrometre
// gets there.
constexpr double kFarLimit = 1e14;

// A coordinate c names the pixel from c to c + 1. An image is drawn without
// antialiasing, so that every pixel drawn has exactly the colour of its call,
// and the rasteriser fills the pixel that holds the point; in a vector picture
// the one-pixel pen runs through the middle of that pixel instead.
bool isImage(const QPainter& painter)
{
    return painter.paintEngine() && painter.paintEngine()->type() == QPaintEngine::Raster;
}

// How far a joined line in a vector picture may stray from the segments it
// stands for, pixels: invisible at any zoom a reader would use.
constexpr double kVectorTolerance = 0.05;

// Sagitta allowed between an arc and the chords that stand for it, pixels.
constexpr double kArcTolerance = 0.25;

bool placeable(double v) { return std::fabs(v) <= kFarLimit; }  // false for NaN and infinities

bool inside(const QPointF& a, double lo, double hiX, double hiY)
{
    return a.x() >= lo && a.x() <= hiX && a.y() >= lo && a.y() <= hiY;
}

// Narrows [t0, t1], the part of the segment from p along (dx, dy) that is
// kept, to the rectangle [lo, hiX] x [lo, hiY] (Liang-Barsky). Returns false
// when nothing of it lies inside.
bool narrowToRectangle(const QPointF& p, double dx, double dy, double lo, double hiX, double hiY, double& t0, double& t1)
{
    const double edges[4][2] = {{-dx, p.x() - lo}, {dx, hiX - p.x()}, {-dy, p.y() - lo}, {dy, hiY - p.y()}};
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

// Clips the segment p-q to the rectangle [lo, hiX] x [lo, hiY]. Returns false
// when nothing of it lies inside.
bool clipSegment(QPointF& p, QPointF& q, double lo, double hiX, double hiY)
{
    const double dx = q.x() - p.x();
    const double dy = q.y() - p.y();
    double t0 = 0;
    double t1 = 1;
    // With both ends inside, no edge can narrow [0, 1] (rounding is monotonic),
    // so the edges are tried only for a segment that reaches out: most of a
    // field-line picture's millions of segments do not.
    if (!(inside(p, lo, hiX, hiY) && inside(q, lo, hiX, hiY)) && !narrowToRectangle(p, dx, dy, lo, hiX, hiY, t0, t1))
        return false;
    const QPointF start = p;
    p = QPointF(start.x() + t0 * dx, start.y() + t0 * dy);
    q = QPointF(start.x() + t1 * dx, start.y() + t1 * dy);
    return true;
}

}  // namespace

PainterSurface::PainterSurface(QPainter& painter, int width, int height)
    : painter_(painter), width_(width), height_(height), penCentre_(isImage(painter) ? 0.0 : 0.5)
{
    painter_.setRenderHint(QPainter::Antialiasing, !isImage(painter));
    painter_.setBrush(Qt::NoBrush);
    if (!isImage(painter))
        joiner_.emplace(kVectorTolerance, joinedLineDrawer());
}

PainterSurface::~PainterSurface()
{
    if (painter_.isActive())
        finish();
}

PolylineJoiner::Emit PainterSurface::joinedLineDrawer()
{
    return [this](const std::vector<QPointF>& points, Rgb colour) { drawPolyline(points, colour); };
}

void PainterSurface::setPen(Rgb colour)
{
    // A new pen costs far more than the short segment it draws: keep the one
    // set while the colour stays (a field-line run draws millions in one colour).
    if (penColour_ && *penColour_ == colour)
        return;
    penColour_ = colour;
    QPen pen(QColor(colour.red, colour.green, colour.blue));
    pen.setCosmetic(true);
    pen.setWidth(1);
    pen.setCapStyle(Qt::FlatCap);
    painter_.setPen(pen);
}

void PainterSurface::clear()
{
    if (joiner_)
        *joiner_ = PolylineJoiner(kVectorTolerance, joinedLineDrawer());
    painter_.fillRect(QRectF(0, 0, width_, height_), Qt::white);
    current_ = QPointF();
}

void PainterSurface::drawLine(float x1, float y1, float x2, float y2, Rgb colour)
{
    if (!placeable(x1) || !placeable(y1) || !placeable(x2) || !placeable(y2))
        return;
    drawSegment(QPointF(x1, y1), QPointF(x2, y2), colour);
}

void PainterSurface::drawSegment(QPointF p, QPointF q, Rgb colour)
{
    if (!clipSegment(p, q, -kMargin, width_ + kMargin, height_ + kMargin))
        return;
    if (p == q) {
        drawDot(p.x(), p.y(), colour);
        return;
    }
    if (joiner_) {
        joiner_->add(p, q, colour);
        return;
    }
    setPen(colour);
    const QPointF centre(penCentre_, penCentre_);
    painter_.drawLine(p + centre, q + centre);
}

void PainterSurface::drawPolyline(const std::vector<QPointF>& points, Rgb colour)
{
    setPen(colour);
    QPolygonF line(static_cast<qsizetype>(points.size()));
    for (size_t k = 0; k < points.size(); ++k)
        line[static_cast<qsizetype>(k)] = points[k] + QPointF(penCentre_, penCentre_);
    painter_.drawPolyline(line);
}

void PainterSurface::finish()
{
    if (joiner_)
        joiner_->flush();
}

// A dot fills the one pixel that holds the point. A filled square looks the
// same in every format, where a pen's point may come out as a mere speck.
void PainterSurface::drawDot(double x, double y, Rgb colour)
{
    finish();  // whatever was drawn before lies under the dot
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return;
    painter_.fillRect(QRectF(std::floor(x), std::floor(y), 1, 1), QColor(colour.red, colour.green, colour.blue));
}

void PainterSurface::plotPoint(float x, float y, Rgb colour)
{
    current_ = QPointF(x, y);
    if (!placeable(x) || !placeable(y))
        return;
    drawDot(x, y, colour);
}

void PainterSurface::lineTo(float x, float y, Rgb colour)
{
    const QPointF from = current_;
    current_ = QPointF(x, y);
    drawLine(static_cast<float>(from.x()), static_cast<float>(from.y()), x, y, colour);
}

void PainterSurface::drawCircle(float cx, float cy, float radius, Rgb colour)
{
    const double r = std::fabs(radius);
    if (!placeable(cx) || !placeable(cy) || !placeable(r))
        return;
    // Wholly outside the picture: nothing to draw.
    if (cx + r < 0 || cy + r < 0 || cx - r > width_ || cy - r > height_)
        return;
    // The picture wholly inside the circle: none of the outline shows.
    const double farX = std::max(std::fabs(cx), std::fabs(width_ - cx));
    const double farY = std::max(std::fabs(cy), std::fabs(height_ - cy));
    if (std::hypot(farX, farY) < r - 1)
        return;
    if (r < 1) {
        drawDot(cx, cy, colour);  // a turn smaller than a pixel shows as a dot
        return;
    }
    if (r > 4.0 * (width_ + height_) + kMargin) {
        drawOutlineNearPicture(cx, cy, r, colour);
        return;
    }
    finish();
    setPen(colour);
    painter_.drawEllipse(QPointF(cx + penCentre_, cy + penCentre_), r, r);
}

void PainterSurface::fillPolygon(const std::vector<SurfacePoint>& corners, Rgb colour)
{
    if (corners.size() < 3)
        return;
    QPolygonF polygon;
    polygon.reserve(static_cast<qsizetype>(corners.size()));
    for (const SurfacePoint& c : corners) {
        if (!placeable(c.x) || !placeable(c.y))
            return;
        polygon << QPointF(c.x, c.y);
    }
    if (!polygon.boundingRect().intersects(QRectF(-kMargin, -kMargin, width_ + 2 * kMargin, height_ + 2 * kMargin)))
        return;
    finish();  // whatever was drawn before lies under the polygon
    // Area coordinates: no pen offset. Without antialiasing the rasteriser
    // fills the pixels whose centres lie inside.
    painter_.setPen(Qt::NoPen);
    penColour_.reset();
    painter_.setBrush(QColor(colour.red, colour.green, colour.blue));
    painter_.drawPolygon(polygon);
    painter_.setBrush(Qt::NoBrush);
}

void PainterSurface::drawImage(const std::vector<uint32_t>& pixels)
{
    if (pixels.size() != static_cast<size_t>(width_) * static_cast<size_t>(height_) || pixels.empty())
        return;
    finish();
    // The image's pixels are the picture's: no smoothing when it is laid on.
    const QImage image(reinterpret_cast<const uchar*>(pixels.data()), width_, height_, width_ * 4, QImage::Format_RGB32);
    painter_.drawImage(QRectF(0, 0, width_, height_), image);
}

// Draws, as short chords, the arc of a large circle that lies in the disk
// around the picture and its margin; the rest of the outline cannot show.
void PainterSurface::drawOutlineNearPicture(double cx, double cy, double radius, Rgb colour)
{
    const double dx = width_ / 2.0 - cx;
    const double dy = height_ / 2.0 - cy;
    const double d = std::hypot(dx, dy);  // from the circle's centre to the picture's
    const double rho = std::hypot(width_ / 2.0 + kMargin, height_ / 2.0 + kMargin);
    if (d + rho < radius || d - rho > radius || d == 0)
        return;
    // The arc is centred on the direction to the picture; its half-angle
    // follows from the law of cosines, written so that nothing overflows.
    const double cosHalf = (radius / d + d / radius - (rho / radius) * (rho / d)) / 2;
    const double half = std::acos(std::clamp(cosHalf, -1.0, 1.0));
    const double toward = std::atan2(dy, dx);
    const double chordAngle = std::sqrt(8 * kArcTolerance / radius);
    const int chords = static_cast<int>(std::clamp(std::ceil(2 * half / chordAngle), 1.0, 100000.0));
    const auto at = [&](int k) {
        const double angle = toward - half + 2 * half * k / chords;
        return QPointF(cx + radius * std::cos(angle), cy + radius * std::sin(angle));
    };
    QPointF from = at(0);
    for (int k = 1; k <= chords; ++k) {
        const QPointF to = at(k);
        drawSegment(from, to, colour);
        from = to;
    }
}
