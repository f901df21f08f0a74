#include "reference/plain_field_slope.h"

#include <cmath>

float PlainFieldSlope(const CalcParams& p, double z, double r)
{
    const double R = p.radius;
    const double L = p.length;
    const float s = static_cast<float>(p.angleStep);  // angle step
    const float e = static_cast<float>(p.twoPi);      // end of the angle range

    float sumR = 0;  // radial component, common factor left out
    float sumZ = 0;  // axial component, same factor
    // The angle is accumulated by repeated single-precision addition, so the
    // number of samples follows from its rounding (500 with the defaults).
    for (float phi = 0; phi <= e; phi += s) {
        const double c = std::cos(static_cast<double>(phi));
        // rho^2: squared distance across the axis from the point to the element at phi
        const double rho2 = R * R - 2 * r * R * c + r * r;
        const double d1 = std::sqrt(rho2 + (z + L / 2) * (z + L / 2));  // to the element's left end
        const double d2 = std::sqrt(rho2 + (z - L / 2) * (z - L / 2));  // to its right end
        // dHr ~ (1/d2 - 1/d1) cos(phi)
        const float radialTerm = static_cast<float>((1 / d2 - 1 / d1) * c);
        sumR = sumR + radialTerm;
        // dHz ~ (R - r cos(phi)) ((z + L/2)/d1 - (z - L/2)/d2) / rho^2; on the winding
        // itself (rho^2 = 0 at phi = 0) the limit along the cylinder, ((z + L/2)/d1 - (z - L/2)/d2) / 2R
        const double ends = (z + L / 2) / d1 - (z - L / 2) / d2;
        const double axialTerm = rho2 == 0 ? ends / (2 * R) : (R - r * c) * ends / rho2;
        sumZ = static_cast<float>(sumZ + axialTerm);
    }
    return sumR / sumZ;
}
