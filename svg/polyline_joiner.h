#pragma once

#include <cmath>
#include <numbers>
#include <functional>
#include <utility>
#include <vector>

#include "surface/drawing_surface.h"
#include "surface/picture_geometry.h"

// Joins the short segments of traced lines into polylines for a vector
// picture (SVG, PDF), where one element per segment makes files of hundreds of megabytes.
// A segment continues an open polyline of its colour that ends where it
// starts (to a hundredth of a pixel, the rounding of the coordinates); up to
// four polylines stay open at once, so that the four mirrored copies of a
// field line, drawn step by step in turn, each become one polyline. A vertex is left out when it, and every vertex left out since the
// last one kept, lies within `tolerance` of the straight line from that kept
// vertex to the next point, and the points move away from the kept vertex: the
// polyline never strays further than that from the segments it stands for.
class PolylineJoiner {
public:
    using Emit = std::function<void(const std::vector<PlanePoint>& points, Rgb colour)>;

    PolylineJoiner(double tolerance, Emit handOn) : tolerance_(tolerance), emit_(std::move(handOn)) {}

    void add(PlanePoint from, PlanePoint to, Rgb colour);
    // Hands every open polyline on, oldest first.
    void flush();

private:
    // The directions from the last kept vertex, as angles to a reference
    // direction, that pass within the tolerance of every vertex left out since.
    struct Sleeve {
        PlanePoint reference;  // unit vector; zero until a vertex constrains the sleeve
        double low = -std::numbers::pi;
        double high = std::numbers::pi;
        double reach = 0;   // distance of the furthest vertex left out
    };

    struct Open {
        Rgb colour;
        std::vector<PlanePoint> kept;
        PlanePoint last;  // the end; kept or not is decided by the next point
        Sleeve sleeve;
    };

    void extend(Open& line, PlanePoint to) const;
    void handOn(Open& line) const;

    double tolerance_;
    Emit emit_;
    std::vector<Open> open_;
};
