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

    friend bool operator==(const AxisFit&, const AxisFit&) = default;
};

// Why the points cannot fix z0 and k; nothing when they can. They must lie at
// three different z at least (the field is even about the middle, and two
// places leave the middle ambiguous), not all B may be 0, and their spread
// along the ruler must be a finite number of metres.
std::optional<Message> FitRefusal(std::span<const MeasuredPoint> points);

// What the fit found: z0 and k, or why it found none (fit then holds z0 = 0, k = 1).
struct AxisFitting {
    AxisFit fit;
    std::optional<Message> refusal;
};

// The factor beyond which the fit refuses: the fitted curve could not even be drawn.
inline constexpr double kLargestFitFactor = 1e30;

// The least-squares z0 and k: the sum of (B_i - k c Hz(z_i - z0))^2 is least.
// For a given z0 the best k is linear: with f_i = Hz(z_i - z0),
//   k = sum B f / (c sum f^2),  and what is left is  S = sum B^2 - (sum B f)^2 / sum f^2,
// so only z0 is searched, wherever it lies: the middle may stand far from
// every point. S is continuous in z0 and tends to a limit far away, where the
// field's shape over the points no longer changes. The points are taken in
// clusters (gaps wider than twice the margin M = L/2 + 2R + the farthest
// coil's offset from the centre part them; at most 64 clusters, the widest
// gaps kept). S is scanned densely over each cluster and M beyond it, in
// steps of a quarter of the smaller of R and L (64 to 2000 steps over all
// the clusters together); outside that in steps of an eighth of the
// distance to the nearest cluster (larger if there would be more than 4000
// of them), out to the middle of every gap and, beyond the outermost points,
// to twice the sum of the points' spread and M; from there, where the field
// over the points changes smoothly in 1 / distance, in 8 equal steps of
// 1 / distance, and last at 1e6 times that sum (at most 1e150 m). Then golden-section
// search around the least scanned S to 1e-10 of its step. Needs no starting
// values.
// Over 4096 points the scan takes every n-th (and the outermost two); the
// golden section takes every point.
// Refuses, with a short reason, when the coils' field is 0 everywhere
// (FieldVanishes), when S is least only at the farthest place scanned (the
// points tell nothing of where the coils stand: their field over the points
// would be the same as from infinitely far) or the points explain nothing of
// any place, and when |k| comes out beyond kLargestFitFactor.
// The points must pass FitRefusal, p must have L > 0 and c must be finite and
// not 0. A stop request ends it with RunStopped (field/run_stop.h). Hz is the
// field of the coils (field/arrangement_field.h), z0 the ruler's reading at
// their centre.
AxisFitting FitAxisField(const CalcParams& p, double teslaPerUnit, std::span<const MeasuredPoint> points,
                         const std::stop_token& stop = {}, const CoilArrangement& coils = SingleCoil());
