#pragma once

#include <QPointF>
#include <QString>

#include "app/run_record.h"

// The values under the cursor, as the picture's tool tip shows them, for the
// point of the picture at position (logical pixels from its inner corner)
// after the given run, with numbers in the user's locale; nothing (an empty
// text) outside the drawn picture. The rows are those of plot/point_readout.h,
// in SI units too when the run had the coil's turns and current, and on the
// axis graph the measured point under the cursor (plot/measured_point_readout.h).
QString PointReadout(const RunRecord& run, QPointF position);
