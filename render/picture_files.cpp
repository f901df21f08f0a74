#include "render/picture_files.h"

#include <QBuffer>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <algorithm>

#include "render/painter_surface.h"

namespace {

// The largest side of a PDF page that readers accept, in points.
constexpr int kMaxPdfPagePoints = 14400;

// Paints on an active painter whose logical coordinates are the picture's pixels.
void paint(QPainter& painter, int width, int height, const DrawPicture& draw)
{
    painter.fillRect(QRect(0, 0, width, height), Qt::white);
    PainterSurface surface(painter, width, height);
    draw(surface);
    surface.finish();
    painter.end();
}

}  // namespace

QByteArray PngPicture(int width, int height, const DrawPicture& draw)
{
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull())
        return {};
    QPainter painter(&image);
    paint(painter, width, height, draw);

    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return {};
    return bytes;
}

QByteArray SvgPicture(int width, int height, const QString& title, const DrawPicture& draw)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(width, height));
    svg.setViewBox(QRect(0, 0, width, height));
    svg.setResolution(96);
    svg.setTitle(title);
    svg.setDescription(title);
    QPainter painter;
    if (!painter.begin(&svg))
        return {};
    paint(painter, width, height, draw);
    return bytes;
}

QByteArray PdfPicture(int width, int height, const QString& title, const DrawPicture& draw)
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
    paint(painter, width, height, draw);
    return bytes;
}
