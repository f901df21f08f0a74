// FieldSlope per call at a few typical points, the plain sample-by-sample sum
// against the program's, and the program's with each instruction set.
#include <benchmark/benchmark.h>

#include "bench/per_point.h"
#include "field/angular_sum.h"
#include "field/field_slope.h"
#include "reference/plain_field_slope.h"
#include "params/calc_params.h"

namespace {

void FieldSlopePlain(benchmark::State& state, double z, double r)
{
    MeasurePerPoint(state, z, r, [](const CalcParams& p, double z, double r) { return PlainFieldSlope(p, z, r); });
}

void FieldSlopeFast(benchmark::State& state, double z, double r)
{
    MeasurePerPoint(state, z, r, [](const CalcParams& p, double z, double r) { return FieldSlope(p, z, r); });
}

void fieldSlopeWith(benchmark::State& state, AngularSumFunction sum, double z, double r)
{
    const AngularSum angles(StartValues(kFieldLinesGraph), sum);
    MeasurePerPoint(state, z, r, [&](const CalcParams& p, double z, double r) { return angles.slope(p.radius, p.length, z, r); });
}

void FieldSlopeSse2(benchmark::State& state, double z, double r) { fieldSlopeWith(state, SumAngularSamplesSse2, z, r); }

void FieldSlopeAvx(benchmark::State& state, double z, double r)
{
    if (!__builtin_cpu_supports("avx")) {
        state.SkipWithError("this processor has no AVX");
        return;
    }
    fieldSlopeWith(state, SumAngularSamplesAvx, z, r);
}

}  // namespace

// inside the coil, near the winding (0.1 mm inside it), far outside
BENCHMARK_CAPTURE(FieldSlopePlain, inside, 0.25, 0.1);
BENCHMARK_CAPTURE(FieldSlopePlain, near_winding, 0.3, 0.1999);
BENCHMARK_CAPTURE(FieldSlopePlain, far_outside, 5.0, 3.0);
BENCHMARK_CAPTURE(FieldSlopeFast, inside, 0.25, 0.1);
BENCHMARK_CAPTURE(FieldSlopeFast, near_winding, 0.3, 0.1999);
BENCHMARK_CAPTURE(FieldSlopeFast, far_outside, 5.0, 3.0);
BENCHMARK_CAPTURE(FieldSlopeSse2, inside, 0.25, 0.1);
BENCHMARK_CAPTURE(FieldSlopeAvx, inside, 0.25, 0.1);
