#pragma once

#include <cstdint>
#include <cstring>

#include "field/field_lines.h"
#include "plot/drawing_surface.h"

// Folds a stream of values into a 64-bit digest, bit for bit (FNV-1a).
class Digest {
public:
    template <class T>
    void add(const T& value)
    {
        unsigned char bytes[sizeof value];
        std::memcpy(bytes, &value, sizeof value);
        for (unsigned char b : bytes)
            hash_ = (hash_ ^ b) * 0x100000001b3ull;
    }
    uint64_t hash() const { return hash_; }

private:
    uint64_t hash_ = 0xcbf29ce484222325ull;
};

// A drawing surface that keeps only a digest of every operation and its
// arguments, in order: a picture of millions of segments in a few bytes.
class DigestSurface final : public DrawingSurface {
public:
    DigestSurface(int width, int height) : width_(width), height_(height) {}

    void clear() override { add('C', 0, 0, 0, 0, Rgb{}); }
    void drawLine(float x1, float y1, float x2, float y2, Rgb c) override { add('L', x1, y1, x2, y2, c); }
    void plotPoint(float x, float y, Rgb c) override { add('P', x, y, 0, 0, c); }
    void lineTo(float x, float y, Rgb c) override { add('T', x, y, 0, 0, c); }
    void drawCircle(float cx, float cy, float r, Rgb c) override { add('O', cx, cy, r, 0, c); }
    int width() const override { return width_; }
    int height() const override { return height_; }

    long long ops() const { return ops_; }

    Digest digest;

private:
    void add(char kind, float a, float b, float c, float d, Rgb colour)
    {
        digest.add(kind);
        for (float v : {a, b, c, d})
            digest.add(v);
        digest.add(colour.red);
        digest.add(colour.green);
        digest.add(colour.blue);
        ++ops_;
    }

    int width_;
    int height_;
    long long ops_ = 0;
};

// A field-line sink that keeps only a digest of the seeds and steps, in order.
class DigestSink final : public FieldLineSink {
public:
    void beginLine(double z, double r) override
    {
        digest.add('B');
        digest.add(z);
        digest.add(r);
        ++lines;
    }
    void step(const FieldLineStep& s) override
    {
        digest.add(s.zPrev);
        digest.add(s.rPrev);
        digest.add(s.z);
        digest.add(s.r);
        ++steps;
    }

    Digest digest;
    long long lines = 0;
    long long steps = 0;
};
