#pragma once

#include <QString>

#include <optional>

#include "app/run_record.h"
#include "measure/measurement_set.h"

// What the line under the picture says while measured values are open or
// being read.
struct MeasurementState {
    QString loadingName;                       // the file being read; empty when none is
    const MeasurementSet* measured = nullptr;  // the values open, if any
    bool coilSet = false;                      // the coil's turns and current are given
    bool axisGraph = false;                    // the axis graph is chosen
    bool fitChosen = false;                    // «Подогнать» is on
};

// The line's text: the file being read, or the number of points and what is
// still wanted for a comparison, or the last run's comparison (its fit and
// deviation, decimal separator of the locale) when that run compared these
// values.
QString MeasurementStatusText(const MeasurementState& state, const std::optional<RunRecord>& lastRun);

// The file and its units, for the line's tool tip; empty without values.
QString MeasurementFileText(const MeasurementSet* measured);
