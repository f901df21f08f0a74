#pragma once

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <cstring>
#include <vector>

#include "field/field_lines.h"
#include "surface/drawing_surface.h"

// One drawing operation: a point uses x1, y1; a circle its centre and x2 = radius.
struct DrawOp {
    enum class Kind { Clear, Line, Point, LineTo, Circle, Image };
    Kind kind;
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    Rgb colour{};
};

// A drawing surface of a given size that hands every operation, in order, to take().
class OpSurface : public DrawingSurface {
public:
    OpSurface(int width, int height) : width_(width), height_(height) {}

    void clear() override { take({DrawOp::Kind::Clear}); }
    void drawLine(float x1, float y1, float x2, float y2, Rgb c) override { take({DrawOp::Kind::Line, x1, y1, x2, y2, c}); }
    void plotPoint(float x, float y, Rgb c) override { take({DrawOp::Kind::Point, x, y, 0, 0, c}); }
    void lineTo(float x, float y, Rgb c) override { take({DrawOp::Kind::LineTo, x, y, 0, 0, c}); }
    void drawCircle(float cx, float cy, float r, Rgb c) override { take({DrawOp::Kind::Circle, cx, cy, r, 0, c}); }
    void drawImage(const std::vector<uint32_t>&) override { take({DrawOp::Kind::Image}); }
    int width() const override { return width_; }
    int height() const override { return height_; }

protected:
    virtual void take(const DrawOp& op) = 0;

private:
    int width_;
    int height_;
};

// Keeps every operation, in order.
class RecordingSurface final : public OpSurface {
public:
    using Kind = DrawOp::Kind;
    using OpSurface::OpSurface;

    std::vector<DrawOp> of(Kind kind) const
    {
        std::vector<DrawOp> out;
        std::copy_if(ops.begin(), ops.end(), std::back_inserter(out), [kind](const DrawOp& op) { return op.kind == kind; });
        return out;
    }

    std::vector<DrawOp> ops;

private:
    void take(const DrawOp& op) override { ops.push_back(op); }
};

// Folds a stream of values into a 64-bit digest, bit for bit (FNV-1a).
class Digest {
public:
    template <class... T>
    void add(const T&... values)
    {
        (addBytes(values), ...);
    }
    uint64_t hash() const { return hash_; }

private:
    template <class T>
    void addBytes(const T& value)
    {
        unsigned char bytes[sizeof value];
        std::memcpy(bytes, &value, sizeof value);
        for (unsigned char b : bytes)
            hash_ = (hash_ ^ b) * 0x100000001b3ull;
    }

    uint64_t hash_ = 0xcbf29ce484222325ull;
};

// Keeps only a digest of every operation and its arguments, in order: a
// picture of millions of segments in a few bytes.
class DigestSurface final : public OpSurface {
public:
    using OpSurface::OpSurface;

    long long ops() const { return ops_; }

    Digest digest;

private:
    void take(const DrawOp& op) override
    {
        digest.add(op.kind, op.x1, op.y1, op.x2, op.y2, op.colour.red, op.colour.green, op.colour.blue);
        ++ops_;
    }

    long long ops_ = 0;
};

// A field-line sink that keeps only a digest of the seeds and steps, in order.
class DigestSink final : public FieldLineSink {
public:
    void beginLine(double z, double r) override
    {
        digest.add('B', z, r);
        ++lines;
    }
    void step(const FieldLineStep& s) override
    {
        digest.add(s.zPrev, s.rPrev, s.z, s.r);
        ++steps;
    }

    Digest digest;
    long long lines = 0;
    long long steps = 0;
};
