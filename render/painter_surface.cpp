#include "render/painter_surface.h"

#include <QPainter>
#include <QPen>

#include <cmath>

namespace {

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

bool finite(double a, double b) { return std::isfinite(a) && std::isfinite(b); }

}  // namespace

PainterSurface::PainterSurface(QPainter& painter, int width, int height)
    : painter_(painter), width_(width), height_(height)
{
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.setBrush(Qt::NoBrush);
}

void PainterSurface::setPen(Rgb colour)
{
    // A new pen costs far more than the short segment it draws: keep the one
    // set while the colour stays (a field-line run draws thousands in one colour).
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
    painter_.fillRect(QRectF(0, 0, width_, height_), Qt::white);
    current_ = QPointF();
}

void PainterSurface::drawLine(float x1, float y1, float x2, float y2, Rgb colour)
{
    if (!finite(x1, y1) || !finite(x2, y2))
        return;
    QPointF p(x1, y1);
    QPointF q(x2, y2);
    const double margin = 16;  // keeps the ends of clipped lines off the visible edge
    if (!clipSegment(p, q, -margin, width_ + margin, height_ + margin))
        return;
    setPen(colour);
    if (p == q)
        drawDot(p.x(), p.y());
    else
        painter_.drawLine(p, q);
}

void PainterSurface::drawDot(double x, double y)
{
    painter_.drawPoint(QPointF(x, y));
}

void PainterSurface::plotPoint(float x, float y, Rgb colour)
{
    current_ = QPointF(x, y);
    if (!finite(x, y))
        return;
    setPen(colour);
    drawDot(x, y);
}

void PainterSurface::lineTo(float x, float y, Rgb colour)
{
    const QPointF from = current_;
    current_ = QPointF(x, y);
    drawLine(static_cast<float>(from.x()), static_cast<float>(from.y()), x, y, colour);
}

void PainterSurface::drawCircle(float cx, float cy, float radius, Rgb colour)
{
    if (!finite(cx, cy) || !std::isfinite(radius))
        return;
    const double r = std::fabs(radius);
    // Wholly outside the picture: nothing to draw.
    if (cx + r < 0 || cy + r < 0 || cx - r > width_ || cy - r > height_)
        return;
    setPen(colour);
    if (r < 1) {
        drawDot(cx, cy);  // a turn smaller than a pixel shows as a dot
        return;
    }
    painter_.drawEllipse(QPointF(cx, cy), r, r);
}
