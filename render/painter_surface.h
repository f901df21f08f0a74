#pragma once

#include <optional>
#include <vector>

#include "svg/vector_surface.h"

class QPainter;

// A drawing surface on a QPainter for the PDF; raster pictures come from
// RasterSurface, SVG documents from SvgSurface. The painter must stay active
// while the surface is used, and nothing else may set its pen meanwhile: the
// surface sets a pen only when the colour changes. Lines are drawn
// antialiased with cosmetic pens lineWidth() pixels wide in the colour of each call,
// through the middles of the pixels their coordinates name, joined into
// polylines and kept near the picture as VectorSurface says.
class PainterSurface final : public VectorSurface {
public:
    // width and height are the picture's size in its own pixels.
    PainterSurface(QPainter& painter, int width, int height, double pixelRatio = 1);
    // Draws what is still held back while the painter is active.
    ~PainterSurface() override;
    PainterSurface(const PainterSurface&) = delete;
    PainterSurface& operator=(const PainterSurface&) = delete;

private:
    void setPen(Rgb colour);
    void eraseAll() override;
    void writePolyline(const std::vector<PlanePoint>& points, Rgb colour) override;
    void writeDot(int column, int row, Rgb colour) override;
    void writeCircle(double cx, double cy, double radius, Rgb colour) override;
    void writeImage(const std::vector<uint32_t>& pixels) override;
    void writePolygon(const std::vector<SurfacePoint>& corners, Rgb colour) override;

    QPainter& painter_;
    std::optional<Rgb> penColour_;  // the colour of the pen last set on the painter
};
