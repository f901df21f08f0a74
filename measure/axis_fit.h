#pragma once

#include <optional>
#include <span>
#include <stop_token>
#include <string>

#include "measure/measurement_set.h"
#include "params/calc_params.h"
#include "params/coil_arrangement.h"

// Where the coil stood on the ruler and how strong it was, as measured values
// tell: B_i ~ k * c * Hz(z_i - z0), with Hz the exact field on the axis of the
// coil p.radius, p.length (in n*I/2, double), c the tesla per n*I/2 that the
// turns and current give (mu0 N/L I/2), z0 the ruler's reading at the coil's
// middle and k the factor by which the coil is stronger than its turns and
// current say.
struct AxisFit {
    double z0 = 0;  // m
    double k = 1;
};

// Why the points cannot fix z0 and k; nothing when they can. They must lie at
// three different z at least (the field is even about the middle, and two
// places leave the middle ambiguous), not all B may be 0, and their spread
// along the ruler must be a finite number of metres.
std::optional<std::string> FitRefusal(std::span<const MeasuredPoint> points);

// The least-squares z0 and k: the sum of (B_i - k c Hz(z_i - z0))^2 is least.
// For a given z0 the best k is linear: with f_i = Hz(z_i - z0),
//   k = sum B f / (c sum f^2),  and what is left is  S = sum B^2 - (sum B f)^2 / sum f^2,
// so only z0 is searched: a scan of S over the points' spread and L/2 + 2R
// beyond it on each side (where the field has fallen to a tenth), in steps of
// a quarter of the smaller of R and L, then golden-section search around the
// least scanned S to 1e-10 of a step. Needs no starting values. Over 4096
// points the scan takes every n-th. The points must pass FitRefusal, p must
// have L > 0 and c must be finite and not 0. A stop request ends it with
// RunStopped (field/run_stop.h). Hz is the field of the coils
// (field/arrangement_field.h), z0 the ruler's reading at their centre.
AxisFit FitAxisField(const CalcParams& p, double teslaPerUnit, std::span<const MeasuredPoint> points,
                     const std::stop_token& stop = {}, const CoilArrangement& coils = SingleCoil());
