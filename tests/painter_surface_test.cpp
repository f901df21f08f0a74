// The painter surface, which draws a run on a picture or into a file.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgGenerator>

#include <cmath>
#include <functional>
#include <limits>

#include "render/painter_surface.h"
#include "test_support.h"

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBlue{0, 0, 255};
const QRgb kWhite = qRgb(255, 255, 255);

// A white image of the given size after `draw` has run on a surface over it.
static QImage Painted(int width, int height, const std::function<void(DrawingSurface&)>& draw, bool blank = false)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    PainterSurface surface(painter, width, height);
    if (!blank)
        draw(surface);
    return image;
}

// Calls that cannot place anything on a 100 x 100 picture or lie wholly beyond it.
static void DrawFarAway(DrawingSurface& s)
{
    const float inf = std::numeric_limits<float>::infinity(), nan = std::nanf(""), big = 1e30f;
    s.drawLine(nan, 10, 20, 20, kRed);
    s.drawLine(-inf, 10, inf, 10, kRed);
    s.drawLine(-1e20f, 10, 1e20f, 10, kRed);  // too far to place to a pixel
    s.drawLine(-5e6f, -5e6f, -5e6f + 1, 5e6f, kRed);  // left of the picture
    s.plotPoint(big, big, kRed);
    s.lineTo(5, 5, kRed);  // from a point that is nowhere
    s.drawCircle(5, 5, inf, kRed);
    s.drawCircle(big, big, 10, kRed);
    s.drawCircle(50, 50, big, kRed);
    s.drawCircle(50, 50, 1e6f, kRed);     // the picture lies wholly inside it
    s.drawCircle(-3e6f, 50, 2e6f, kRed);  // far left of the picture
}

