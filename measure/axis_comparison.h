#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <stop_token>
#include <string>

#include "measure/axis_fit.h"
#include "measure/measurement_set.h"
#include "params/calc_params.h"
#include "params/coil_arrangement.h"
#include "params/coil_current.h"
#include "texts/message.h"

// Measured values on the axis against the coil's calculated field
// B(z) = mu0 N/L I/2 Hz(z), Hz the exact field on the axis in n*I/2 (in
// double: the axis graph's curve is the same to single precision). Without
// the fit the ruler's zero is taken for the coil's middle; with it the points
// move into the coil's frame, z - z0, and the calculation is multiplied by k.
struct AxisComparison {
    Message refusal;           // why nothing can be compared (a coil without length has no field); then nothing below holds
    double teslaPerUnit = 0;   // c = mu0 N/L I/2: B in tesla for one n*I/2 (negative for a negative current)
    AxisFit fit;               // z0 = 0 and k = 1 unless fitted
    bool fitted = false;
    Message fitRefusal;        // the fit was asked for but the points do not fix it (FitRefusal) or the fit
                               // refused (FitAxisField: no field, no place, |k| beyond 1e30): compared unfitted
    std::size_t pointCount = 0;
    double rms = 0;            // root mean square of B - B_theory over the points, T
    CoilArrangement coils;     // whose field Hz is: the program's coil, or a pair
};

// Why measured values cannot be compared with the coil p.radius, p.length
// carrying the turns and current (a coil without length has no field);
// nothing when they can.
std::optional<Message> ComparisonRefusal(const CalcParams& p, const CoilCurrent& coil);

// Compares the set with the coil p.radius, p.length carrying the turns and
// current, fitted when asked (measure/axis_fit.h). A stop request ends it with
// RunStopped. The field is that of the coils (each carrying the turns and
// current), their centre the coil's middle. A fit of the same values, coil
// and coils found before (a comparison's fit) may be given: it is taken as
// it is, not searched again.
AxisComparison CompareMeasurements(const CalcParams& p, const CoilCurrent& coil, const MeasurementSet& set, bool fit,
                                   const std::stop_token& stop = {}, const CoilArrangement& coils = SingleCoil(),
                                   const std::optional<AxisFit>& found = std::nullopt);

// One row of the comparison's table: z in the coil's frame (m), B measured,
// B_theory = k c Hz(z) there and the residual B - B_theory (T).
struct ComparedPoint {
    double z = 0;
    double b = 0;
    double theory = 0;
    double residual = 0;
};
ComparedPoint ComparedAt(const CalcParams& p, const AxisComparison& c, const MeasuredPoint& m);

// The comparison in one line, numbers with the given decimal separator:
// "25 точек: СКО = 0,123 мТл", fitted "25 точек: z0 = 1,23 см, k = 0,987,
// СКО = 0,0452 мТл", and the reason when the fit or the comparison cannot be made.
Message ComparisonSummary(const AxisComparison& c, char decimalSeparator);
