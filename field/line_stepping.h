#pragma once

#include <cmath>
#include <optional>

#include "params/calc_params.h"

// One computed step of a field line, in the quarter z >= 0, r >= 0.
struct FieldLineStep {
    double zPrev;  // where the step starts
    float rPrev;
    double z;      // where it ends, before r is stored in single precision
    double r;
};

// The Euler rule by which every field line is followed, whoever evaluates the
// slope: the program's fast tracer and the plain reference differ only in that.
// Inside the coil a step advances z by h, elsewhere r by h; the other increment
// follows from the slope dr/dz. A step starts at the previous point, whose r is
// kept in single precision.
struct LineStepping {
    explicit LineStepping(const CalcParams& p);

    double R;     // coil radius, m
    double L;     // coil length, m
    double h;     // step length, L/600
    float zMax;   // right edge of the plot window
    float yMax;   // top edge: the largest r shown

    // Inside the coil each step advances z by h, elsewhere r by h, so a line
    // needs at most (L/2)/h + 1 steps inside and yMax/h + 1 outside:
    //   n = (L/2 + yMax)/h + 2.
    // With h = L/600 a coil far shorter than the window would ask millions of
    // steps of every line (L = 1 mm, a = 10 m: three million, each a
    // twenty-thousandth of a pixel on the picture). Where n exceeds kMostSteps
    // the steps outside the coil are taken along the line instead, each
    // `along` long (see next()); every scroll-bar value (L >= 0.1 m,
    // a <= 10 m) on a picture no taller than wide stays below it,
    // n <= 600 a/L + 302 = 60,302, and keeps the steps of h in r. A line
    // ends after maxSteps steps however far it has come, which ends any line
    // within a fraction of a second whatever the field does and keeps its
    // buffer (16 bytes a step) within 1 MB.
    static constexpr long long kMostSteps = 1 << 16;
    long long maxSteps;  // the smaller of 4 (L/2 + |zMax| + |yMax|)/h + 1000 and kMostSteps
    // The length of a step outside the coil along the line where n exceeds
    // kMostSteps: (|zMax| + |yMax|)/8192, so that a line across the window
    // and back takes a quarter of kMostSteps; 0 where the steps are h in r.
    double along = 0;

    // Whether a line in this window would need more than kMostSteps steps of h in r (n above).
    bool needsStepsAlongTheLine() const { return (L / 2 + std::fabs(yMax)) / h + 2 > kMostSteps; }

    struct Point {
        double z;
        double r;
    };

    // The step from (zPrev, rPrev) along the slope m, by the first rule that applies:
    //   A, inside the coil (h <= R - rPrev, zPrev <= L/2): h along the axis;
    //   B, at the winding (|R - rPrev| < h, zPrev <= L/2): a radial jump of h, z unchanged;
    //   C, elsewhere: h in r, z by h/m; with steps along the line, the same
    //      direction (r growing) but a step `along` long:
    //      dr = along |m| / sqrt(1 + m^2),  dz = dr / m.
    // Nothing when no step can follow the field: a slope that is not finite (on
    // the very edge of the winding), or a zero slope under rule C (the line runs
    // parallel to the axis there).
    std::optional<Point> next(double zPrev, float rPrev, float m) const
    {
        if (!std::isfinite(m))
            return std::nullopt;
        if (h <= R - rPrev && zPrev <= L / 2)
            return Point{zPrev + h, rPrev + m * h};
        if (h > std::fabs(R - rPrev) && zPrev <= L / 2)
            return Point{zPrev, rPrev + h};
        if (m == 0)
            return std::nullopt;
        if (along > 0) {
            const double slope = m;
            const double dr = along * std::fabs(slope) / std::sqrt(1 + slope * slope);
            return Point{zPrev + dr / slope, rPrev + dr};
        }
        return Point{zPrev + h / m, rPrev + h};
    }

    // Whether the line ends instead of taking the step to `to`: the step crosses
    // the mid-plane (z < 0), the previous point already lies beyond the plot
    // window (so the last step drawn may end outside it), or the step is not finite.
    bool ends(double zPrev, float rPrev, Point to) const
    {
        return to.z < 0 || rPrev > yMax || zPrev > zMax || !std::isfinite(to.z) || !std::isfinite(to.r);
    }
};

// How a followed line came to its end.
enum class LineEnding {
    Done,  // back at the mid-plane, out of the window, or with no step to take
    Cut,   // after maxSteps steps, not yet done
};

// Follows one field line from its seed by the rule above: slope(z, r) gives
// dr/dz at the current point, take(step) receives every step in order.
template <class Slope, class Take>
LineEnding FollowLine(const LineStepping& s, double z0, double r0, Slope&& slope, Take&& take)
{
    LineStepping::Point at{z0, r0};
    double zPrev = z0;
    float rPrev = static_cast<float>(r0);
    for (long long n = 0; n < s.maxSteps; ++n) {
        const auto to = s.next(zPrev, rPrev, slope(at.z, at.r));
        if (!to || s.ends(zPrev, rPrev, *to))
            return LineEnding::Done;
        take(FieldLineStep{zPrev, rPrev, to->z, to->r});
        at = *to;
        rPrev = static_cast<float>(to->r);
        zPrev = to->z;
    }
    return LineEnding::Cut;
}
