#pragma once

#include <cstdint>
#include <vector>

#include "surface/drawing_surface.h"
#include "surface/picture_geometry.h"
#include "svg/polyline_joiner.h"

// What every vector picture (SVG, PDF) does with the drawing calls before a
// format writes them: coordinates NaN, infinite or beyond kFarLimit draw
// nothing; segments are clipped to the picture's neighbourhood, and the
// consecutive segments of a line joined into polylines that stray at most
// kVectorJoinTolerance from them; a point, a segment of no length and a circle
// below a pixel become a dot over the pixel that holds them; a circle that
// cannot show is left out, and of one far larger than the picture only the arc
// near it is drawn, as chords. So coordinates far outside never reach a file.
// Later calls lie over earlier ones: lines held back for joining are written
// before anything else is. At a pixel ratio above 1 (surface/pixel_ratio.h)
// lines are lineWidth() pixels wide and a dot is a square of that side.
class VectorSurface : public DrawingSurface {
public:
    // width and height are device pixels, pixelRatio the screen's.
    VectorSurface(int width, int height, double pixelRatio = 1);

    void clear() final;
    void drawLine(float x1, float y1, float x2, float y2, Rgb colour) final;
    void plotPoint(float x, float y, Rgb colour) final;
    void lineTo(float x, float y, Rgb colour) final;
    void drawCircle(float cx, float cy, float radius, Rgb colour) final;
    // Nothing when a corner is not placeable or the polygon lies wholly
    // outside the picture's neighbourhood.
    void fillPolygon(const std::vector<SurfacePoint>& corners, Rgb colour) final;
    void drawImage(const std::vector<uint32_t>& pixels) final;
    int width() const final { return width_; }
    int height() const final { return height_; }
    double pixelRatio() const final { return ratio_; }

    // Writes the lines still held back for joining.
    void finish();

protected:
    // The format's elements, in pixel coordinates as the calls give them (a
    // coordinate c names the pixel from c to c + 1; a one-pixel stroke runs
    // through c + 0.5, a stroke of lineWidth() through c + lineWidth() / 2,
    // and a dot at (column, row) is lineWidth() pixels square).
    virtual void eraseAll() = 0;
    virtual void writePolyline(const std::vector<PlanePoint>& points, Rgb colour) = 0;
    virtual void writeDot(int column, int row, Rgb colour) = 0;  // a pixel inside the picture
    virtual void writeCircle(double cx, double cy, double radius, Rgb colour) = 0;
    virtual void writeImage(const std::vector<uint32_t>& pixels) = 0;  // exactly width x height
    // A filled polygon in area coordinates (a pixel's middle is at c + 0.5).
    virtual void writePolygon(const std::vector<SurfacePoint>& corners, Rgb colour) = 0;

private:
    void drawSegment(PlanePoint p, PlanePoint q, Rgb colour);
    void drawDot(double x, double y, Rgb colour);
    PolylineJoiner freshJoiner();

    int width_;
    int height_;
    double ratio_;
    PlanePoint current_;
    PolylineJoiner joiner_;
};
