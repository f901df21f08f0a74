#pragma once

#include <QPointF>
#include <QString>

#include "app/run_record.h"

// The values under the cursor, as the picture's tool tip shows them, for the
// point of the picture at position (logical pixels from its inner corner)
// after the given run. Nothing (an empty text) outside the drawn picture.
//
// The position goes back to the run's world coordinates through the inverse
// of its picture mapping: X = scaleX (z - zMin), Y = scaleY (yMax - v); for
// field lines distances from the axis use the horizontal scale. The axis graph
// gives z and Hz(z) on the axis; the field lines give z, r, Hz, Hr, |H| of the
// exact field and the slope dr/dz of the field line twice: the program's
// 500-sample value beside the exact one, Hr/Hz. Below the axis is the mirror
// point. A position on the drawn winding reads as on the winding (r = R) or,
// on its end turns, at its rim; there, and where a slope is infinite or
// undefined, the text says so in words.
QString PointReadout(const RunRecord& run, QPointF position);
