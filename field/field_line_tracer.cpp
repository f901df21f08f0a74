#include "field/field_line_tracer.h"

#include <cmath>

FieldLineSeeds::FieldLineSeeds(const CalcParams& p)
    : i_(p.lineCount), dr_(p.radius / (p.lineCount + 1)), z0_(p.length / 500)
{
}

bool FieldLineSeeds::next(double& z0, double& r0)
{
    if (!(i_ >= 1))
        return false;
    z0 = z0_;
    r0 = i_ * dr_;
    i_ -= 1;
    return true;
}

void TracedLine::start(double z0, double r0)
{
    z0_ = z0;
    r0_ = r0;
    ends_.clear();
}

void TracedLine::handTo(FieldLineSink& sink) const
{
    sink.beginLine(z0_, r0_);
    double zPrev = z0_;
    float rPrev = static_cast<float>(r0_);
    for (const End& e : ends_) {
        sink.step(FieldLineStep{zPrev, rPrev, e.z, e.r});
        rPrev = static_cast<float>(e.r);
        zPrev = e.z;
    }
}

FieldLineTracer::FieldLineTracer(const CalcParams& p) : p_(p), h_(p.length / 600), slope_(p)
{
    // Inside the coil each step advances z by h, elsewhere r by h: a line that
    // stays in the window cannot honestly take more than this many steps.
    const double span = (p.length / 2 + std::fabs(p.zMax) + std::fabs(p.yMax)) / h_;
    maxSteps_ = static_cast<long long>(std::fmin(4 * span + 1000, 1e12));
}

void FieldLineTracer::trace(double z0, double r0, TracedLine& line) const
{
    const double R = p_.radius;
    const double L = p_.length;
    const double h = h_;

    line.start(z0, r0);

    double z = z0;
    double r = r0;
    double zPrev = z;
    float rPrev = static_cast<float>(r);

    for (long long n = 0; n < maxSteps_; ++n) {
        const float m = slope_.slope(R, L, z, r);  // dr/dz at the current point
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
        if (rPrev > p_.yMax || zPrev > p_.zMax)
            return;  // out of the window
        if (!std::isfinite(z) || !std::isfinite(r))
            return;

        line.addStepTo(z, r);
        rPrev = static_cast<float>(r);
        zPrev = z;
    }
}
