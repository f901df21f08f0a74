#pragma once

#include <stop_token>
#include <vector>

#include "params/calc_params.h"

// A point of the meridian half-plane: z along the axis, r from it, metres.
struct MeridianPoint {
    double z = 0;
    double r = 0;
};

// The field line of the exact field (field/exact_field.h) through the seed
// (z0, r0), z0 >= 0, r0 > 0: the contour psi = psi(seed) of the flux function,
// followed from the seed in the direction of the field (towards larger z
// inside the coil) until it comes back to the mid-plane z = 0 or leaves the
// window z <= zMax, r <= rMax.
//
// The polyline starts with the seed. Consecutive vertices lie so close that
// the chord between them stays within a quarter of `pixel` (metres) of the
// true curve, judged from the turn of the field's direction over the chord;
// where the line crosses the winding the direction turns at once (Hz jumps),
// and the chords there are short. Every vertex lies within 1e-10 of |psi| of
// the level (Newton's method along the normal). The last vertex lies exactly
// on z = 0, z = zMax or r = rMax where the line crosses it; only if that
// crossing cannot be solved for is it the first vertex beyond instead.
//
// Always ends: at most 1,000,000 vertices (a line that would need more is cut
// there). The seed alone comes back for R = 0, L = 0, r0 <= 0 (the axis is a
// line of its own), z0 < 0, a seed outside the window, a zero field at the
// seed, and where no step of at least 1e-6 pixel can be made: a seed so close
// to the winding (about 1e-12 R) that the line turns through it within that
// distance.
// An empty polyline for non-finite arguments or pixel <= 0. Uses p.radius and
// p.length only.
std::vector<MeridianPoint> ExactFieldLine(const CalcParams& p, double z0, double r0, double zMax, double rMax,
                                          double pixel);

// The exact field lines through the seeds of the run's traced lines
// (FieldLineSeeds), outermost first, each followed as ExactFieldLine does
// within the run's plot window (z <= zMax, r <= yMax) to a quarter of one
// of its pixels (1 / scaleX metres). A stop request is met between lines
// (RunStopped, field/run_stop.h).
std::vector<std::vector<MeridianPoint>> ExactFieldLines(const CalcParams& p, const std::stop_token& stop = {});
