#pragma once

#include <string>

#include "measure/axis_comparison.h"
#include "measure/measurement_set.h"
#include "params/calc_params.h"
#include "plot/point_readout.h"

// The measured point drawn nearest to the pixel (x, y) of the axis graph a run
// left with the record `drawn` (its plot window and scales), if its dot lies
// within a few pixels: a row "\nизмерено: B = … мТл при z = … м, расчет … мТл",
// z in the coil's frame (z - z0), the calculation k B(z) there; nothing (an
// empty text) when no dot is that near, or the comparison was refused.
std::string MeasuredPointReadout(const CalcParams& drawn, double x, double y, const AxisComparison& c,
                                 const MeasurementSet& set, const ReadoutNumbers& numbers);
