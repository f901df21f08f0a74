#pragma once

#include <QSize>

#include <optional>

#include "lesson/lesson_texts.h"
#include "params/calc_params.h"

// What the last calculation run drew, kept for reading values under the
// cursor, for describing the picture and for saving it.
struct RunRecord {
    ShownRun shown;     // the lesson as it was run, the comparison and the picture's notes
    CalcParams drawn;   // the record as the run left it: its plot window and scales per logical pixel
    int width = 0;      // the picture's size, in its logical pixels
    int height = 0;
    double pixelRatio = 1;  // of the screen it was drawn for (surface/pixel_ratio.h)
};

// The record of a finished run of the lesson, with the notes its picture bears.
RunRecord RecordOfRun(Lesson lesson, const CalcParams& drawn, QSize size, double pixelRatio,
                      std::optional<AxisComparison> comparison);
