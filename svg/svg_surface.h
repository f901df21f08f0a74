#pragma once

#include <string>
#include <vector>

#include "svg/vector_surface.h"

// A drawing surface that writes an SVG document: a view box of the picture's
// width x height pixels, one user unit per pixel (shown at 96 pixels per inch),
// on a white background. Lines are strokes one unit wide through the middles
// of the pixels their coordinates name (c + 0.5), at a pixel ratio above 1
// lineWidth() units wide through c + lineWidth() / 2, in the colour of each call,
// joined into polylines and kept near the picture as VectorSurface says;
// coordinates are written to a thousandth of a pixel. A dot is a filled unit
// square, a filled polygon a polygon without stroke, a circle an unfilled outline, a drawn image a PNG embedded as a data
// URI and laid over the whole picture without smoothing. clear() drops
// everything drawn so far.
class SvgSurface final : public VectorSurface {
public:
    SvgSurface(int width, int height, double pixelRatio = 1) : VectorSurface(width, height, pixelRatio) {}

    // The whole document as UTF-8 text, with `title` (UTF-8) as its title and
    // description. Lines still held back for joining are written first.
    std::string document(const std::string& title);

private:
    void eraseAll() override { body_.clear(); }
    void writePolyline(const std::vector<PlanePoint>& points, Rgb colour) override;
    void writeDot(int column, int row, Rgb colour) override;
    void writeCircle(double cx, double cy, double radius, Rgb colour) override;
    void writeImage(const std::vector<uint32_t>& pixels) override;
    void writePolygon(const std::vector<SurfacePoint>& corners, Rgb colour) override;

    std::string body_;  // the elements drawn since the last clear
};
