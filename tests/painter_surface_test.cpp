// The painter surface and the picture files drawn through it.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgGenerator>
#include <QSvgRenderer>

#include <cmath>
#include <functional>
#include <limits>

#include "render/painter_surface.h"
#include "render/picture_files.h"
#include "start_values.h"

namespace {

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kDark{12, 0, 0};

// A white image of the given size after `draw` has run on a surface over it.
QImage painted(int width, int height, const std::function<void(PainterSurface&)>& draw)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    PainterSurface surface(painter, width, height);
    draw(surface);
    painter.end();
    return image;
}

int nonWhitePixels(const QImage& image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) != qRgb(255, 255, 255);
    return n;
}

// Calls that cannot place anything on the picture or lie wholly beyond it.
void drawFarAway(PainterSurface& s)
{
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float big = 1e30f;
    s.drawLine(nan, 10, 20, 20, kRed);
    s.drawLine(-inf, 10, inf, 10, kRed);
    s.drawLine(-big, 10, big, 10, kRed);  // too far to place to a pixel
    s.drawLine(-big, -big, -big, big, kRed);
    s.drawLine(-5e6f, -5e6f, -5e6f + 1, 5e6f, kRed);  // left of the picture
    s.plotPoint(nan, 5, kRed);
    s.lineTo(5, 5, kRed);  // from a point that is nowhere
    s.plotPoint(big, big, kRed);
    s.lineTo(5, 5, kRed);
    s.drawCircle(nan, 5, 3, kRed);
    s.drawCircle(5, 5, inf, kRed);
    s.drawCircle(big, big, 10, kRed);
    s.drawCircle(50, 50, 1e6f, kRed);     // the picture lies wholly inside it
    s.drawCircle(50, 50, big, kRed);
    s.drawCircle(-3e6f, 50, 2e6f, kRed);  // far left of the picture
}

}  // namespace

TEST(PainterSurface, ClearAndFarAwayOrNonFiniteCoordinatesLeaveOnlyWhite)
{
    EXPECT_EQ(nonWhitePixels(painted(40, 30, [](PainterSurface& s) {
                  s.drawLine(0, 0, 40, 30, kRed);
                  s.clear();
              })),
              0);
    EXPECT_EQ(nonWhitePixels(painted(100, 100, drawFarAway)), 0);
}

TEST(PainterSurface, CircleBelowOnePixelIsASingleDot)
{
    for (float radius : {0.0f, 0.4f, -0.9f}) {
        const QImage image = painted(40, 30, [&](PainterSurface& s) { s.drawCircle(10.3f, 20.7f, radius, kRed); });
        EXPECT_EQ(nonWhitePixels(image), 1) << radius;
        EXPECT_EQ(image.pixel(10, 20), qRgb(255, 0, 0)) << radius;
    }
    // A plotted point is the same dot, and nothing at all outside the picture.
    const QImage point = painted(40, 30, [](PainterSurface& s) {
        s.plotPoint(39.9f, 0, kRed);
        s.plotPoint(40, 5, kRed);
        s.drawCircle(-0.5f, 5, 0.4f, kRed);
    });
    EXPECT_EQ(nonWhitePixels(point), 1);
    EXPECT_EQ(point.pixel(39, 0), qRgb(255, 0, 0));
}

