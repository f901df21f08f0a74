#pragma once

#include <cstdint>
#include <vector>

#include "surface/drawing_surface.h"
#include "surface/picture_geometry.h"

// A drawing surface that paints into a buffer of width x height pixels,
// 0xffRRGGBB row by row from the top, white when made and after clear().
// It is the one rasteriser behind every raster picture (the window's picture,
// the exported PNG), so that the same run at the same size gives the same
// pixels wherever it is shown. Nothing is smoothed: every pixel drawn has
// exactly the colour of its call, and later calls lie over earlier ones.
//
// The rules, with a coordinate c naming the pixel from c to c + 1 (the pixel
// floor(c)) and x, y the column and row:
// - A point sets the pixel that holds it.
// - A line from (x1, y1) to (x2, y2) sets, along its longer extent between
//   its end pixels (x when |x2 - x1| >= |y2 - y1| in whole pixels, else y),
//   in every column (row) the pixel that holds the point at the column's
//   (row's) middle of the straight line from the middle of one end pixel to
//   the middle of the other. So both end pixels are set, and the line is
//   unbroken, one pixel per column (row), the same whichever end comes first;
//   the consecutive segments of a traced line meet in their shared end pixel.
// - A circle of radius r >= 1 sets, in every column whose middle lies within
//   r / sqrt(2) of the centre, the two pixels that hold the outline above and
//   below the centre at that column's middle, and likewise in every row the
//   two pixels left and right of it; an outline point on the border between
//   two pixels goes to the one farther from the centre. So the outline is
//   symmetric about the centre's row, column and diagonals whenever the centre
//   lies at a pixel's middle. A circle of radius below 1 sets the pixel that
//   holds its centre; the radius's sign is ignored.
// - A filled polygon sets the pixels whose middles lie inside it by the
//   even-odd rule; a middle exactly on a left edge is inside, on a right edge
//   outside, and of a horizontal edge the row below belongs to the polygon.
// - The image of drawImage replaces the picture when it has exactly its size.
// At a pixel ratio above 1 every pixel that a line, a point or a circle sets by
// these rules becomes a square of lineWidth() x lineWidth() pixels with it at
// the top left, so that lines are one logical pixel wide; polygons and images
// are filled as at ratio 1.
// Whatever falls outside the picture is clipped; a call with a coordinate that
// is NaN, infinite or beyond kFarLimit draws nothing (a point still becomes the
// current point). Work per call is bounded by the picture's size, however far
// out a line runs or however large a circle is.
class RasterSurface final : public DrawingSurface {
public:
    // A size of zero or below gives an empty picture; std::bad_alloc when no
    // memory is to be had for the buffer. width and height are device pixels,
    // pixelRatio the screen's (surface/pixel_ratio.h).
    RasterSurface(int width, int height, double pixelRatio = 1);

    void clear() override;
    void drawLine(float x1, float y1, float x2, float y2, Rgb colour) override;
    void plotPoint(float x, float y, Rgb colour) override;
    void lineTo(float x, float y, Rgb colour) override;
    void drawCircle(float cx, float cy, float radius, Rgb colour) override;
    void fillPolygon(const std::vector<SurfacePoint>& corners, Rgb colour) override;
    void drawImage(const std::vector<uint32_t>& pixels) override;
    int width() const override { return width_; }
    int height() const override { return height_; }
    double pixelRatio() const override { return ratio_; }

    const std::vector<uint32_t>& pixels() const { return pixels_; }
    // The pixel in column x and row y, which must lie inside the picture.
    uint32_t pixel(int x, int y) const { return pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)]; }

private:
    // Sets the pixel whose column and row are given as whole numbers in
    // doubles, if it lies inside the picture.
    void set(double column, double row, uint32_t argb);
    // Sets the square of a line's width whose top-left pixel is given.
    void stamp(double column, double row, uint32_t argb);
    void drawSegment(PlanePoint a, PlanePoint b, uint32_t argb);
    // The outline where it runs more across than along `across` (columns for
    // the top and bottom, rows for the sides).
    void drawOutlineOctants(double c0Across, double c0Along, double radius, int acrossSize, bool rows, uint32_t argb);

    int width_;
    int height_;
    double ratio_;
    int pen_;  // lineWidth()
    std::vector<uint32_t> pixels_;
    PlanePoint current_;
};
