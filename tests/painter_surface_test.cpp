#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgGenerator>

#include <cmath>
#include <functional>
#include <limits>
#include <optional>

#include "params/calc_params.h"
#include "plot/calculation_run.h"
#include "render/painter_surface.h"

namespace {

constexpr Rgb kRed{255, 0, 0};
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

TEST(PainterSurface, ClearLeavesOnlyWhite)
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    PainterSurface surface(painter, 40, 30);
    surface.drawLine(0, 0, 40, 30, kRed);
    surface.clear();
    painter.end();
    EXPECT_EQ(nonWhitePixels(image), 0);
    EXPECT_EQ(surface.width(), 40);
    EXPECT_EQ(surface.height(), 30);
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

TEST(PainterSurface, LargerCircleIsAnOutline)
{
    const QImage image = painted(40, 40, [](PainterSurface& s) { s.drawCircle(20, 20, 8, kRed); });
    EXPECT_EQ(image.pixel(20, 20), qRgb(255, 255, 255));  // not filled
    for (const QPoint edge : {QPoint(28, 20), QPoint(12, 20), QPoint(20, 28), QPoint(20, 12)})
        EXPECT_GT(qRed(image.pixel(edge)) - qGreen(image.pixel(edge)), 100) << edge.x() << "," << edge.y();
}

TEST(PainterSurface, LineAtAWholeCoordinateFillsOneRowOfPixels)
{
    const QImage image = painted(60, 20, [](PainterSurface& s) { s.drawLine(0, 10, 60, 10, kDark); });
    for (int x = 2; x < 58; ++x) {
        EXPECT_EQ(image.pixel(x, 10), qRgb(12, 0, 0)) << x;
        EXPECT_EQ(image.pixel(x, 9), qRgb(255, 255, 255)) << x;
        EXPECT_EQ(image.pixel(x, 11), qRgb(255, 255, 255)) << x;
    }
}

TEST(PainterSurface, LineToStartsAtTheCurrentPoint)
{
    const QImage image = painted(60, 20, [](PainterSurface& s) {
        s.plotPoint(5, 4, kDark);
        s.lineTo(30, 4, kDark);  // along row 4
        s.lineTo(30, 15, kDark);  // then down column 30
    });
    EXPECT_EQ(image.pixel(5, 4), qRgb(12, 0, 0));
    EXPECT_EQ(image.pixel(20, 4), qRgb(12, 0, 0));
    EXPECT_EQ(image.pixel(30, 10), qRgb(12, 0, 0));
    EXPECT_EQ(image.pixel(20, 10), qRgb(255, 255, 255));
}

TEST(PainterSurface, FarAwayAndNonFiniteCoordinatesDrawNothing)
{
    const QImage image = painted(100, 100, drawFarAway);
    EXPECT_EQ(nonWhitePixels(image), 0);
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
class FreshPenSurface final : public DrawingSurface {
public:
    FreshPenSurface(QPainter& painter, int width, int height) : painter_(painter), width_(width), height_(height) {}

    void clear() override { fresh().clear(); }
    void drawLine(float x1, float y1, float x2, float y2, Rgb c) override { fresh().drawLine(x1, y1, x2, y2, c); }
    void plotPoint(float x, float y, Rgb c) override { fresh().plotPoint(x, y, c); }
    void lineTo(float, float, Rgb) override { ADD_FAILURE() << "a field-line run draws no polyline"; }
    void drawCircle(float cx, float cy, float r, Rgb c) override { fresh().drawCircle(cx, cy, r, c); }
    int width() const override { return width_; }
    int height() const override { return height_; }

private:
    PainterSurface& fresh()
    {
        surface_.emplace(painter_, width_, height_);
        return *surface_;
    }

    QPainter& painter_;
    int width_;
    int height_;
    std::optional<PainterSurface> surface_;
};

// The picture of a field-line run with the start values, drawn through a Surface on the painter.
template <class Surface>
QImage fieldLinePicture()
{
    QImage image(651, 320, QImage::Format_RGB32);
    QPainter painter(&image);
    Surface surface(painter, 651, 320);
    CalcParams p;
    SetDefaults(p);
    p.graphMode = kFieldLinesGraph;
    EXPECT_TRUE(RunCalculation(p, surface, [] { return ClockReading{}; }).done);
    painter.end();
    return image;
}

}  // namespace

TEST(PainterSurface, AFieldLineRunDrawsThePictureOfAPenPerOperation)
{
    EXPECT_TRUE(fieldLinePicture<PainterSurface>() == fieldLinePicture<FreshPenSurface>());
}

TEST(PainterSurface, EveryChangeOfColourReachesThePicture)
{
    constexpr Rgb kBlue{0, 0, 255};
    const QImage image = painted(60, 60, [&](PainterSurface& s) {
        s.drawLine(0, 10, 60, 10, kRed);
        s.drawLine(0, 20, 60, 20, kBlue);
        s.drawLine(0, 30, 60, 30, kRed);
        s.drawCircle(30, 45, 8, kBlue);
        s.drawLine(0, 58, 60, 58, kRed);
    });
    EXPECT_EQ(image.pixel(5, 10), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(5, 20), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(5, 30), qRgb(255, 0, 0));
    EXPECT_GT(qBlue(image.pixel(38, 45)) - qRed(image.pixel(38, 45)), 100);
    EXPECT_EQ(image.pixel(5, 58), qRgb(255, 0, 0));
}
