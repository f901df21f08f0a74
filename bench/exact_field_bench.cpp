// The exact field: H and the flux function per point, the field-strength
// picture and the exact field lines of the start values.
#include <benchmark/benchmark.h>

#include "field/exact_field.h"
#include "field/exact_field_line.h"
#include "plot/field_map_drawing.h"
#include "bench/per_point.h"
#include "params/calc_params.h"

namespace {

void ExactH(benchmark::State& state, double z, double r)
{
    MeasurePerPoint(state, z, r, [](const CalcParams& p, double z, double r) { return ExactField(p, z, r); });
}

void ExactPsi(benchmark::State& state, double z, double r)
{
    MeasurePerPoint(state, z, r, [](const CalcParams& p, double z, double r) { return FluxFunction(p, z, r); });
}

// The picture of the start window (half-size 2 m across the width, the same
// scale upwards) at the window's size and at a large one.
void StrengthMap(benchmark::State& state, int width, int height, int threads)
{
    CalcParams p = StartValues(kFieldLinesGraph);
    p.zMin = -2;
    p.scaleX = p.scaleY = width / 4.0;
    p.yMax = height / 2.0 / p.scaleY;
    for (auto _ : state)
        benchmark::DoNotOptimize(FieldStrengthMap(p, width, height, threads).pixels.data());
}

// The 7 lines of the start values in the 651 x 320 window, from the seeds the
// program uses: z0 = L/500, r0 = i R/8.
void ExactLines(benchmark::State& state)
{
    const CalcParams p = StartValues(kFieldLinesGraph);
    const double zMax = 2, rMax = 2.0 * 320 / 651, pixel = 4.0 / 651;
    int64_t vertices = 0;
    for (auto _ : state) {
        vertices = 0;
        for (int i = 7; i >= 1; --i)
            vertices += ExactFieldLine(p, p.length / 500, i * p.radius / 8, zMax, rMax, pixel).size();
    }
    state.counters["vertices"] = static_cast<double>(vertices);
}

}  // namespace

// inside the coil, near the winding (0.1 mm inside it), far outside
BENCHMARK_CAPTURE(ExactH, inside, 0.25, 0.1);
BENCHMARK_CAPTURE(ExactH, near_winding, 0.3, 0.1999);
BENCHMARK_CAPTURE(ExactH, far_outside, 5.0, 3.0);
BENCHMARK_CAPTURE(ExactPsi, inside, 0.25, 0.1);
BENCHMARK_CAPTURE(ExactPsi, near_winding, 0.3, 0.1999);
BENCHMARK_CAPTURE(ExactPsi, far_outside, 5.0, 3.0);
BENCHMARK_CAPTURE(StrengthMap, w651x320, 651, 320, 0)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK_CAPTURE(StrengthMap, w651x320_one_thread, 651, 320, 1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(StrengthMap, w1912x1000, 1912, 1000, 0)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK_CAPTURE(StrengthMap, w1912x1000_one_thread, 1912, 1000, 1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ExactLines)->Unit(benchmark::kMillisecond);
