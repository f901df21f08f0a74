#pragma once

#include <optional>

#include "export/render_options.h"
#include "export/table_writer.h"
#include "measure/axis_comparison.h"
#include "measure/measurement_set.h"
#include "params/calc_params.h"
#include "params/coil_arrangement.h"
#include "params/coil_current.h"

// The numbers behind a run's picture as CSV text, written to the table writer
// as they are computed (the writer is not flushed): a header row, then one row
// per point, lines ended by a line feed, the point as decimal separator.
// Double values have 17 significant digits and single-precision values 9, so
// that every value reads back exactly. The record must hold the plot window
// of the run (SetPlotWindow).

// "z,Hz": the pointCount + 1 points of the axis curve of the coils.
void WriteAxisCurveTable(const CalcParams& p, TableWriter& table, const CoilArrangement& coils = SingleCoil());

// "line,step,z,r": the field lines numbered from 1 in the order traced; step 0
// is the seed, then comes the end of every drawn step, with z and r as
// computed, before r is stored in single precision.
void WriteFieldLinesTable(const CalcParams& p, TableWriter& table);

// "line,point,z,r": the exact field lines through the seeds of the traced
// ones, numbered alike; point 0 is the seed. With equal flux, the lines of
// equal flux instead (field/equal_flux_lines.h), numbered 1 to N from the
// outermost; point 0 is where each crosses the mid-plane. The record must
// also hold the picture's scales, which set how densely the lines are drawn.
// For an arrangement other than the program's coil, with or without equal
// flux, its lines of equal flux (field/flux_contours.h), numbered from 1 in
// the order of their levels, each level's pieces in turn; point 0 is where a
// piece starts (a closed one ends there again).
void WriteExactLinesTable(const CalcParams& p, TableWriter& table, bool equalFlux = false,
                          const CoilArrangement& coils = SingleCoil());

// "z,r,Hz,Hr,H,Psi": the exact field and the flux function at the centres of
// a grid of width x height cells over z from zMin to zMax and r from 0 to
// yMax, row by row from r near 0, z growing along a row. With the coil's
// turns and current, "z,r,Hz,Hr,H,Psi,Bz,Br,B": the flux density as well, in
// tesla (B = mu0 * N/L * I/2 times the field in n*I/2; |B| for B). The field
// and the flux function are those of the coils.
void WriteFieldTable(const CalcParams& p, int width, int height, TableWriter& table,
                     const std::optional<CoilCurrent>& coil = std::nullopt,
                     const CoilArrangement& coils = SingleCoil());

// "z,B,B_theory,residual": the measured values compared with the coil's field
// on its axis, one row per point in the set's order, in metres and tesla: z in
// the coil's frame (minus z0 when fitted), B as measured, B_theory the
// calculated value there (times k when fitted), residual = B - B_theory
// (measure/axis_comparison.h).
void WriteComparisonTable(const CalcParams& p, const AxisComparison& c, const MeasurementSet& set, TableWriter& table);

// The table of numbers the options ask for, as the CSV file's text, written
// to the table writer as it is computed (and flushed at the end); a writer
// whose output refuses a piece ends it with RunStopped. The run must be one
// that RunRefusal accepts. The axis graph with measured values and
// the coil's turns and current gives their comparison's table, unless the
// comparison is refused (then, as the picture, the curve's). The field-line
// graph of an arrangement other than the program's coil gives its exact-lines
// table.
void WriteTable(RenderOptions o, TableWriter& table);

// The same table whole, as the CSV file's contents.
std::string TableContents(const RenderOptions& o);