TEST(PainterSurface, LinesOnePixelWideFromTheCurrentPointAndOutlinedCirclesInEveryColourGiven)
{
    const QImage image = painted(60, 60, [](PainterSurface& s) {
        s.drawLine(0, 10, 60, 10, kRed);  // a whole coordinate: one row of pixels
        s.drawLine(0, 20, 60, 20, kBlue);
        s.drawLine(0, 30, 60, 30, kRed);
        s.plotPoint(5, 40, kDark);
        s.lineTo(30, 40, kDark);  // along row 40 from the point
        s.lineTo(30, 55, kDark);  // then down column 30
        s.drawCircle(48, 48, 8, kBlue);
        s.drawLine(0, 58, 60, 58, kRed);
    });
    for (int x = 2; x < 58; ++x) {
        EXPECT_EQ(image.pixel(x, 9), qRgb(255, 255, 255)) << x;
        EXPECT_EQ(image.pixel(x, 10), qRgb(255, 0, 0)) << x;
        EXPECT_EQ(image.pixel(x, 11), qRgb(255, 255, 255)) << x;
        EXPECT_EQ(image.pixel(x, 20), qRgb(0, 0, 255)) << x;
        EXPECT_EQ(image.pixel(x, 30), qRgb(255, 0, 0)) << x;
        EXPECT_EQ(image.pixel(x, 58), qRgb(255, 0, 0)) << x;
    }
    for (const QPoint dark : {QPoint(5, 40), QPoint(20, 40), QPoint(30, 50)})
        EXPECT_EQ(image.pixel(dark), qRgb(12, 0, 0)) << dark.x() << "," << dark.y();
    EXPECT_EQ(image.pixel(20, 50), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(48, 48), qRgb(255, 255, 255));  // the circle is not filled
    for (const QPoint edge : {QPoint(56, 48), QPoint(40, 48), QPoint(48, 56), QPoint(48, 40)})
        EXPECT_GT(qBlue(image.pixel(edge)) - qRed(image.pixel(edge)), 100) << edge.x() << "," << edge.y();
}

TEST(PainterSurface, LinesAndCirclesReachingFarOutShowTheirVisiblePart)
{
    const QImage image = painted(100, 100, [](PainterSurface& s) {
        s.drawLine(-1e12f, 20, 1e12f, 20, kDark);  // row 20 across the whole picture
        s.drawCircle(50, 1e7f + 70, 1e7f, kDark);  // so large that its top runs along row 70
    });
    for (int x = 0; x < 100; ++x) {
        EXPECT_EQ(image.pixel(x, 20), qRgb(12, 0, 0)) << x;
        EXPECT_LT(qRed(image.pixel(x, 70)), 140) << x;
        EXPECT_EQ(image.pixel(x, 60), qRgb(255, 255, 255)) << x;
        EXPECT_EQ(image.pixel(x, 80), qRgb(255, 255, 255)) << x;
    }
}

