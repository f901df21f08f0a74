#pragma once

#include "field/exact_field.h"
#include "params/calc_params.h"
#include "params/coil_arrangement.h"

// The field of an arrangement of coaxial coils (params/coil_arrangement.h),
// each of radius p.radius and length p.length: the sum of the coils' own
// fields, each coil's taken at z - offset and times its current. Units and
// conventions as for the single coil (field/exact_field.h, axial_field.h).
//
// For the program's coil alone every value is that of the single coil's
// function bit for bit. Each term has the single coil's accuracy, relative
// to that coil's own |H| at the point; where the coils' fields cancel (the
// centre of an opposed pair) the error of the sum is a few 1e-15 of the
// larger term, not of the sum. Offsets must be finite; no coils, no field.

// Hz and Hr at (z, r). kind: that of the first coil on whose winding or rim
// the point lies; there Hz is the mean of both sides (the other coils are
// continuous there), and at a rim Hr is the other coils' alone.
ExactFieldValue ExactField(const CalcParams& p, const CoilArrangement& coils, double z, double r);

// The flux function: the sum of the coils' flux functions, times their currents.
double FluxFunction(const CalcParams& p, const CoilArrangement& coils, double z, double r);

FieldAndFlux ExactFieldAndFlux(const CalcParams& p, const CoilArrangement& coils, double z, double r);

// The field on the axis, n*I/2: the coils' closed forms a/sqrt(R^2 + a^2) -
// b/sqrt(R^2 + b^2) summed in double, rounded to single precision once.
float AxialField(const CalcParams& p, const CoilArrangement& coils, double z);
