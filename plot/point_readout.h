#pragma once

#include <functional>
#include <string>

#include "params/calc_params.h"

// How a front end writes the numbers of the readout: in its user's locale,
// say. coordinate: a position in metres, three decimals; value: a field value
// or a slope, four significant digits.
struct ReadoutNumbers {
    std::function<std::string(double)> coordinate;
    std::function<std::string(double)> value;
};

// The numbers with a point or a comma as the decimal separator, as printf's
// "%.3f" and "%.4g" write them.
ReadoutNumbers PlainReadoutNumbers(char decimalSeparator = '.');

// The values under the cursor, rows separated by '\n', for the point (x, y)
// of a picture width x height pixels (from its top-left corner) that a run
// left with the record `drawn` (its plot window and scales). Nothing (an empty
// text) outside the picture.
//
// The position goes back to the run's world coordinates through the inverse
// of its picture mapping: X = scaleX (z - zMin), Y = scaleY (yMax - v); for
// field lines distances from the axis use the horizontal scale. The axis graph
// gives z and Hz(z) on the axis; the field lines give z, r, Hz, Hr, |H| of the
// exact field and the slope dr/dz of the field line twice: the program's
// 500-sample value beside the exact one, Hr/Hz. Below the axis is the mirror
// point. A position on the drawn winding reads as on the winding (r = R) or,
// on its end turns, at its rim; there, and where a slope is infinite or
// undefined, the text says so in words.
std::string PointReadout(const CalcParams& drawn, int width, int height, double x, double y,
                         const ReadoutNumbers& numbers);
