// The angular sum of the off-axis field for WebAssembly, in place of the x86
// instruction-set files: two doubles at a time in 128-bit SIMD. Division and
// square root of f64x2 round like their scalar forms, so the slopes are the
// same to the bit as on the desktop.
#include <wasm_simd128.h>

#include "field/angular_sum_kernel.h"
#include "field/angular_sum_lanes.h"

namespace {

struct Simd128Lanes {
    using Vec = double __attribute__((vector_size(16)));
    static Vec sqrt(Vec x) { return reinterpret_cast<Vec>(wasm_f64x2_sqrt(reinterpret_cast<v128_t>(x))); }
};

}  // namespace

float SumAngularSamplesSse2(const double* cosines, int count, double R, double L, double z, double r)
{
    return SumAngularSamples<Simd128Lanes>(cosines, count, R, L, z, r);
}

// There are no four-wide vectors here: the two-wide sum stands in.
float SumAngularSamplesAvx(const double* cosines, int count, double R, double L, double z, double r)
{
    return SumAngularSamplesSse2(cosines, count, R, L, z, r);
}

AngularSumFunction FastestAngularSum() { return SumAngularSamplesSse2; }
