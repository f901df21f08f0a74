#pragma once

#include <utility>
#include <vector>

#include "field/exact_field_line.h"
#include "field/field_strength_map.h"
#include "params/calc_params.h"
#include "params/coil_arrangement.h"

// The uniform region of an arrangement of coils (field/arrangement_field.h):
// around the centre z = 0, r = 0, where the field strength |H| differs from
// its value there, H0, by less than a share of it (P % / 100):
// | |H| / H0 - 1 | < share. It has none where H0 = 0 (an opposed pair).

// |H| at the centre, n*I/2.
double CentreStrength(const CalcParams& p, const CoilArrangement& coils);

// How far the region reaches from the centre along one way, metres: to where
// it ends, or, if it goes on beyond the limit of the search, to the limit.
struct UniformReach {
    double distance = 0;
    bool beyond = false;  // it goes on past the limit
};

struct UniformExtent {
    bool exists = false;  // false: H0 is 0 (or not finite), and so no region
    UniformReach back;    // along the axis towards -z
    UniformReach ahead;   // along the axis towards +z
    UniformReach across;  // in the middle plane z = 0, away from the axis
};

// The region's reach along the axis and across the middle plane, each
// searched up to `limit` metres from the centre in steps of limit / 2000 and
// settled by bisection to 1e-12 of the limit: the first place out of it
// (where the region is thinner than a step, it may be passed over). Where the
// field jumps (on a winding) the place of the jump.
UniformExtent UniformRegionExtent(const CalcParams& p, const CoilArrangement& coils, double share, double limit);

// The outline of the region as segments of the picture whose grid of |H| is
// given (FieldStrengthValues for the run's window and scales in p), in world
// coordinates (r < 0 below the axis): the boundary of the 4-connected set of
// grid pixels within the share that holds the pixels next to the centre,
// each crossing of a pixel-to-pixel edge placed on the region's boundary by
// bisection to 1/256 of the edge. None where there is no region or no such
// pixel (a region smaller than a pixel).
std::vector<std::pair<MeridianPoint, MeridianPoint>> UniformRegionOutline(const CalcParams& p,
                                                                        const CoilArrangement& coils, double share,
                                                                        const FieldStrengthGrid& grid);
