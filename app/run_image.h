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

// Runs the calculation of p on a fresh white picture of `size` pixels. A
// refused run does not touch p; `starting` is called just before a run that
// is not refused begins. Safe on any thread.
RunImage DrawRunImage(CalcParams& p, QSize size, RunAdditions additions, const std::function<ClockReading()>& readClock,
                      const RunControl& control = {}, const std::function<void()>& starting = {});
