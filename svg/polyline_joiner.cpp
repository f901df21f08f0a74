#include "svg/polyline_joiner.h"

#include <algorithm>
#include <cmath>

namespace {

// The four mirrored copies of one traced line.
constexpr size_t kOpenAtOnce = 4;

// A segment that starts this close to where a line ended, pixels, continues it:
// a traced line's steps start where the last one ended, up to the rounding of
// its single-precision coordinates.
constexpr double kJoinGap = 0.01;

PlanePoint operator-(PlanePoint a, PlanePoint b) { return {a.x - b.x, a.y - b.y}; }

double length(PlanePoint v) { return std::hypot(v.x, v.y); }

// The angle of v from the unit vector u, in (-pi, pi].
double angleFrom(PlanePoint u, PlanePoint v)
{
    return std::atan2(u.x * v.y - u.y * v.x, u.x * v.x + u.y * v.y);
}

}  // namespace

void PolylineJoiner::add(PlanePoint from, PlanePoint to, Rgb colour)
{
    for (Open& line : open_) {
        if (line.colour == colour && length(from - line.last) <= kJoinGap) {
            extend(line, to);
            return;
        }
    }
    if (open_.size() == kOpenAtOnce) {
        handOn(open_.front());
        open_.erase(open_.begin());
    }
    open_.push_back(Open{colour, {from}, to, Sleeve{}});
}

void PolylineJoiner::extend(Open& line, PlanePoint to) const
{
    // Whether line.last may be left out: the line from the last kept vertex to
    // `to` must pass within the tolerance of it and of every vertex left out since.
    const PlanePoint anchor = line.kept.back();
    Sleeve sleeve = line.sleeve;
    const PlanePoint x = line.last - anchor;
    const double d = length(x);
    if (d > tolerance_) {
        if (sleeve.reference == PlanePoint{})
            sleeve.reference = PlanePoint{x.x / d, x.y / d};
        const double angle = angleFrom(sleeve.reference, x);
        const double half = std::asin(tolerance_ / d);  // distance d sin(half) = tolerance
        sleeve.low = std::max(sleeve.low, angle - half);
        sleeve.high = std::min(sleeve.high, angle + half);
    }
    sleeve.reach = std::max(sleeve.reach, d);

    const PlanePoint y = to - anchor;
    const double toAngle = sleeve.reference == PlanePoint{} ? 0.0 : angleFrom(sleeve.reference, y);
    if (length(y) >= sleeve.reach && toAngle >= sleeve.low && toAngle <= sleeve.high) {
        line.sleeve = sleeve;  // line.last is left out
    } else {
        line.kept.push_back(line.last);
        line.sleeve = Sleeve{};
    }
    line.last = to;
}

void PolylineJoiner::handOn(Open& line) const
{
    line.kept.push_back(line.last);
    emit_(line.kept, line.colour);
}

void PolylineJoiner::flush()
{
    for (Open& line : open_)
        handOn(line);
    open_.clear();
}
