#pragma once

#include <QImage>
#include <QSize>

#include <functional>

#include "params/calc_params.h"
#include "plot/calculation_run.h"

// The time of day to the whole second, for timing a run.
ClockReading CurrentClockReading();

// A calculation run drawn off the screen by the rasteriser, as the exported
// PNG is drawn.
struct RunImage {
    RunOutcome outcome;
    QImage image;  // the finished picture when outcome.done
};

// Runs the calculation of p on a fresh white picture of `size` logical pixels
// drawn at the screen's pixel ratio (surface/pixel_ratio.h): the image has
// DevicePixels(size, ratio) pixels and that device pixel ratio, so that it is
// shown at its logical size, sharp. The record's scales are left per logical
// pixel, as the picture is shown and read under the cursor; at ratio 1 they
// are the run's own. A refused run does not touch p; `starting` is called just
// before a run that is not refused begins. Safe on any thread.
RunImage DrawRunImage(CalcParams& p, QSize size, double pixelRatio, RunAdditions additions,
                      const std::function<ClockReading()>& readClock, const RunControl& control = {},
                      const std::function<void()>& starting = {});
