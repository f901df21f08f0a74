#include "field/plain_field_lines.h"

#include <cmath>

#include "field/mirrored_drawing.h"
#include "field/plain_field_slope.h"

namespace {

// Follows one line from its seed; returns at the mid-plane or the window's edge.
void followLine(const CalcParams& p, double z0, double r0, double h, long long maxSteps, FieldLineSink& sink)
{
    const double R = p.radius;
    const double L = p.length;

    double z = z0;
    double r = r0;
    double zPrev = z;
    float rPrev = static_cast<float>(r);
    sink.beginLine(z, r);

    // A real line is far shorter than maxSteps; the bound only makes sure that
    // every line ends, whatever the field does.
    for (long long n = 0; n < maxSteps; ++n) {
        const float m = PlainFieldSlope(p, z, r);  // dr/dz at the current point
        if (!std::isfinite(m))
            return;  // on the very edge of the winding, where the field has no direction

        if (h <= R - rPrev && zPrev <= L / 2) {
            // inside the coil: a step of h along the axis
            r = rPrev + m * h;
            z = zPrev + h;
        } else if (h > std::fabs(R - rPrev) && zPrev <= L / 2) {
            // at the winding: a radial jump of h across it
            r = rPrev + h;
            z = zPrev;
        } else {
            // outside: a step of h in r
            if (m == 0)
                return;  // the line runs parallel to the axis here; a step in r cannot follow it
            r = rPrev + h;
            z = zPrev + h / m;
        }

        if (z < 0)
            return;  // back at the mid-plane
        if (rPrev > p.yMax || zPrev > p.zMax)
            return;  // out of the window
        if (!std::isfinite(z) || !std::isfinite(r))
            return;

        sink.step(FieldLineStep{zPrev, rPrev, z, r});
        rPrev = static_cast<float>(r);
        zPrev = z;
    }
}

}  // namespace

void PlainFollowFieldLines(const CalcParams& p, FieldLineSink& sink)
{
    const double R = p.radius;
    const double L = p.length;
    if (p.lineCount < 1)
        return;  // no line at all; also keeps lineCount = -1 from dividing by zero
    if (!(R > 0) || !(L > 0))
        return;  // seeds on the axis or a step of zero: there is no line to follow

    const double dr = R / (p.lineCount + 1);  // spacing of the seeds across the radius
    const double h = L / 600;                 // step length
    const double z0 = L / 500;                // z of every seed

    // Inside the coil each step advances z by h, elsewhere r by h: a line that
    // stays in the window cannot honestly take more than this many steps.
    const double span = (L / 2 + std::fabs(p.zMax) + std::fabs(p.yMax)) / h;
    const long long maxSteps = static_cast<long long>(std::fmin(4 * span + 1000, 1e12));

    for (double i = p.lineCount; i >= 1; i -= 1)
        followLine(p, z0, i * dr, h, maxSteps, sink);
}

void PlainTraceFieldLines(const CalcParams& p, DrawingSurface& surface)
{
    MirroredDrawing drawing(p, surface);
    PlainFollowFieldLines(p, drawing);
}
