#pragma once

#include <functional>

// What every drawing surface shares about where a call lands: how far out a
// coordinate may lie and still be placed, clipping a segment to the picture's
// neighbourhood, and the part of a very large circle that lies near the picture.
// Coordinates are pixels as DrawingSurface gives them.

// How far beyond the picture's edges clipped lines still run, so that the
// ends of a clipped line never show at the visible edge.
inline constexpr double kPictureMargin = 16;

// Beyond this many pixels from the picture double arithmetic can no longer
// place a clipped line or an arc to a fraction of a pixel; what uses such
// coordinates is not drawn. Only a plot window far smaller than a micrometre
// gets there.
inline constexpr double kFarLimit = 1e14;

// How far a joined line in a vector picture may stray from the segments it
// stands for, and the sagitta allowed between an arc and the chords that stand
// for it, pixels: invisible at any zoom a reader would use.
inline constexpr double kVectorJoinTolerance = 0.05;
inline constexpr double kArcSagitta = 0.25;

// False for NaN, infinities and coordinates beyond kFarLimit.
bool Placeable(double v);

struct PlanePoint {
    double x = 0;
    double y = 0;
    friend bool operator==(const PlanePoint&, const PlanePoint&) = default;
};

// Clips the segment p-q to the rectangle [lo, hiX] x [lo, hiY] (Liang-Barsky);
// p and q become the ends of the part inside. False when nothing of it lies inside.
bool ClipSegment(PlanePoint& p, PlanePoint& q, double lo, double hiX, double hiY);

// How a vector picture shows an unfilled circle (radius >= 0, all placeable):
// not at all when the outline lies wholly beside the picture or the picture
// wholly inside it; as a dot over the pixel holding the centre when the radius
// is below a pixel; as the chords of ChordsNearPicture when the circle is far
// larger than the picture; else as the outline itself.
enum class CircleShape { Nothing, Dot, Outline, ArcNearPicture };
CircleShape VectorCircleShape(double cx, double cy, double radius, int width, int height);

// The arc of a circle that lies within the disk around a width x height
// picture and its margin, as chords that stray at most kArcSagitta from
// it, handed on one by one; nothing when the outline does not come near the
// picture. For circles far larger than the picture, whose whole outline would
// run through coordinates no rasteriser or file should see.
void ChordsNearPicture(double cx, double cy, double radius, int width, int height,
                       const std::function<void(PlanePoint from, PlanePoint to)>& chord);
