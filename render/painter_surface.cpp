#include "render/painter_surface.h"

#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPolygonF>

namespace {

// A coordinate c names the pixel from c to c + 1; the one-pixel pen runs
// through the middle of that pixel.
constexpr double kPenCentre = 0.5;

}  // namespace

PainterSurface::PainterSurface(QPainter& painter, int width, int height) : VectorSurface(width, height), painter_(painter)
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
    pen.setWidth(1);
    pen.setCapStyle(Qt::FlatCap);
    painter_.setPen(pen);
}

void PainterSurface::eraseAll() { painter_.fillRect(QRectF(0, 0, width(), height()), Qt::white); }

void PainterSurface::writePolyline(const std::vector<PlanePoint>& points, Rgb colour)
{
    setPen(colour);
    QPolygonF line(static_cast<qsizetype>(points.size()));
    for (size_t k = 0; k < points.size(); ++k)
        line[static_cast<qsizetype>(k)] = QPointF(points[k].x + kPenCentre, points[k].y + kPenCentre);
    painter_.drawPolyline(line);
}

void PainterSurface::writeDot(int column, int row, Rgb colour)
{
    painter_.fillRect(QRectF(column, row, 1, 1), QColor(colour.red, colour.green, colour.blue));
}

void PainterSurface::writeCircle(double cx, double cy, double radius, Rgb colour)
{
    setPen(colour);
    painter_.drawEllipse(QPointF(cx + kPenCentre, cy + kPenCentre), radius, radius);
}

void PainterSurface::writeImage(const std::vector<uint32_t>& pixels)
{
    // The image's pixels are the picture's: no smoothing when it is laid on.
    const QImage image(reinterpret_cast<const uchar*>(pixels.data()), width(), height(), width() * 4, QImage::Format_RGB32);
    painter_.drawImage(QRectF(0, 0, width(), height()), image);
}
