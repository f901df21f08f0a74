#pragma once

#include <cstdint>

#include "params/calc_params.h"
#include "surface/drawing_surface.h"

// One calculation run: the parameters the user sets and the picture's size.
struct RunCase {
    int16_t graphMode;
    double radius;
    double length;
    double halfRange;
    double lineCount;
    int width;
    int height;
};

// (a) the start values on the window's picture
inline constexpr RunCase kDefaultLines{kFieldLinesGraph, 0.2, 1, 2, 7, 651, 320};
// (b) as (a) with 100 lines
inline constexpr RunCase kHundredLines{kFieldLinesGraph, 0.2, 1, 2, 100, 651, 320};
// (c) a short coil on a wide region, on a full-screen picture
inline constexpr RunCase kShortCoil{kFieldLinesGraph, 0.1, 0.1, 10, 7, 1912, 1000};
// (d) the heaviest run the program accepts: (c) with the most lines
inline constexpr RunCase kShortCoilMostLines{kFieldLinesGraph, 0.1, 0.1, 10, 200, 1912, 1000};
// (e) a coil a ten-thousandth of the region's size with the most lines, whose
// lines are followed with steps along the line outside the coil
// (field/line_stepping.h)
inline constexpr RunCase kThinCoilMostLines{kFieldLinesGraph, 10, 0.001, 10, 200, 651, 320};
// the field on the axis with the start values
inline constexpr RunCase kAxisCurve{kAxisGraph, 0.2, 1, 2, 7, 651, 320};

// The start values with the case's parameters.
CalcParams ParamsOf(const RunCase& c);

// The calculation run as the program makes it.
void RunFast(const RunCase& c, DrawingSurface& surface);
// The same run with the plain field slope and tracer.
void RunPlain(const RunCase& c, DrawingSurface& surface);

// How many times a field-line run evaluates FieldSlope: once per step, and
// once more for the point where each line ends.
int64_t FieldSlopeCalls(const RunCase& c);
