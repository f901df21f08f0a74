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

// Traces the field lines and draws every step four times, mirrored about the
// axis and about the coil's mid-plane, as soon as it is computed. A stop
// request of the control ends it with RunStopped.
void TraceFieldLines(const CalcParams& p, DrawingSurface& surface, const RunControl& control = {});