// What lies far away or nowhere leaves the picture white; what reaches far out shows its visible part.
TEST(PainterSurface, FarAwayAndNonFiniteCoordinates)
{
    EXPECT_EQ(Painted(40, 30, [](DrawingSurface& s) {
        s.drawLine(0, 0, 40, 30, kRed);
        s.clear();
    }), Painted(40, 30, {}, true));
    EXPECT_EQ(Painted(100, 100, DrawFarAway), Painted(100, 100, {}, true));
    const QImage image = Painted(100, 100, [](DrawingSurface& s) {
        s.drawLine(-1e12f, 20, 1e12f, 20, kRed);   // row 20 across the whole picture
        s.drawCircle(50, 1e7f + 70, 1e7f, kRed);  // so large that its top runs along row 70
    });
    for (int x = 0; x < 100; ++x)
        EXPECT_TRUE(image.pixel(x, 20) == qRgb(255, 0, 0) && qRed(image.pixel(x, 70)) - qGreen(image.pixel(x, 70)) > 100 &&
                    image.pixel(x, 60) == kWhite && image.pixel(x, 80) == kWhite) << x;
    // Nor does anything far away reach a vector file: every coordinate written stays near the picture.
    QBuffer svg;
    svg.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&svg);
    generator.setViewBox(QRect(0, 0, 100, 100));
    {
        QPainter painter(&generator);
        PainterSurface surface(painter, 100, 100);
        DrawFarAway(surface);
        surface.drawCircle(50, 1e7f + 70, 1e7f, kRed);  // drawn as a few short chords
    }
    EXPECT_TRUE(svg.data().contains("polyline"));
    const QRegularExpression coordinates(R"re((?:points|x|y|cx|cy|r|width|height)="([^"]*)")re");
    for (const auto& attribute : coordinates.globalMatch(QString::fromUtf8(svg.data())))
        for (const auto& m : QRegularExpression(R"([-+0-9.e]+|nan|inf)").globalMatch(attribute.captured(1)))
            EXPECT_LT(std::fabs(m.captured().toDouble()), 1000.0) << attribute.captured().toStdString();
}

// Lines a pixel wide at whole coordinates, from the current point, in each colour; circles outlined or a dot.
TEST(PainterSurface, LinesPointsAndCircles)
{
    const QImage image = Painted(60, 60, [](DrawingSurface& s) {
        s.drawLine(0, 10, 60, 10, kRed);
        s.drawLine(0, 20, 60, 20, kBlue);
        s.plotPoint(5, 40, kBlue);
        s.lineTo(30, 40, kBlue);  // along row 40 from the point
        s.lineTo(30, 55, kBlue);  // then down column 30
        s.drawCircle(48, 48, 8, kRed);
        s.drawCircle(10.3f, 50.7f, 0.4f, kRed);
    });
    for (int x = 2; x < 58; ++x)
        for (const auto& [y, colour] : {std::pair{9, kWhite}, {10, qRgb(255, 0, 0)}, {11, kWhite}, {20, qRgb(0, 0, 255)}})
            EXPECT_EQ(image.pixel(x, y), colour) << x << "," << y;
    EXPECT_TRUE(image.pixel(5, 40) == qRgb(0, 0, 255) && image.pixel(20, 40) == qRgb(0, 0, 255) && image.pixel(30, 50) == qRgb(0, 0, 255));
    EXPECT_TRUE(image.pixel(20, 50) == kWhite && image.pixel(48, 48) == kWhite);  // the circle not filled
    for (const QPoint edge : {QPoint(56, 48), QPoint(40, 48), QPoint(48, 56), QPoint(48, 40)})
        EXPECT_GT(qRed(image.pixel(edge)) - qBlue(image.pixel(edge)), 100) << edge.x() << "," << edge.y();
    EXPECT_TRUE(image.pixel(10, 50) == qRgb(255, 0, 0) && image.pixel(11, 50) == kWhite && image.pixel(10, 51) == kWhite);  // a dot
}

// Keeping the pen while the colour stays draws a field-line run as a pen per operation does, bit for bit.
TEST(PainterSurface, KeepingThePenDrawsThePictureOfAPenPerOperation)
{
    TestSurface run(651, 320);
    CalcParams p = RunValues(kFieldLinesGraph);
    ASSERT_TRUE(RunCalculation(p, run, StoppedClock).done);  // a clear, lines and circles
    QImage kept(651, 320, QImage::Format_RGB32), fresh(651, 320, QImage::Format_RGB32);
    QPainter keptPainter(&kept), freshPainter(&fresh);
    PainterSurface keptPen(keptPainter, 651, 320);
    for (const DrawOp& op : run.ops) {
        PainterSurface freshPen(freshPainter, 651, 320);
        for (DrawingSurface* s : std::initializer_list<DrawingSurface*>{&keptPen, &freshPen}) {
            if (op.kind == DrawOp::Kind::Clear)
                s->clear();
            else if (op.kind == DrawOp::Kind::Circle)
                s->drawCircle(op.x1, op.y1, op.x2, op.colour);
            else
                s->drawLine(op.x1, op.y1, op.x2, op.y2, op.colour);
        }
    }
    keptPainter.end();
    freshPainter.end();
    EXPECT_TRUE(kept == fresh);
}

// A filled polygon takes the pixels whose centres lie inside it, and no more:
// rectangles at whole coordinates exactly, any triangle by its centres; what
// follows is drawn with a pen again, and a circle stays unfilled.
TEST(PainterSurface, FilledPolygonsTakeThePixelsWithTheirCentresInside)
{
    const std::vector<std::vector<SurfacePoint>> polygons = {
        {{2, 3}, {7, 3}, {7, 5}, {2, 5}},              // a rectangle of 5 x 2 pixels
        {{10.2f, 30.7f}, {25.9f, 33.1f}, {14.4f, 44.6f}},  // a triangle at no whole coordinate
        {{40.5f, 10.5f}, {31.5f, 14}, {31.5f, 7}},        // an arrowhead pointing right
    };
    const QImage image = Painted(50, 50, [&](DrawingSurface& s) {
        for (const auto& polygon : polygons)
            s.fillPolygon(polygon, kRed);
        s.drawLine(0, 48, 50, 48, kBlue);
        s.drawCircle(40, 35, 6, kBlue);
    });
    for (int y = 0; y < 47; ++y)
        for (int x = 0; x < 33; ++x) {
            bool inside = false, unsure = false;
            for (const auto& polygon : polygons) {
                int sign = 0;  // the centre on the same side of every edge
                bool all = true;
                for (size_t k = 0; k < polygon.size(); ++k) {
                    const SurfacePoint a = polygon[k], b = polygon[(k + 1) % polygon.size()];
                    const double cross = (b.x - a.x) * (y + 0.5 - a.y) - (b.y - a.y) * (x + 0.5 - a.x);
                    unsure = unsure || std::fabs(cross) < 1e-3 * std::hypot(b.x - a.x, b.y - a.y);
                    const int side = cross > 0 ? 1 : -1;
                    all = all && (sign == 0 || side == sign);
                    sign = side;
                }
                inside = inside || all;
            }
            EXPECT_TRUE(unsure || image.pixel(x, y) == (inside ? qRgb(255, 0, 0) : kWhite)) << x << "," << y;
        }
    EXPECT_TRUE(image.pixel(25, 48) == qRgb(0, 0, 255) && image.pixel(25, 47) == kWhite && image.pixel(40, 35) == kWhite);
}
