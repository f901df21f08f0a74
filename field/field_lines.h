#pragma once

#include <stop_token>

#include "field/line_stepping.h"
#include "params/calc_params.h"

// Receives the steps of the traced lines in the order they are computed.
class FieldLineSink {
public:
    virtual ~FieldLineSink() = default;
    // A new line starts at its seed.
    virtual void beginLine(double z, double r) = 0;
    virtual void step(const FieldLineStep& s) = 0;
};

// Seeds the field lines inside the coil and follows each one by Euler steps
// until it comes back to the mid-plane or leaves the plot window, handing
// every step to the sink as soon as it is computed. A stop request ends it
// with RunStopped (field/run_stop.h) within a block of steps of every line
// being traced.
void FollowFieldLines(const CalcParams& p, FieldLineSink& sink, std::stop_token stop = {});
