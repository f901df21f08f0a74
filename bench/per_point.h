#pragma once

#include <benchmark/benchmark.h>

#include "params/calc_params.h"

// One evaluation per iteration at a point (z, r) of the start coil (R = 0.2,
// L = 1), moved a little every call so that nothing can be kept from one call
// to the next. evaluate(p, z, r) is the function measured.
template <class Evaluate>
void MeasurePerPoint(benchmark::State& state, double z, double r, Evaluate evaluate)
{
    const CalcParams p = StartValues(kFieldLinesGraph);
    double dz = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(evaluate(p, z + dz, r));
        dz = dz == 0 ? 1e-9 : 0;
    }
    state.SetItemsProcessed(state.iterations());
}
