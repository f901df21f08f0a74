// Joined polylines stand for the segments they replace.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "render/polyline_joiner.h"

namespace {

double distanceToSegment(QPointF x, QPointF a, QPointF b)
{
    const QPointF ab = b - a;
    const double len2 = QPointF::dotProduct(ab, ab);
    const double t = len2 > 0 ? std::clamp(QPointF::dotProduct(x - a, ab) / len2, 0.0, 1.0) : 0.0;
    const QPointF d = x - a - t * ab;
    return std::hypot(d.x(), d.y());
}

double distanceToPolyline(QPointF x, const std::vector<QPointF>& line)
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
    std::vector<std::vector<QPointF>> out;
    PolylineJoiner joiner(0.05, [&out](const std::vector<QPointF>& points, Rgb) { out.push_back(points); });
    const auto at = [](int k, int copy) {
        const double t = k * 0.002;
        const QPointF p(100 + 40 * t * std::cos(t), 100 + 40 * t * std::sin(t));
        return QPointF(copy & 1 ? 200 - p.x() : p.x(), copy & 2 ? 200 - p.y() : p.y());
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

}  // namespace
