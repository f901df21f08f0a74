#pragma once

#include "surface/drawing_surface.h"

// A drawing surface of a given size that keeps nothing: it answers a run's
// questions about the picture's size where nothing is to be drawn.
class BlankSurface final : public DrawingSurface {
public:
    BlankSurface(int width, int height, double pixelRatio = 1)
        : width_(width), height_(height), ratio_(UsablePixelRatio(pixelRatio))
    {
    }

    void clear() override {}
    void drawLine(float, float, float, float, Rgb) override {}
    void plotPoint(float, float, Rgb) override {}
    void lineTo(float, float, Rgb) override {}
    void drawCircle(float, float, float, Rgb) override {}
    void fillPolygon(const std::vector<SurfacePoint>&, Rgb) override {}
    void drawImage(const std::vector<uint32_t>&) override {}
    int width() const override { return width_; }
    int height() const override { return height_; }
    double pixelRatio() const override { return ratio_; }

private:
    int width_;
    int height_;
    double ratio_;
};
