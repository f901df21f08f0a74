#include <emmintrin.h>

#include "field/angular_sum_kernel.h"
#include "field/angular_sum_lanes.h"

namespace {

struct Sse2Lanes {
    using Vec = __m128d;
    static Vec sqrt(Vec x) { return _mm_sqrt_pd(x); }
};

}  // namespace

float SumAngularSamplesSse2(const double* cosines, int count, double R, double L, double z, double r)
{
    return SumAngularSamples<Sse2Lanes>(cosines, count, R, L, z, r);
}

AngularSumFunction FastestAngularSum()
{
    return __builtin_cpu_supports("avx") ? SumAngularSamplesAvx : SumAngularSamplesSse2;
}
