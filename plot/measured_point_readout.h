#pragma once

#include <optional>
#include <string>

#include "measure/axis_comparison.h"
#include "measure/measurement_set.h"
#include "params/calc_params.h"
#include "plot/calculation_run.h"
#include "plot/point_readout.h"

// The measured point drawn nearest to the pixel (x, y) of the axis graph a run
// left with the record `drawn` (its plot window and scales), if its dot lies
// within a few pixels: a row "\nизмерено: B = … мТл при z = … м, расчет … мТл",
// z in the coil's frame (z - z0), the calculation k B(z) there; nothing (an
// empty text) when no dot is that near, or the comparison was refused.
std::string MeasuredPointReadout(const CalcParams& drawn, double x, double y, const AxisComparison& c,
                                 const MeasurementSet& set, const ReadoutNumbers& numbers);

// The values under the cursor after a run, as PointReadout gives them for the
// record `drawn`, the picture's size and the run's additions, followed on the
// axis graph by the measured point under the cursor (MeasuredPointReadout)
// when the run compared measured values: `comparison` is the run's own, its
// fit included, so reading a point costs no comparison and no fit. Nothing
// (an empty text) outside the picture.
std::string RunPointReadout(const CalcParams& drawn, int width, int height, double x, double y,
                            const ReadoutNumbers& numbers, const RunAdditions& additions,
                            const std::optional<AxisComparison>& comparison);
