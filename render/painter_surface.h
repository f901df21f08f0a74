#pragma once

#include <QPointF>

#include <optional>
#include <vector>

#include "render/polyline_joiner.h"

#include "surface/drawing_surface.h"

class QPainter;

// A drawing surface on a QPainter: serves a QImage, an SVG or a PDF alike.
// The painter must stay active while the surface is used, and nothing else may
// set its pen meanwhile: the surface sets a pen only when the colour changes.
// Lines are drawn with one-pixel cosmetic pens in the colour of each call; on
// an image without antialiasing, so that every pixel drawn has exactly that colour.
// Whatever reaches the painter lies near the picture: segments are clipped to
// its neighbourhood first, and of a circle far larger than the picture only
// the part of its outline near the picture is drawn, so that coordinates far
// outside never reach a rasteriser or a file. Non-finite coordinates draw nothing.
// In a vector picture (SVG, PDF) consecutive segments of a line are joined into
// polylines that stray at most 0.05 pixel from them; an image gets every segment.
class PainterSurface final : public DrawingSurface {
public:
    // width and height are the picture's size in its own pixels.
    PainterSurface(QPainter& painter, int width, int height);
    // Draws what is still held back while the painter is active.
    ~PainterSurface() override;
    PainterSurface(const PainterSurface&) = delete;
    PainterSurface& operator=(const PainterSurface&) = delete;

    void clear() override;
    void drawLine(float x1, float y1, float x2, float y2, Rgb colour) override;
    void plotPoint(float x, float y, Rgb colour) override;
    void lineTo(float x, float y, Rgb colour) override;
    void drawCircle(float cx, float cy, float radius, Rgb colour) override;
    void fillPolygon(const std::vector<SurfacePoint>& corners, Rgb colour) override;
    void drawImage(const std::vector<uint32_t>& pixels) override;
    // Draws what a vector picture still holds back; call before the painter ends.
    void finish();
    int width() const override { return width_; }
    int height() const override { return height_; }

private:
    void setPen(Rgb colour);
    void drawSegment(QPointF p, QPointF q, Rgb colour);
    void drawPolyline(const std::vector<QPointF>& points, Rgb colour);
    PolylineJoiner::Emit joinedLineDrawer();
    void drawDot(double x, double y, Rgb colour);
    void drawOutlineNearPicture(double cx, double cy, double radius, Rgb colour);

    QPainter& painter_;
    int width_;
    int height_;
    double penCentre_;  // offset from a coordinate to where the pen draws it
    QPointF current_;
    std::optional<Rgb> penColour_;
    // Vector pictures only: the segments of the field lines joined into polylines.
    std::optional<PolylineJoiner> joiner_;  // the colour of the pen last set on the painter
};
