#pragma once

#include <vector>

#include "field/angular_sum_lanes.h"
#include "params/calc_params.h"

// The angular sum behind FieldSlope with its angles prepared once. The angle
// runs from 0 in single-precision steps of angleStep for as long as it does not
// exceed twoPi (both rounded to single precision first); it is accumulated by
// repeated single-precision addition, so the number of samples follows from the
// rounding: 500 with the program's constants. The angles and their cosines
// depend on nothing else, so a run computes them once and every slope reuses
// them; the slopes agree bit for bit with PlainFieldSlope.
class AngularSum {
public:
    // Far more samples than the program's 500; an angle step too small to reach
    // the end of the range within this many steps (zero, say) leaves the sum
    // without a value.
    static constexpr int kMaxSamples = 1 << 20;

    // sum: the instruction set to add the terms with; by default the fastest
    // this processor has (the tests and benchmarks choose one themselves).
    AngularSum(double angleStep, double twoPi, AngularSumFunction sum = FastestAngularSum());
    explicit AngularSum(const CalcParams& p, AngularSumFunction sum = FastestAngularSum())
        : AngularSum(p.angleStep, p.twoPi, sum)
    {
    }

    // Whether these are the angles of p.
    bool isFor(const CalcParams& p) const;

    // The slope dr/dz at (z, r) for a coil of radius R and length L, exactly as
    // PlainFieldSlope gives it; NaN when the angle step is unusable.
    float slope(double R, double L, double z, double r) const
    {
        return usable_ ? sum_(cosines_.data(), count_, R, L, z, r) : kNoSlope;
    }

    int sampleCount() const { return count_; }

private:
    static constexpr float kNoSlope = __builtin_nanf("");

    float step_;
    float end_;
    int count_ = 0;
    bool usable_ = true;
    std::vector<double> cosines_;  // cos(phi) as a double, padded with 1 to whole vector blocks
    AngularSumFunction sum_;
};
