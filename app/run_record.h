#pragma once

#include <QString>

#include <optional>

#include "params/calc_params.h"
#include "plot/calculation_run.h"
#include "export/render_options.h"

// What the last calculation run drew, kept for reading values under the
// cursor, for describing the picture and for saving it.
struct RunRecord {
    CalcParams settings;     // the record as the controls set it before the run
    CalcParams drawn;        // the record as the run left it: its plot window and scales
    RunAdditions additions;  // as the View menu asked for them
    int width = 0;           // the picture's size, in its logical pixels
    int height = 0;
    std::optional<AxisComparison> comparison{};  // of the measured values, when the run compared them
};

// The export tool's options that make the same picture (or its table of
// numbers) in the given format.
RenderOptions RenderOptionsOf(const RunRecord& run, OutputFormat format);

// What the picture shows, in words, for a screen reader; "рисунок пуст"
// before the first run.
QString PictureDescription(const std::optional<RunRecord>& run);
