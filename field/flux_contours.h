#pragma once

#include <stop_token>
#include <vector>

#include "field/exact_field_line.h"
#include "field/level_follower.h"
#include "params/calc_params.h"
#include "params/coil_arrangement.h"

// Contours of an arrangement's flux function (field/arrangement_field.h): its
// field lines. A level may be several pieces: around each coil, around all of
// them; a window may cut one into several.

// For each level in turn, every piece of the contour psi = level within the
// window (zLow <= z <= zHigh, r <= rHigh), once: a closed piece as a polyline
// that ends where it starts, an open one from the edge where it enters the
// window to the edge where it leaves it; both run along the field. Vertices
// and chords as ExactFieldLine's: on the level to 1e-10 of it, chords within
// a quarter of `pixel` (metres) of the curve; at most 100,000 vertices each
// way from where a piece was found.
//
// The pieces are found on a grid of psi over the window, of cells of about
// four pixels, with its rows and columns also through the windings (r = R)
// and the middles and ends of the coils: a piece that crosses none of its
// lines (a loop within one cell, away from every winding) is not found.
// Every grid edge the level crosses starts a piece unless a piece found
// already passes through it (within half a pixel).
//
// Nothing for a level of 0, a window of no size, pixel <= 0 or non-finite
// arguments. A stop request is met between pieces (RunStopped, field/run_stop.h).
std::vector<std::vector<MeridianPoint>> FluxContours(const CalcParams& p, const CoilArrangement& coils,
                                                     const std::vector<double>& levels, const LevelWindow& window,
                                                     double pixel, const std::stop_token& stop = {});

// The lines of equal flux of an arrangement in the run's plot window, to a
// quarter of one of its pixels (1 / scaleX): the contours of
// EqualFluxLevels(p, coils) in their order (field/equal_flux_lines.h). For a
// mirror-symmetric arrangement (MirrorParity) in the quarter z >= 0, r >= 0,
// whose mirror images give the rest; otherwise in the half-plane r >= 0
// (z from zMin to zMax).
std::vector<std::vector<MeridianPoint>> EqualFluxContours(const CalcParams& p, const CoilArrangement& coils,
                                                          const std::stop_token& stop = {});
