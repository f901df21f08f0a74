#pragma once

#include <functional>
#include <stop_token>

#include "field/field_lines.h"

// How a calculation run may be steered from another thread: asked to stop
// before it is done, and followed as its field lines are drawn.
struct RunControl {
    // A stop request abandons the run at its next opportunity (field/run_stop.h).
    std::stop_token stop;
    // Hears, on the run's thread, how many of the traced field lines are done
    // of how many: before each line is drawn and after the last.
    std::function<void(int done, int total)> linesDone;
    // The traced field lines this run draws; the rest, when it draws a share,
    // are drawn elsewhere and joined to its picture.
    LineShare lines;
};
