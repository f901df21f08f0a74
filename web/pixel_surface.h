#pragma once

#include <cstdint>
#include <vector>

#include "surface/drawing_surface.h"

// A plain pixel buffer to draw a run into: 0xffRRGGBB, row by row from the
// top, white when cleared. Lines are stepped pixel by pixel from end to end
// (a coordinate c names the pixel from c to c + 1), circles by their angle;
// what falls outside is clipped first, and coordinates too far away to place
// (beyond 1e9 pixels, NaN) are not drawn. A stand-in with the same interface
// as the shared rasterizer, which it gives way to.
class PixelSurface final : public DrawingSurface {
public:
    PixelSurface(int width, int height);

    void clear() override;
    void drawLine(float x1, float y1, float x2, float y2, Rgb colour) override;
    void plotPoint(float x, float y, Rgb colour) override;
    void lineTo(float x, float y, Rgb colour) override;
    void drawCircle(float cx, float cy, float radius, Rgb colour) override;
    void drawImage(const std::vector<uint32_t>& pixels) override;
    int width() const override { return width_; }
    int height() const override { return height_; }

    const std::vector<uint32_t>& pixels() const { return pixels_; }

private:
    void line(double x1, double y1, double x2, double y2, uint32_t colour);
    void set(double x, double y, uint32_t colour);

    int width_;
    int height_;
    std::vector<uint32_t> pixels_;
    double currentX_ = 0;
    double currentY_ = 0;
};
