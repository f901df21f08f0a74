#pragma once
// Parameter records, a drawing surface and a field-line sink for the core and tool tests.
#include <cmath>
#include <algorithm>
#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "field/field_lines.h"
#include "plot/field_lines_drawing.h"
#include "plot/axes.h"
#include "plot/calculation_run.h"
#include "plot/plot_window.h"
#include "texts/language.h"

inline Language English() { return *Language::Named("en"); }

// Whether a text has no Cyrillic letter (UTF-8 lead bytes 0xD0 to 0xD3) but
// in the program's name, which every language writes as it is.
inline bool WithoutRussian(std::string text)
{
    const std::string name = "Зорекс";
    for (size_t at = text.find(name); at != std::string::npos; at = text.find(name))
        text.erase(at, name.size());
    return std::none_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= 0xD0 && byte <= 0xD3;
    });
}

// The program's start values with another coil, region and line count.
inline CalcParams RunValues(int16_t graph, double radius = 0.2, double length = 1, double halfRange = 2, double lines = 7)
{
    CalcParams p = StartValues(graph);
    std::tie(p.radius, p.length, p.halfRange, p.lineCount) = std::tuple(radius, length, halfRange, lines);
    return p;
}

inline ClockReading StoppedClock() { return {}; }

// Folds values into a 64-bit digest, bit for bit (FNV-1a).
struct Digest {
    uint64_t hash = 0xcbf29ce484222325ull;
    void add(const auto&... values)
    {
        (..., [&](const auto& v) {
            for (size_t i = 0; i < sizeof v; ++i)
                hash = (hash ^ reinterpret_cast<const unsigned char*>(&v)[i]) * 0x100000001b3ull;
        }(values));
    }
};

struct DrawOp {  // a point uses x1, y1; a circle its centre and x2 = radius
    enum class Kind { Clear, Line, Point, LineTo, Circle, Image, Polygon } kind;
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    Rgb colour{};
    std::vector<SurfacePoint> corners = {};  // a polygon's
};

// Digests and counts every operation in order, and keeps them unless told not to.
class TestSurface : public DrawingSurface {
public:
    using Kind = DrawOp::Kind;
    TestSurface(int width, int height, bool keep = true) : width_(width), height_(height), keep_(keep) {}
    void clear() override { take({Kind::Clear}); }
    void drawLine(float x1, float y1, float x2, float y2, Rgb c) override { take({Kind::Line, x1, y1, x2, y2, c}); }
    void plotPoint(float x, float y, Rgb c) override { take({Kind::Point, x, y, 0, 0, c}); }
    void lineTo(float x, float y, Rgb c) override { take({Kind::LineTo, x, y, 0, 0, c}); }
    void drawCircle(float x, float y, float r, Rgb c) override { take({Kind::Circle, x, y, r, 0, c}); }
    void fillPolygon(const std::vector<SurfacePoint>& corners, Rgb c) override
    {
        for (const SurfacePoint& q : corners)
            digest.add(q.x, q.y);
        take({Kind::Polygon, 0, 0, 0, 0, c, corners});
    }
    void drawImage(const std::vector<uint32_t>& pixels) override
    {
        sane = sane && pixels.size() == static_cast<size_t>(width_) * static_cast<size_t>(height_);
        take({Kind::Image});
    }
    int width() const override { return width_; }
    int height() const override { return height_; }

    std::vector<DrawOp> ops;
    Digest digest;
    long long count = 0;
    bool sane = true;  // no coordinate infinite or NaN, no negative radius

private:
    void take(const DrawOp& op)
    {
        ++count;
        digest.add(op.kind, op.x1, op.y1, op.x2, op.y2, op.colour.red, op.colour.green, op.colour.blue);
        sane = sane && std::isfinite(double{op.x1} + op.y1 + op.x2 + op.y2) && !(op.kind == Kind::Circle && op.x2 < 0);
        if (keep_)
            ops.push_back(op);
    }

    int width_, height_;
    bool keep_;
};

// The record as a run on a picture of the given size leaves it before it draws the graph.
inline CalcParams Windowed(CalcParams p, int width = 651, int height = 320)
{
    TestSurface picture(width, height);
    SetPlotWindow(p, picture);
    DrawAxes(p, picture);
    return p;
}

// A field-line sink that keeps only a digest of the seeds and steps, in order.
struct DigestSink final : FieldLineSink {
    void beginLine(double z, double r) override { digest.add('B', z, r), ++lines; }
    void step(const FieldLineStep& s) override { digest.add(s.zPrev, s.rPrev, s.z, s.r), ++steps; }
    bool operator==(const DigestSink& o) const { return lines == o.lines && steps == o.steps && digest.hash == o.digest.hash; }
    Digest digest;
    long long lines = 0, steps = 0;
};
