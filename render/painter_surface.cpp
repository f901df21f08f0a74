#include "render/painter_surface.h"

#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPolygonF>

namespace {

// A coordinate c names the pixel from c to c + 1; a pen as wide as the
// pixels it covers from there runs through their middle.
double PenCentre(const DrawingSurface& surface) { return surface.lineWidth() / 2.0; }

}  // namespace

PainterSurface::PainterSurface(QPainter& painter, int width, int height, double pixelRatio)
    : VectorSurface(width, height, pixelRatio), painter_(painter)
{
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.setBrush(Qt::NoBrush);
}

PainterSurface::~PainterSurface()
{
    if (painter_.isActive())
        finish();
}

void PainterSurface::setPen(Rgb colour)
{
    // A new pen costs far more than the short polyline it draws: keep the one
    // set while the colour stays.
    if (penColour_ && *penColour_ == colour)
        return;
    penColour_ = colour;
    QPen pen(QColor(colour.red, colour.green, colour.blue));
    pen.setCosmetic(true);
    pen.setWidth(lineWidth());
    pen.setCapStyle(Qt::FlatCap);
    painter_.setPen(pen);
}

void PainterSurface::eraseAll() { painter_.fillRect(QRectF(0, 0, width(), height()), Qt::white); }

void PainterSurface::writePolyline(const std::vector<PlanePoint>& points, Rgb colour)
{
    setPen(colour);
    QPolygonF line(static_cast<qsizetype>(points.size()));
    for (size_t k = 0; k < points.size(); ++k)
        line[static_cast<qsizetype>(k)] = QPointF(points[k].x + PenCentre(*this), points[k].y + PenCentre(*this));
    painter_.drawPolyline(line);
}

void PainterSurface::writeDot(int column, int row, Rgb colour)
{
    painter_.fillRect(QRectF(column, row, lineWidth(), lineWidth()), QColor(colour.red, colour.green, colour.blue));
}

void PainterSurface::writeCircle(double cx, double cy, double radius, Rgb colour)
{
    setPen(colour);
    painter_.drawEllipse(QPointF(cx + PenCentre(*this), cy + PenCentre(*this)), radius, radius);
}

void PainterSurface::writeImage(const std::vector<uint32_t>& pixels)
{
    // The image's pixels are the picture's: no smoothing when it is laid on.
    const QImage image(reinterpret_cast<const uchar*>(pixels.data()), width(), height(), width() * 4, QImage::Format_RGB32);
    painter_.drawImage(QRectF(0, 0, width(), height()), image);
}

void PainterSurface::writePolygon(const std::vector<SurfacePoint>& corners, Rgb colour)
{
    QPolygonF polygon;
    polygon.reserve(static_cast<qsizetype>(corners.size()));
    for (const SurfacePoint& c : corners)
        polygon << QPointF(c.x, c.y);  // area coordinates: no pen offset
    painter_.setPen(Qt::NoPen);
    penColour_.reset();
    painter_.setBrush(QColor(colour.red, colour.green, colour.blue));
    painter_.drawPolygon(polygon);
    painter_.setBrush(Qt::NoBrush);
}
