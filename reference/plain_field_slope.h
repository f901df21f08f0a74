#pragma once

#include "params/calc_params.h"

// The reference for FieldSlope: the angular sum written out sample by sample,
// with a cosine taken at every angle. The program uses the fast FieldSlope,
// which must agree with this one bit for bit; the tests and the benchmarks
// compare the two.
float PlainFieldSlope(const CalcParams& p, double z, double r);
