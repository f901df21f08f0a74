#pragma once

#include <functional>
#include <optional>
#include <string>

#include "params/calc_params.h"
#include "plot/calculation_run.h"
#include "texts/language.h"

// How a front end writes the readout: the numbers in its user's locale, say,
// and the words in its user's language. coordinate: a position in metres,
// three decimals; value: a field value or a slope, four significant digits.
struct ReadoutNumbers {
    std::function<std::string(double)> coordinate;
    std::function<std::string(double)> value;
    Language language{};
};

// The numbers with a point or a comma as the decimal separator, as printf's
// "%.3f" and "%.4g" write them; in another language than Russian with its own
// decimal point.
ReadoutNumbers PlainReadoutNumbers(char decimalSeparator = '.', const Language& language = {});

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
// undefined, the text says so in words. With the coil's turns and current the
// field follows in SI units too: H in A/m (n*I/2 * value) and B in mT
// (mu0 * n*I/2 * value), written as values.
//
// The run's additions give the coils: their field, every coil's winding, and
// for an arrangement other than the program's coil only the exact slope (the
// 500-sample one belongs to the program's coil). With a uniform region a row
// gives its length on the axis and its radius in the middle plane (searched
// up to the half-size of the region), or says that there is none; a field
// that vanishes everywhere says so.
std::string PointReadout(const CalcParams& drawn, int width, int height, double x, double y,
                         const ReadoutNumbers& numbers, const RunAdditions& additions = {});
