#pragma once

// The off-axis angular sum, written once for any vector of doubles (GCC's
// vector extensions); Lanes names the vector type (Lanes::Vec) and gives its
// square root (Lanes::sqrt). Each instruction-set file instantiates it with
// its own Lanes, so that this header must pull in nothing that is compiled
// differently elsewhere.
//
// Every term is computed by the same operations in the same order as the plain
// sample-by-sample loop, and vector division and square root round exactly
// like their scalar forms, so each term agrees with it bit for bit. No product
// may be fused into a sum (the build has -ffp-contract=off). The two
// single-precision running sums then take the terms one by one in the order of
// the angles, as the plain loop does.
template <class Lanes>
float SumAngularSamples(const double* cosines, int count, double R, double L, double z, double r)
{
    using V = typename Lanes::Vec;
    constexpr int kWidth = sizeof(V) / sizeof(double);

    const double a = z + L / 2;      // axial distance from the coil's left end
    const double b = z - L / 2;      // from its right end
    const double RR = R * R;         // the parts of rho^2 that do not depend on the angle
    const double rR2 = 2 * r * R;
    const double rr = r * r;
    const double aa = a * a;
    const double bb = b * b;
    const V twoR = V{} + 2 * R;

    // The terms of the kWidth samples from k on.
    const auto terms = [&](int k, V& radial, V& axial) {
        V c;  // cos(phi)
        __builtin_memcpy(&c, cosines + k, sizeof c);
        // rho^2 = R^2 - 2 r R cos(phi) + r^2: squared distance across the axis to the element at phi
        const V rho2 = RR - rR2 * c + rr;
        const V d1 = Lanes::sqrt(rho2 + aa);  // to the element's left end
        const V d2 = Lanes::sqrt(rho2 + bb);  // to its right end
        // dHr ~ (1/d2 - 1/d1) cos(phi)
        radial = (1.0 / d2 - 1.0 / d1) * c;
        // dHz ~ (R - r cos(phi)) ends / rho^2, with ends = (z + L/2)/d1 - (z - L/2)/d2;
        // on the winding itself (rho^2 = 0) the limit along the cylinder, ends / 2R
        const V ends = a / d1 - b / d2;
        const auto onWinding = rho2 == 0.0;
        axial = (onWinding ? ends : (R - r * c) * ends) / (onWinding ? twoR : rho2);
    };

    float sumR = 0;  // radial component, common factor left out
    float sumZ = 0;  // axial component, same factor
    // Adds the first n terms to the running sums, in order.
    const auto add = [&](const V& radial, const V& axial, int n) {
        for (int j = 0; j < n; ++j) {
            sumR = sumR + static_cast<float>(radial[j]);
            sumZ = static_cast<float>(sumZ + axial[j]);
        }
    };

    V radial;
    V axial;
    int k = 0;
    for (; k + kWidth <= count; k += kWidth) {
        terms(k, radial, axial);
        add(radial, axial, kWidth);
    }
    if (k < count) {  // the last, partly filled block
        terms(k, radial, axial);
        add(radial, axial, count - k);
    }
    return sumR / sumZ;
}
