#pragma once

#include <vector>

#include "field/angular_sum.h"
#include "field/field_lines.h"
#include "field/line_stepping.h"
#include "params/calc_params.h"

// The seeds of a run's field lines, outermost first: z = L/500 and
// r = i R/(lineCount + 1) for i = lineCount, lineCount - 1, ... while i >= 1.
// A coil of zero radius or length has none.
class FieldLineSeeds {
public:
    explicit FieldLineSeeds(const CalcParams& p);

    // The next seed; false when every line has been seeded.
    bool next(double& z0, double& r0);

private:
    double i_ = 0;   // the counter of the line to come
    double dr_ = 0;  // spacing of the seeds across the radius
    double z0_;  // z of every seed
};

// One traced field line: its seed and where each step ends, in order. A step
// starts where the one before it ended (r in single precision), the first one
// at the seed, so the ends alone, 16 bytes a step, give every step back.
class TracedLine {
public:
    void start(double z0, double r0);
    void addStepTo(double z, double r) { ends_.push_back({z, r}); }

    // Hands the line to the sink: its seed, then every step.
    void handTo(FieldLineSink& sink) const;

private:
    struct End {
        double z;
        double r;
    };

    double z0_ = 0;
    double r0_ = 0;
    std::vector<End> ends_;  // reused from line to line: cleared, never shrunk
};

// Follows single field lines of one run by Euler steps. Whatever a run's lines
// share (the coil, the step, the window, the prepared angles) is set up once;
// trace() may be called from several threads at once.
class FieldLineTracer {
public:
    explicit FieldLineTracer(const CalcParams& p);

    // Follows the line from (z0, r0) until it comes back to the mid-plane or
    // leaves the plot window, into line (its old steps are dropped).
    void trace(double z0, double r0, TracedLine& line) const;

private:
    LineStepping stepping_;
    AngularSum slope_;
};
