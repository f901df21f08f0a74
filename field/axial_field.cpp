#include "field/axial_field.h"

#include <cmath>

namespace {

// a / sqrt(R^2 + a^2): the cosine of the angle under which one end of the
// coil is seen. For R = 0 at the end itself (0 / 0) it counts as 0, so the
// field there is the mean of the values just inside and just outside.
double endTerm(double a, double R)
{
    const double d = std::sqrt(R * R + a * a);
    return d == 0 ? 0.0 : a / d;
}

}  // namespace

double AxialFieldUnrounded(const CalcParams& p, double z)
{
    const double R = p.radius;
    const double L = p.length;
    const double a = z + L / 2;  // signed distance from the left end
    const double b = z - L / 2;  // signed distance from the right end
    const double t1 = endTerm(a, R);
    const double t2 = endTerm(b, R);
    return t1 - t2;
}

float AxialField(const CalcParams& p, double z)
{
    return static_cast<float>(AxialFieldUnrounded(p, z));
}
