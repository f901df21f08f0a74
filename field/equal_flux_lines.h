#pragma once

#include <stop_token>
#include <vector>

#include "field/exact_field_line.h"
#include "params/calc_params.h"
#include "params/coil_arrangement.h"

// Field lines of equal flux: N lines of the exact field (field/exact_field.h)
// that cut the coil's middle section z = 0, r < R into N rings carrying equal
// shares of its flux psi(0, R), each line running through the middle of its
// tube. Line k (k = 1 ... N) is the contour psi = (k - 1/2) / N * psi(0, R);
// the density of such lines is the strength of the field. N is the number of
// traced lines the run seeds (the line count, rounded down; none below 1).

// The levels psi_k, k = N down to 1: outermost first, as the traced lines
// are seeded. In n*I/2 times m^2, as FluxFunction. None for R = 0 or L = 0.
std::vector<double> EqualFluxLevels(const CalcParams& p);

// The levels of an arrangement (params/coil_arrangement.h): line k on
// psi = (k - 1/2) / N * psi(offset, R), the flux through the middle section of
// its first coil, k = N down to 1; where coils carry currents of both signs,
// each level followed by its negative (2N levels). None without coils.
std::vector<double> EqualFluxLevels(const CalcParams& p, const CoilArrangement& coils);

// Where the level crosses the middle section: the r in (0, R) with
// psi(0, r) = level, found by bisection (psi(0, r) grows with r up to R, as
// Hz > 0 there), to the last bit the bisection can settle. NaN for a level
// outside (0, psi(0, R)).
double MidPlaneRadiusOfFlux(const CalcParams& p, double level);

// The lines, outermost first, each followed by ExactFieldLine from its
// crossing of the middle section (z = 0) within the run's plot window
// (z <= zMax, r <= yMax) to a quarter of one of its pixels (1 / scaleX m).
// A stop request is met between lines (RunStopped, field/run_stop.h).
std::vector<std::vector<MeridianPoint>> EqualFluxLines(const CalcParams& p, const std::stop_token& stop = {});
