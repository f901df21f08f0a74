// Whole calculation runs, rasterised as the window and the PNG draw them and
// into a surface that draws nothing, with the FieldSlope calls per second and the
// memory a run takes. Time is the wall clock; CPU is the time of all the
// process's threads together.
#include <benchmark/benchmark.h>

#include "bench/memory_use.h"
#include "bench/run_cases.h"
#include "raster/raster_surface.h"
#include "surface/blank_surface.h"

namespace {

// Reports the slope calls per second and, from one run outside the timing,
// the heap blocks it allocates and how far it raises the resident memory.
template <class OneRun>
void measure(benchmark::State& state, const RunCase& c, OneRun run)
{
    MemoryUse::Start();
    run();
    const MemoryUse memory = MemoryUse::Read();

    for (auto _ : state)
        run();

    const auto calls = static_cast<double>(FieldSlopeCalls(c));
    if (calls > 0)
        state.counters["slope_calls/s"] = benchmark::Counter(calls, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["allocs/run"] = static_cast<double>(memory.allocations);
    state.counters["peak_MB/run"] = memory.peakGrowthMB;
}

void RunRasterized(benchmark::State& state, RunCase c)
{
    RasterSurface surface(c.width, c.height);  // the window's picture, there before the run
    measure(state, c, [&] { RunFast(c, surface); });
}

void RunIntoNothing(benchmark::State& state, RunCase c)
{
    BlankSurface surface(c.width, c.height);
    measure(state, c, [&] { RunFast(c, surface); });
}

void PlainRunIntoNothing(benchmark::State& state, RunCase c)
{
    BlankSurface surface(c.width, c.height);
    measure(state, c, [&] { RunPlain(c, surface); });
}

}  // namespace

BENCHMARK_CAPTURE(RunRasterized, a_defaults, kDefaultLines)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK_CAPTURE(RunRasterized, b_100_lines, kHundredLines)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK_CAPTURE(RunRasterized, c_short_coil, kShortCoil)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK_CAPTURE(RunRasterized, d_short_coil_200_lines, kShortCoilMostLines)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK_CAPTURE(RunRasterized, e_thin_coil_200_lines, kThinCoilMostLines)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK_CAPTURE(RunRasterized, axis_curve, kAxisCurve)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

BENCHMARK_CAPTURE(RunIntoNothing, a_defaults, kDefaultLines)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK_CAPTURE(RunIntoNothing, b_100_lines, kHundredLines)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK_CAPTURE(RunIntoNothing, c_short_coil, kShortCoil)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK_CAPTURE(RunIntoNothing, d_short_coil_200_lines, kShortCoilMostLines)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK_CAPTURE(RunIntoNothing, e_thin_coil_200_lines, kThinCoilMostLines)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK_CAPTURE(RunIntoNothing, axis_curve, kAxisCurve)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

// The plain tracer on the lighter runs, for the ratio per call over a whole run
// (the plain d takes some 14 s a run).
BENCHMARK_CAPTURE(PlainRunIntoNothing, a_defaults, kDefaultLines)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK_CAPTURE(PlainRunIntoNothing, b_100_lines, kHundredLines)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK_CAPTURE(PlainRunIntoNothing, c_short_coil, kShortCoil)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
