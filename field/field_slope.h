#pragma once

#include "params/calc_params.h"

// The slope dr/dz = Hr/Hz of the field line through the point (z, r) of a
// meridian half-plane, from the Biot-Savart law for the coil's surface
// current: integrated in closed form along the coil and by a sum over equally
// spaced angles around it.
float FieldSlope(const CalcParams& p, double z, double r);
