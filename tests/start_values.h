#pragma once

#include "params/calc_params.h"
#include "plot/axes.h"
#include "plot/calculation_run.h"
#include "plot/plot_window.h"
#include "test_surfaces.h"

// The start values with another coil, region and line count.
inline CalcParams RunValues(int16_t graphMode, double radius, double length, double halfRange, double lineCount)
{
    CalcParams p = StartValues(graphMode);
    p.radius = radius;
    p.length = length;
    p.halfRange = halfRange;
    p.lineCount = lineCount;
    return p;
}

// The record as a run on a picture of the given size leaves it before it
// draws the graph: plot window and scales set.
inline CalcParams Windowed(CalcParams p, int width = 651, int height = 320)
{
    RecordingSurface picture(width, height);
    SetPlotWindow(p, picture);
    DrawAxes(p, picture);
    return p;
}

// A clock that stands still.
inline ClockReading StoppedClock() { return {}; }
