#include "render/picture_files.h"

#include <QBuffer>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <new>

#include "raster/raster_surface.h"
#include "render/painter_surface.h"
#include "render/raster_image.h"
#include "svg/svg_surface.h"

namespace {

// The largest side of a PDF page that readers accept, in points.
constexpr int kMaxPdfPagePoints = 14400;

// Paints on an active painter whose logical coordinates are the picture's pixels.
void paint(QPainter& painter, int width, int height, double pixelRatio, const DrawPicture& draw)
{
    painter.fillRect(QRect(0, 0, width, height), Qt::white);
    PainterSurface surface(painter, width, height, pixelRatio);
    draw(surface);
    surface.finish();
    painter.end();
}

}  // namespace

QByteArray PngPicture(int width, int height, const DrawPicture& draw, double pixelRatio)
{
    QImage image;
    try {
        RasterSurface surface(width, height, pixelRatio);
        draw(surface);
        image = ImageOf(surface);
    } catch (const std::bad_alloc&) {
        return {};
    }
    if (image.isNull())
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return {};
    return bytes;
}

QByteArray SvgPicture(int width, int height, const QString& title, const DrawPicture& draw, double pixelRatio)
{
    SvgSurface surface(width, height, pixelRatio);
    draw(surface);
    return QByteArray::fromStdString(surface.document(title.toStdString()));
}

QByteArray PdfPicture(int width, int height, const QString& title, const DrawPicture& draw, double pixelRatio)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setTitle(title);
    pdf.setCreator(title);
    const int pixelsPerPoint = (std::max(width, height) + kMaxPdfPagePoints - 1) / kMaxPdfPagePoints;
    pdf.setResolution(72 * pixelsPerPoint);
    const QSizeF points(double(width) / pixelsPerPoint, double(height) / pixelsPerPoint);
    pdf.setPageLayout(QPageLayout(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch),
                                  QPageLayout::Portrait, QMarginsF()));
    QPainter painter;
    if (!painter.begin(&pdf))
        return {};
    painter.setWindow(0, 0, width, height);  // the picture's pixels, whatever the page's rounding
    paint(painter, width, height, pixelRatio, draw);
    return bytes;
}
