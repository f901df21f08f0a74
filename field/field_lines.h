#pragma once

#include <cstddef>
#include <stop_token>

#include "field/line_stepping.h"
#include "params/calc_params.h"

// A share of a run's field lines: of the lines numbered 0, 1, ... from the
// outermost, those with number % count == index. The default is all of them.
// Lines of one colour can be traced in shares by separate workers and their
// pixels joined: the picture does not depend on the order they are drawn in.
struct LineShare {
    int index = 0;
    int count = 1;
};

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
// being traced. Only the lines of the share are followed. A line ends after
// LineStepping::kMostSteps steps at the latest; returns how many were cut so.
size_t FollowFieldLines(const CalcParams& p, FieldLineSink& sink, std::stop_token stop = {}, LineShare share = {});
