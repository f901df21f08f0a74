#pragma once

#include <cstdint>
#include <vector>

#include "surface/pixel_ratio.h"

// A colour given with each drawing call, components 0 to 255.
struct Rgb {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The colours of the picture.
inline constexpr Rgb kAxisColour{12, 0, 0};
inline constexpr Rgb kWindingColour{255, 0, 0};
inline constexpr Rgb kGraphColour{12, 0, 255};
// The field lines of the exact field, drawn beside the traced ones when asked for.
inline constexpr Rgb kExactLineColour{0, 160, 0};

// A corner of a filled polygon, pixels from the top-left corner.
struct SurfacePoint {
    float x = 0;
    float y = 0;
};

// The picture a calculation run draws on. Coordinates are pixels from the
// top-left corner, y growing downwards; what falls outside is clipped.
//
// The pixels are the device's: a surface for a screen of pixel ratio r
// (surface/pixel_ratio.h) is r times the logical picture's size, and the run
// lays out everything it draws in logical pixels times r, so that the picture
// looks as at ratio 1, only sharper. The surface itself draws every line,
// point and circle WholePixelRatio(r) device pixels wide (one logical pixel):
// a call at (x, y) covers the pixels from floor(x) to floor(x) + that width
// across and down. Filled polygons and images are areas and keep their size.
class DrawingSurface {
public:
    virtual ~DrawingSurface() = default;

    // Erases everything: only the background colour remains.
    virtual void clear() = 0;
    // A straight line between two points.
    virtual void drawLine(float x1, float y1, float x2, float y2, Rgb colour) = 0;
    // A single point, which becomes the current point.
    virtual void plotPoint(float x, float y, Rgb colour) = 0;
    // A line from the current point to (x, y), which becomes the current point.
    virtual void lineTo(float x, float y, Rgb colour) = 0;
    // An unfilled full circle; the radius is in horizontal pixels.
    virtual void drawCircle(float cx, float cy, float radius, Rgb colour) = 0;
    // A filled polygon without an outline, aliased: a pixel takes the colour
    // when its centre lies inside. Corners are area coordinates: the pixel
    // that a line's point (x, y) lights spans x to x + 1 and y to y + 1, so a
    // polygon around that point is centred on (x + 0.5, y + 0.5), and whole
    // numbers x0 < x1, y0 < y1 as corners of a rectangle fill exactly its
    // (x1 - x0) x (y1 - y0) pixels.
    virtual void fillPolygon(const std::vector<SurfacePoint>& corners, Rgb colour) = 0;
    // An image of exactly the picture's size laid over it: width() x height()
    // pixels 0xffRRGGBB, row by row from the top.
    virtual void drawImage(const std::vector<uint32_t>& pixels) = 0;

    virtual int width() const = 0;
    virtual int height() const = 0;
    // Device pixels per logical pixel, at least 1.
    virtual double pixelRatio() const { return 1; }
    // The device pixels of a line's width: one logical pixel.
    int lineWidth() const { return WholePixelRatio(pixelRatio()); }
};
