// Compiled with -mavx (see CMakeLists.txt) and called only when the processor
// has AVX. It includes nothing but the kernel and the intrinsics, so that no
// shared inline function is ever emitted here with AVX instructions in it.
#include <immintrin.h>

#include "field/angular_sum_kernel.h"
#include "field/angular_sum_lanes.h"

namespace {

struct AvxLanes {
    using Vec = __m256d;
    static Vec sqrt(Vec x) { return _mm256_sqrt_pd(x); }
};

}  // namespace

float SumAngularSamplesAvx(const double* cosines, int count, double R, double L, double z, double r)
{
    return SumAngularSamples<AvxLanes>(cosines, count, R, L, z, r);
}
