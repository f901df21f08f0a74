#pragma once

#include "plot/drawing_surface.h"

// A picture of the given size that draws nothing: what a run costs without
// its drawing.
class NullSurface final : public DrawingSurface {
public:
    NullSurface(int width, int height) : width_(width), height_(height) {}

    void clear() override {}
    void drawLine(float, float, float, float, Rgb) override {}
    void plotPoint(float, float, Rgb) override {}
    void lineTo(float, float, Rgb) override {}
    void drawCircle(float, float, float, Rgb) override {}
    int width() const override { return width_; }
    int height() const override { return height_; }

private:
    int width_;
    int height_;
};
