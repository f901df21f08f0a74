// The SVG writer: joined polylines stand for the segments they replace; the document is
// well-formed, in the run's colours, with the map embedded, and nothing far away reaches it.
#include <gtest/gtest.h>

#include <QImage>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QXmlStreamReader>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <set>
#include <vector>

#include "svg/png_encoding.h"
#include "svg/polyline_joiner.h"
#include "svg/svg_surface.h"
#include "test_support.h"

namespace {

double distanceToSegment(PlanePoint x, PlanePoint a, PlanePoint b)
{
    const double abx = b.x - a.x, aby = b.y - a.y, len2 = abx * abx + aby * aby;
    const double t = len2 > 0 ? std::clamp(((x.x - a.x) * abx + (x.y - a.y) * aby) / len2, 0.0, 1.0) : 0.0;
    return std::hypot(x.x - a.x - t * abx, x.y - a.y - t * aby);
}

double distanceToPolyline(PlanePoint x, const std::vector<PlanePoint>& line)
{
    double best = INFINITY;
    for (size_t k = 0; k + 1 < line.size(); ++k)
        best = std::min(best, distanceToSegment(x, line[k], line[k + 1]));
    return best;
}

// Four mirrored copies of a spiral drawn step by step in turn, as the field
// lines are: each copy becomes one polyline that strays at most the tolerance
// from every point of it, with far fewer vertices than steps.
TEST(PolylineJoiner, JoinsInterleavedCopiesWithinTheTolerance)
{
    std::vector<std::vector<PlanePoint>> out;
    PolylineJoiner joiner(0.05, [&out](const std::vector<PlanePoint>& points, Rgb) { out.push_back(points); });
    const auto at = [](int k, int copy) {
        const double t = k * 0.002;
        const PlanePoint p{100 + 40 * t * std::cos(t), 100 + 40 * t * std::sin(t)};
        return PlanePoint{copy & 1 ? 200 - p.x : p.x, copy & 2 ? 200 - p.y : p.y};
    };
    const int steps = 5000;
    for (int k = 0; k < steps; ++k)
        for (int copy = 0; copy < 4; ++copy)
            joiner.add(at(k, copy), at(k + 1, copy), kGraphColour);
    joiner.flush();
    ASSERT_EQ(out.size(), 4u);
    for (int copy = 0; copy < 4; ++copy) {
        EXPECT_LT(out[copy].size(), steps / 10u);
        EXPECT_EQ(out[copy].front(), at(0, copy));
        EXPECT_EQ(out[copy].back(), at(steps, copy));
        for (int k = 0; k <= steps; ++k)
            ASSERT_LE(distanceToPolyline(at(k, copy), out[copy]), 0.05 + 1e-9) << "copy " << copy << " step " << k;
    }
}

// A run's calls with the image's pixels kept.
struct KeepingSurface : TestSurface {
    using TestSurface::TestSurface;
    void drawImage(const std::vector<uint32_t>& pixels) override { image = pixels, TestSurface::drawImage(pixels); }
    std::vector<uint32_t> image;
};

QString Hex(Rgb c) { return QStringLiteral("#%1").arg(c.red << 16 | c.green << 8 | c.blue, 6, 16, QLatin1Char('0')); }

std::vector<PlanePoint> Points(const QString& text)
{
    std::vector<PlanePoint> out;
    for (const QString& pair : text.split(' '))
        out.push_back(PlanePoint{pair.section(',', 0, 0).toDouble(), pair.section(',', 1, 1).toDouble()});
    return out;
}

// A field-line run with the exact lines and the map: the parser reads the document whole; the
// lines' colours are the run's (white: the exact lines' edge over the map); every segment end in the picture lies on a polyline of its colour; the
// embedded PNG decodes to the map's pixels.
TEST(SvgSurface, ARunIsWellFormedInItsColoursJoinedWithinTheToleranceWithTheMapEmbedded)
{
    const RunAdditions additions{ExactLines::ThroughSeeds, true, false, {}};
    CalcParams recordedParams = RunValues(kFieldLinesGraph, 0.2, 1, 2, 3), svgParams = recordedParams;
    KeepingSurface recorded(651, 320);
    SvgSurface svg(651, 320);
    RunCalculation(recordedParams, recorded, StoppedClock, additions);
    RunCalculation(svgParams, svg, StoppedClock, additions);
    const QByteArray document = QByteArray::fromStdString(svg.document("Зорекс: <линии> & поле"));
    EXPECT_EQ(QSvgRenderer(document).viewBox(), QRect(0, 0, 651, 320));

    QXmlStreamReader xml(document);
    std::set<QString> colours;
    std::map<QString, std::vector<std::vector<PlanePoint>>> lines;
    QString title;
    int images = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes a = xml.attributes();
        if (a.hasAttribute("stroke") && a.value("stroke") != QLatin1String("none"))  // fills: the colour scale's
            colours.insert(a.value("stroke").toString());
        if (xml.name() == QLatin1String("title"))
            title = xml.readElementText();
        if (xml.name() == QLatin1String("polyline"))
            lines[a.value("stroke").toString()].push_back(Points(a.value("points").toString()));
        if (xml.name() == QLatin1String("image")) {
            ++images;
            const QString href = a.value("xlink:href").toString();
            ASSERT_TRUE(href.startsWith("data:image/png;base64,"));
            const QImage map = QImage::fromData(QByteArray::fromBase64(href.mid(22).toLatin1()), "PNG").convertToFormat(QImage::Format_RGB32);
            ASSERT_EQ(map.size(), QSize(651, 320));
            for (int y = 0; y < 320; ++y)
                for (int x = 0; x < 651; ++x)
                    ASSERT_EQ(map.pixel(x, y), recorded.image[size_t(y) * 651 + size_t(x)] | 0xff000000u) << x << "," << y;
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(title, QStringLiteral("Зорекс: <линии> & поле"));
    EXPECT_EQ(images, 1);
    EXPECT_EQ(colours, (std::set<QString>{"#ffffff", Hex(kAxisColour), Hex(kWindingColour), Hex(kGraphColour), Hex(kExactLineColour)}));
    for (const DrawOp& op : recorded.ops) {
        if (op.kind != DrawOp::Kind::Line)
            continue;
        for (const PlanePoint end : {PlanePoint{op.x1, op.y1}, PlanePoint{op.x2, op.y2}}) {
            if (end.x < 0 || end.y < 0 || end.x > 651 || end.y > 320)
                continue;
            double nearest = INFINITY;
            for (const auto& line : lines[Hex(op.colour)])
                nearest = std::min(nearest, distanceToPolyline(PlanePoint{end.x + 0.5, end.y + 0.5}, line));
            ASSERT_LE(nearest, 0.05 + 0.001) << end.x << "," << end.y;  // the tolerance and the written thousandths
        }
    }
}

struct PngRow {
    const char* name;
    int width, height, colours;  // pixels drawn at random from this many colours
};

class PngEncoding : public testing::TestWithParam<PngRow> {};

// Qt's decoder gives back every pixel: one pixel, noise, long runs, rows wider than the 32 kB a match reaches back.
TEST_P(PngEncoding, DecodesToThePixelsEncoded)
{
    const PngRow row = GetParam();
    std::vector<uint32_t> pixels(size_t(row.width) * size_t(row.height));
    uint32_t state = 12345;
    for (uint32_t& p : pixels) {
        state = state * 1664525u + 1013904223u;
        p = 0xff000000u | ((state >> 8) % uint32_t(row.colours)) * 0x010203u;
    }
    const std::string png = PngFile(pixels, row.width, row.height);
    const QImage image = QImage::fromData(QByteArray::fromStdString(png), "PNG").convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(image.size(), QSize(row.width, row.height));
    for (int y = 0; y < row.height; ++y)
        for (int x = 0; x < row.width; ++x)
            ASSERT_EQ(image.pixel(x, y), pixels[size_t(y) * size_t(row.width) + size_t(x)]) << x << "," << y;
    EXPECT_TRUE(PngFile(pixels, row.width + 1, row.height).empty() && PngFile({}, 0, 0).empty());
}

INSTANTIATE_TEST_SUITE_P(Images, PngEncoding, testing::Values(
    PngRow{"one_pixel", 1, 1, 2}, PngRow{"noise", 97, 61, 80}, PngRow{"runs", 300, 200, 1},
    PngRow{"few_colours", 640, 90, 3}, PngRow{"rows_beyond_the_window", 12000, 3, 2}),
    [](const auto& info) { return std::string(info.param.name); });

// Calls that cannot place anything or lie wholly beyond a 100 x 100 picture write nothing; a
// circle far larger than the picture comes as short chords; every number written stays near it.
TEST(SvgSurface, FarAwayCoordinatesNeverReachTheFile)
{
    const float inf = std::numeric_limits<float>::infinity(), nan = std::nanf(""), big = 1e30f;
    SvgSurface s(100, 100);
    s.drawLine(nan, 10, 20, 20, kGraphColour), s.drawLine(-inf, 10, inf, 10, kGraphColour), s.drawLine(-1e20f, 10, 1e20f, 10, kGraphColour);
    s.drawLine(-5e6f, -5e6f, -5e6f + 1, 5e6f, kGraphColour), s.plotPoint(big, big, kGraphColour), s.lineTo(5, 5, kGraphColour);
    s.drawCircle(5, 5, inf, kGraphColour), s.drawCircle(big, big, 10, kGraphColour), s.drawCircle(50, 50, 1e6f, kGraphColour);
    s.drawCircle(-3e6f, 50, 2e6f, kGraphColour);
    EXPECT_FALSE(QString::fromStdString(s.document("")).contains(Hex(kGraphColour)));
    s.drawLine(-1e12f, 20, 1e12f, 20, kGraphColour);
    s.drawCircle(50, 1e7f + 70, 1e7f, kGraphColour);
    const QString document = QString::fromStdString(s.document(""));
    EXPECT_EQ(document.count("<polyline"), 2);
    const QRegularExpression coordinates(R"re((?:points|x|y|cx|cy|r|width|height)="([^"]*)")re");
    for (const auto& attribute : coordinates.globalMatch(document))
        for (const auto& m : QRegularExpression(R"([-+0-9.e]+|nan|inf)").globalMatch(attribute.captured(1)))
            EXPECT_LT(std::fabs(m.captured().toDouble()), 1000.0) << attribute.captured().toStdString();
}

}  // namespace
