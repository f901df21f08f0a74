// PainterSurface keeps its pen while the colour stays: the picture must be the
// one it drew when it set a new pen for every operation.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPainter>

#include <optional>

#include "params/calc_params.h"
#include "plot/calculation_run.h"
#include "render/painter_surface.h"

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

CalcParams fieldLines()
{
    CalcParams p;
    SetDefaults(p);
    p.graphMode = kFieldLinesGraph;
    return p;
}

const auto noClock = [] { return ClockReading{}; };

}  // namespace

TEST(PainterSurface, AFieldLineRunDrawsThePictureOfAPenPerOperation)
{
    QImage kept(651, 320, QImage::Format_RGB32);
    QImage fresh(651, 320, QImage::Format_RGB32);
    {
        QPainter painter(&kept);
        PainterSurface surface(painter, 651, 320);
        CalcParams p = fieldLines();
        ASSERT_TRUE(RunCalculation(p, surface, noClock).done);
    }
    {
        QPainter painter(&fresh);
        FreshPenSurface surface(painter, 651, 320);
        CalcParams p = fieldLines();
        ASSERT_TRUE(RunCalculation(p, surface, noClock).done);
    }
    EXPECT_TRUE(kept == fresh);
}

TEST(PainterSurface, EveryChangeOfColourReachesThePicture)
{
    QImage image(60, 60, QImage::Format_RGB32);
    QPainter painter(&image);
    PainterSurface surface(painter, 60, 60);
    surface.clear();
    const Rgb red{255, 0, 0}, blue{0, 0, 255};
    surface.drawLine(0, 10.5f, 60, 10.5f, red);
    surface.drawLine(0, 20.5f, 60, 20.5f, blue);
    surface.drawLine(0, 30.5f, 60, 30.5f, red);
    surface.drawCircle(30.5f, 45.5f, 0.5f, blue);  // below a pixel: a dot
    surface.plotPoint(5.5f, 50.5f, red);
    painter.end();
    // the colour drawn at or next to (x, y): 'r' red, 'b' blue, '?' nothing or both
    const auto dominant = [&](int x, int y) {
        char seen = '?';
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const QColor c = image.pixelColor(x + dx, y + dy);
                const char here = c.red() > c.blue() + 20 ? 'r' : c.blue() > c.red() + 20 ? 'b' : '?';
                if (here != '?')
                    seen = seen == '?' || seen == here ? here : '!';
            }
        return seen;
    };
    EXPECT_EQ(dominant(30, 10), 'r');
    EXPECT_EQ(dominant(30, 20), 'b');
    EXPECT_EQ(dominant(30, 30), 'r');
    EXPECT_EQ(dominant(30, 45), 'b');
    EXPECT_EQ(dominant(5, 50), 'r');
}
