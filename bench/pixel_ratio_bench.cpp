// A run for a sharp screen: the default coil's field lines and its strength
// map on 1920 x 1080 device pixels, drawn at the pixel ratio 1 (a picture of
// 1920 x 1080) and at 2 (a picture of 960 x 540 laid out in logical pixels),
// rasterised as the window draws them.
#include <benchmark/benchmark.h>

#include "bench/run_cases.h"
#include "plot/calculation_run.h"
#include "raster/raster_surface.h"

namespace {

constexpr int kDeviceWidth = 1920, kDeviceHeight = 1080;

void ScreenRun(benchmark::State& state, double ratio, bool fieldMap)
{
    RasterSurface surface(kDeviceWidth, kDeviceHeight, ratio);  // the window's picture, there before the run
    RunAdditions additions;
    additions.fieldMap = fieldMap;
    for (auto _ : state) {
        CalcParams p = ParamsOf(kDefaultLines);
        RunCalculation(p, surface, [] { return ClockReading{}; }, additions);
        benchmark::DoNotOptimize(surface.pixels().data());
    }
}

}  // namespace

BENCHMARK_CAPTURE(ScreenRun, lines_ratio_1, 1.0, false)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK_CAPTURE(ScreenRun, lines_ratio_2, 2.0, false)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK_CAPTURE(ScreenRun, map_ratio_1, 1.0, true)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK_CAPTURE(ScreenRun, map_ratio_2, 2.0, true)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
