#pragma once

#include "field/field_lines.h"
#include "params/calc_params.h"
#include "plot/run_control.h"
#include "surface/drawing_surface.h"

// Draws each step of the traced lines in the four quadrants of the meridian
// plane, mirrored about the axis and about the coil's mid-plane.
class MirroredDrawing final : public FieldLineSink {
public:
    // p holds the run's window and scales; both must outlive the drawing.
    MirroredDrawing(const CalcParams& p, DrawingSurface& surface) : p_(p), surface_(surface) {}

    void beginLine(double, double) override {}
    void step(const FieldLineStep& s) override;

private:
    const CalcParams& p_;
    DrawingSurface& surface_;
};

// Follows the run's field lines into the sink, telling the control how many
// are done, and returns how many were cut after LineStepping::kMostSteps
// steps; a stop request of the control ends it with RunStopped.
size_t FollowFieldLines(const CalcParams& p, FieldLineSink& sink, const RunControl& control);

// Traces the field lines and draws every step four times, mirrored about the
// axis and about the coil's mid-plane, as soon as it is computed; returns how
// many lines were cut. A stop request of the control ends it with RunStopped.
size_t TraceFieldLines(const CalcParams& p, DrawingSurface& surface, const RunControl& control = {});
