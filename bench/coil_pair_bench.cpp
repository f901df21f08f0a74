// Runs of a pair of coils against the single coil's run with its exact lines:
// the start values (R 0.2 m, L 1 m, half-size 2 m, 7 lines) on the window's
// 651 x 320 picture, with the strength map and the arrowheads, rasterised as
// the window and the PNG draw them.
#include <benchmark/benchmark.h>

#include "params/calc_params.h"
#include "plot/calculation_run.h"
#include "raster/raster_surface.h"

namespace {

void Run(benchmark::State& state, RunAdditions additions)
{
    RasterSurface surface(651, 320);
    additions.fieldMap = additions.arrows = true;
    for (auto _ : state) {
        CalcParams p = StartValues(kFieldLinesGraph);
        RunCalculation(p, surface, [] { return ClockReading{}; }, additions);
    }
}

RunAdditions Single(bool equalFlux)
{
    RunAdditions a;
    a.exact = equalFlux ? ExactLines::EqualFlux : ExactLines::ThroughSeeds;
    return a;
}

RunAdditions Pair(double distance, bool opposed, bool uniform = false)
{
    RunAdditions a;
    a.arrangement = PairArrangement({distance, opposed});
    if (uniform)
        a.uniformPercent = 1;
    return a;
}

}  // namespace

BENCHMARK_CAPTURE(Run, single_exact_lines, Single(false))->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK_CAPTURE(Run, single_equal_flux, Single(true))->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK_CAPTURE(Run, pair_helmholtz, Pair(0.2, false))->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK_CAPTURE(Run, pair_opposed, Pair(0.2, true))->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK_CAPTURE(Run, pair_apart, Pair(1.5, false))->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK_CAPTURE(Run, pair_helmholtz_uniform, Pair(0.2, false, true))->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
