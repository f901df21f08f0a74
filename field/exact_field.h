#pragma once

#include "params/calc_params.h"

// The field of the ideal finite solenoid in closed form: a uniform azimuthal
// surface current on the cylinder of radius R = p.radius between
// z = -L/2 and z = +L/2 (L = p.length), at the point (z, r) of a meridian
// half-plane (metres from the coil's centre and from its axis).
//
// Unit: n*I/2, the unit of the axis graph, in which the field on the axis is
// AxialField: a/sqrt(R^2 + a^2) - b/sqrt(R^2 + b^2), a = z + L/2, b = z - L/2,
// and the middle of a long coil reads 2.
//
// Hz and Hr follow Derby and Olbert, Am. J. Phys. 78 (2010) 229, with
// Bulirsch's cel; the flux function is its vector potential r*A_phi
// integrated the same way. Accuracy, against a stack of current loops summed
// in long double: a few 1e-15 of |H| within a few coil sizes (the winding and
// the rims included); farther out the two ends' terms cancel, and for
// R = 0.2 m, L = 1 m the error reaches 1e-14 of |H| at 14 m and 1e-12 at
// 100 m. On the axis the closed form is exact to 1e-15 at any distance.
// The flux function agrees with the integral of Hz r dr to 1e-14.
// Lengths must lie within 1e-150 and 1e150 m (or be 0).

// Where the field has a value of its own, and where it has none.
enum class FieldPointKind {
    Regular,    // the field is defined and continuous here
    OnWinding,  // r = R, |z| < L/2: Hz jumps by 2 across the winding
    AtRim,      // r = R, |z| = L/2: Hr grows without bound (logarithmically)
};

struct ExactFieldValue {
    double hz = 0;  // along the axis, n*I/2
    double hr = 0;  // away from the axis, n*I/2
    FieldPointKind kind = FieldPointKind::Regular;
};

// Hz and Hr at (z, r).
// - On the winding: Hz is the mean of its two sides, Hr (continuous there) its value.
// - At a rim: Hz is the limit of that mean along the winding, Hr = 0.
// - On the axis (r = 0): Hz as AxialField (in double), Hr = 0.
// - R = 0 or L = 0: no field off the axis; on it Hz as AxialField
//   (for R = 0 it is 2 inside the coil's length).
// - r < 0 is the mirror point: Hz(z, -r) = Hz(z, r), Hr(z, -r) = -Hr(z, r).
// - Infinite z or r: 0. NaN only where z or r is NaN.
ExactFieldValue ExactField(const CalcParams& p, double z, double r);

// |H| = sqrt(Hz^2 + Hr^2), n*I/2.
double FieldStrength(const ExactFieldValue& h);

// The flux function psi(z, r) = integral over 0..r of Hz(z, r') r' dr'
// (n*I/2 times m^2; the flux through the circle of radius r is 2 pi mu0 psi
// in SI units with n*I/2 for the unit of H). Its contours are the field lines:
// d(psi)/dr = r Hz, d(psi)/dz = -r Hr. Continuous everywhere, the winding and
// the rims included; even in r; 0 on the axis, for R = 0 and for L = 0.
// Accuracy as for the field. NaN only where z or r is NaN.
double FluxFunction(const CalcParams& p, double z, double r);

// The field and the flux function at one point, for the price of little more
// than the flux function alone.
struct FieldAndFlux {
    ExactFieldValue field;
    double psi = 0;
};
FieldAndFlux ExactFieldAndFlux(const CalcParams& p, double z, double r);
