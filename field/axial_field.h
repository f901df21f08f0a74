#pragma once

#include "params/calc_params.h"

// The field of the solenoid on its axis at z (m from the coil's centre), in
// units of n*I/2: it tends to 2 at the centre of a long coil.
float AxialField(const CalcParams& p, double z);

// The same in double, before it is rounded to single precision.
double AxialFieldUnrounded(const CalcParams& p, double z);
