#include <gtest/gtest.h>

#include <QImage>
#include <QRegularExpression>
#include <QSvgRenderer>

#include "render/picture_files.h"

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

TEST(PictureFiles, PngHasThePicturesPixelsOnWhite)
{
    const QImage image = QImage::fromData(PngPicture(37, 23, sample(37, 23)), "PNG");
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(37, 23));
    EXPECT_EQ(image.pixel(2, 1), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(36, 0), qRgb(255, 255, 255));
    EXPECT_GT(qRed(image.pixel(18, 11)), 200);
    EXPECT_LT(qGreen(image.pixel(18, 11)), 200);
}

TEST(PictureFiles, SvgViewBoxIsThePicture)
{
    const QByteArray svg = SvgPicture(651, 320, "Зорекс", sample(651, 320));
    QSvgRenderer renderer(svg);
    ASSERT_TRUE(renderer.isValid());
    EXPECT_EQ(renderer.viewBox(), QRect(0, 0, 651, 320));
    EXPECT_TRUE(svg.contains("<title>Зорекс</title>"));
    EXPECT_TRUE(svg.contains("fill=\"#ffffff\""));  // the white background
}

TEST(PictureFiles, PdfPageIsThePictureOnePointPerPixel)
{
    for (const QSize size : {QSize(651, 320), QSize(333, 777), QSize(595, 842), QSize(1, 1)}) {
        const QByteArray pdf = PdfPicture(size.width(), size.height(), "Зорекс", sample(size.width(), size.height()));
        EXPECT_TRUE(pdf.startsWith("%PDF-"));
        EXPECT_TRUE(pdf.trimmed().endsWith("%%EOF"));
        EXPECT_EQ(mediaBox(pdf), QString("0 0 %1.000000 %2.000000").arg(size.width()).arg(size.height()));
    }
}

TEST(PictureFiles, VeryLargePdfPageIsScaledDownToWhatReadersAccept)
{
    const QByteArray pdf = PdfPicture(20000, 10, "Зорекс", sample(20000, 10));
    EXPECT_EQ(mediaBox(pdf), "0 0 10000.000000 5.000000");
}
