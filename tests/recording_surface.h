#pragma once

#include <vector>

#include "plot/drawing_surface.h"

// A drawing surface that keeps every operation, in order, for the tests.
class RecordingSurface final : public DrawingSurface {
public:
    enum class Kind { Clear, Line, Point, LineTo, Circle };

    struct Op {
        Kind kind;
        float x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // a point uses x1, y1; a circle its centre and x2 = radius
        Rgb colour{};
    };

    RecordingSurface(int width, int height) : width_(width), height_(height) {}

    void clear() override { ops.push_back({Kind::Clear}); }
    void drawLine(float x1, float y1, float x2, float y2, Rgb c) override { ops.push_back({Kind::Line, x1, y1, x2, y2, c}); }
    void plotPoint(float x, float y, Rgb c) override { ops.push_back({Kind::Point, x, y, 0, 0, c}); }
    void lineTo(float x, float y, Rgb c) override { ops.push_back({Kind::LineTo, x, y, 0, 0, c}); }
    void drawCircle(float cx, float cy, float r, Rgb c) override { ops.push_back({Kind::Circle, cx, cy, r, 0, c}); }
    int width() const override { return width_; }
    int height() const override { return height_; }

    std::vector<Op> of(Kind kind) const
    {
        std::vector<Op> out;
        for (const Op& op : ops)
            if (op.kind == kind)
                out.push_back(op);
        return out;
    }

    std::vector<Op> ops;

private:
    int width_;
    int height_;
};