TEST(PainterSurface, NothingFarAwayReachesAVectorFile)
{
    QByteArray svg;
    QBuffer buffer(&svg);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setViewBox(QRect(0, 0, 100, 100));
    QPainter painter(&generator);
    PainterSurface surface(painter, 100, 100);
    drawFarAway(surface);
    surface.drawCircle(50, 1e7f + 70, 1e7f, kDark);  // drawn as a few short chords
    painter.end();

    EXPECT_FALSE(svg.contains("nan"));
    EXPECT_FALSE(svg.contains("inf"));
    EXPECT_FALSE(svg.contains("e+"));
    // Every coordinate written stays near the 100 x 100 picture.
    const QRegularExpression coordinates(R"re((?:points|x|y|cx|cy|r|width|height)="([^"]*)")re");
    const QRegularExpression number(R"(-?[0-9.]+)");
    for (const auto& attribute : coordinates.globalMatch(QString::fromUtf8(svg)))
        for (const auto& m : number.globalMatch(attribute.captured(1)))
            EXPECT_LT(std::fabs(m.captured().toDouble()), 1000.0) << attribute.captured().toStdString();
    EXPECT_TRUE(svg.contains("polyline"));
}

namespace {

// Hands every operation to a PainterSurface of its own, which has never set a
// pen: each one sets its pen anew, as every operation once did.
class FreshPenSurface final : public OpSurface {
public:
    FreshPenSurface(QPainter& painter, int width, int height) : OpSurface(width, height), painter_(painter) {}

private:
    void take(const DrawOp& op) override
    {
        PainterSurface fresh(painter_, width(), height());
        switch (op.kind) {
        case DrawOp::Kind::Clear: fresh.clear(); break;
        case DrawOp::Kind::Line: fresh.drawLine(op.x1, op.y1, op.x2, op.y2, op.colour); break;
        case DrawOp::Kind::Point: fresh.plotPoint(op.x1, op.y1, op.colour); break;
        case DrawOp::Kind::LineTo: ADD_FAILURE() << "a field-line run draws no polyline"; break;
        case DrawOp::Kind::Circle: fresh.drawCircle(op.x1, op.y1, op.x2, op.colour); break;
        case DrawOp::Kind::Image: break;
        }
    }

    QPainter& painter_;
};

// The picture of a field-line run with the start values, drawn through a Surface on the painter.
template <class Surface>
QImage fieldLinePicture()
{
    QImage image(651, 320, QImage::Format_RGB32);
    QPainter painter(&image);
    Surface surface(painter, 651, 320);
    CalcParams p = StartValues(kFieldLinesGraph);
    EXPECT_TRUE(RunCalculation(p, surface, StoppedClock).done);
    painter.end();
    return image;
}

}  // namespace

TEST(PainterSurface, AFieldLineRunDrawsThePictureOfAPenPerOperation)
{
    EXPECT_TRUE(fieldLinePicture<PainterSurface>() == fieldLinePicture<FreshPenSurface>());
}

namespace {

// Draws a red diagonal and a blue dot, and checks the surface's size.
DrawPicture sample(int width, int height)
{
    return [=](DrawingSurface& s) {
        EXPECT_EQ(s.width(), width);
        EXPECT_EQ(s.height(), height);
        s.drawLine(0, 0, float(width), float(height), Rgb{255, 0, 0});
        s.plotPoint(2, 1, Rgb{0, 0, 255});
    };
}

// The page of a one-page PDF, [x0 y0 x1 y1] in points.
QString mediaBox(const QByteArray& pdf)
{
    const auto m = QRegularExpression(R"(/MediaBox \[([^\]]*)\])").match(QString::fromLatin1(pdf));
    return m.hasMatch() ? m.captured(1).simplified() : QString();
}

}  // namespace

TEST(PictureFiles, PngAndSvgHoldThePictureOnWhite)
{
    const QImage image = QImage::fromData(PngPicture(37, 23, sample(37, 23)), "PNG");
    ASSERT_EQ(image.size(), QSize(37, 23));
    EXPECT_EQ(image.pixel(2, 1), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(36, 0), qRgb(255, 255, 255));
    EXPECT_GT(qRed(image.pixel(18, 11)), 200);
    EXPECT_LT(qGreen(image.pixel(18, 11)), 200);

    const QByteArray svg = SvgPicture(651, 320, "Зорекс", sample(651, 320));
    QSvgRenderer renderer(svg);
    ASSERT_TRUE(renderer.isValid());
    EXPECT_EQ(renderer.viewBox(), QRect(0, 0, 651, 320));
    EXPECT_TRUE(svg.contains("<title>Зорекс</title>"));
    EXPECT_TRUE(svg.contains("fill=\"#ffffff\""));  // the white background
}

TEST(PictureFiles, PdfPageIsThePictureOnePointPerPixelOrScaledDownToWhatReadersAccept)
{
    const std::pair<QSize, QString> pages[] = {
        {QSize(651, 320), "0 0 651.000000 320.000000"}, {QSize(333, 777), "0 0 333.000000 777.000000"},
        {QSize(595, 842), "0 0 595.000000 842.000000"}, {QSize(1, 1), "0 0 1.000000 1.000000"},
        {QSize(20000, 10), "0 0 10000.000000 5.000000"},
    };
    for (const auto& [size, page] : pages) {
        const QByteArray pdf = PdfPicture(size.width(), size.height(), "Зорекс", sample(size.width(), size.height()));
        EXPECT_TRUE(pdf.startsWith("%PDF-"));
        EXPECT_TRUE(pdf.trimmed().endsWith("%%EOF"));
        EXPECT_EQ(mediaBox(pdf), page);
    }
}
