#pragma once

#include <stop_token>

#include "params/calc_params.h"
#include "plot/calculation_run.h"
#include "plot/run_control.h"
#include "surface/drawing_surface.h"

// Traces the field lines and draws them as TraceFieldLines does, with
// arrowheads along them (plot/line_arrows.h), and returns how many lines were
// cut. A stop request of the control ends it with RunStopped.
size_t TraceArrowedFieldLines(const CalcParams& p, DrawingSurface& surface, const RunControl& control = {});

// What a run of the field-line graph of the program's coil draws over the
// traced lines when asked: the exact lines (through the seeds, or on levels of
// equal flux, which take their place; with a white edge over the map) and
// their arrowheads. p holds the run's plot window and scales. A stop request
// is met between lines (RunStopped).
void DrawLineAdditions(const CalcParams& p, const RunAdditions& additions, DrawingSurface& surface,
                       const std::stop_token& stop = {});

// The field lines of an arrangement of coils other than the program's coil:
// its lines of equal flux (EqualFluxContours) in the graph's colour, with a
// white edge over the map, and their arrowheads when asked for. A stop
// request is met between lines (RunStopped).
void DrawArrangementLines(const CalcParams& p, const RunAdditions& additions, DrawingSurface& surface,
                          const std::stop_token& stop = {});
