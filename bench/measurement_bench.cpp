// Measured values: reading a table of a million rows, the fit of where the
// coil stood and how strong it was, on a class's 61 points and on 10,000, and
// the values under the cursor over a million fitted points.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <random>
#include <vector>

#include "bench/measurement_rows.h"
#include "measure/axis_fit.h"
#include "measure/measurement_reading.h"
#include "params/coil_current.h"
#include "plot/axes.h"
#include "plot/comparison_drawing.h"
#include "plot/measured_point_readout.h"
#include "plot/plot_window.h"
#include "surface/blank_surface.h"

namespace {

constexpr double kR = 0.021, kL = 0.16;
const CoilCurrent kCoil{320, 1.8};

CalcParams ClassCoil()
{
    CalcParams p = StartValues(kAxisGraph);
    p.radius = kR;
    p.length = kL;
    return p;
}

// B on the axis, T, from the angles under which the coil's ends are seen.
double FieldAt(double z)
{
    const double a = z + kL / 2, b = z - kL / 2;
    return FluxDensityPerUnit(kCoil, kL) * (a / std::hypot(kR, a) - b / std::hypot(kR, b));
}

void ReadRows(benchmark::State& state)
{
    const std::string bytes = MeasurementRows(static_cast<int>(state.range(0)));
    std::string refusal;  // outlives the loop: the benchmark keeps the text's address
    for (auto _ : state) {
        const MeasurementReading read = ReadMeasurements(bytes, {});
        benchmark::DoNotOptimize(read.points.data());
        if (!read.refusal.empty()) {
            refusal = RussianText(read.refusal);
            state.SkipWithError(refusal.c_str());
            break;
        }
    }
    state.counters["rows/s"] = benchmark::Counter(static_cast<double>(state.range(0)), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["MB"] = static_cast<double>(bytes.size()) / 1e6;
}

// Readings every 0.3 m / n along a ruler whose zero lies 15.3 cm before the coil's middle, with noise of 0.03 mT.
void Fit(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    std::mt19937 random(7);
    std::normal_distribution<double> noise(0, 3e-5);
    std::vector<MeasuredPoint> points;
    for (int i = 0; i < n; ++i) {
        const double z = 0.3 * i / (n - 1);
        points.push_back({z, 0.97 * FieldAt(z - 0.153) + noise(random)});
    }
    const CalcParams p = ClassCoil();
    for (auto _ : state) {
        const AxisFitting found = FitAxisField(p, FluxDensityPerUnit(kCoil, kL), points);
        benchmark::DoNotOptimize(found.fit.z0);
    }
}

// The values under the cursor on the dot of the middle one of a million
// measured points, fitted, on the axis graph at the start size: read from the
// run's comparison, as the window and the page read them, or (comparedAgain)
// with the comparison and its fit made again for the position first.
void ComparedReadout(benchmark::State& state, bool comparedAgain)
{
    auto set = std::make_shared<MeasurementSet>();
    set->points = ReadMeasurements(MeasurementRows(1'000'000), {}).points;
    CalcParams drawn = ClassCoil();
    drawn.halfRange = 0.2;
    const AxisComparison comparison = CompareMeasurements(drawn, kCoil, *set, true);
    const BlankSurface picture(651, 320);
    SetPlotWindow(drawn, picture);
    TakeInComparison(drawn, comparison, *set);
    SetPictureScale(drawn, picture);
    RunAdditions additions;
    additions.winding = kCoil;
    additions.measured = set;
    additions.fit = true;
    // where the dot is drawn: X = scaleX (z - z0 - zMin), Y = scaleY (yMax - B / c)
    const MeasuredPoint& middle = set->points[set->points.size() / 2];
    const double x = (middle.z - comparison.fit.z0 - drawn.zMin) * drawn.scaleX;
    const double y = (drawn.yMax - middle.b / comparison.teslaPerUnit) * drawn.scaleY;
    const ReadoutNumbers numbers = PlainReadoutNumbers(',');
    for (auto _ : state) {
        const AxisComparison used = comparedAgain ? CompareMeasurements(ClassCoil(), kCoil, *set, true) : comparison;
        const std::string text = RunPointReadout(drawn, 651, 320, x, y, numbers, additions, used);
        if (text.find("измерено") == std::string::npos)
            state.SkipWithError("no measured point under the cursor");
    }
}

}  // namespace

std::string MeasurementRows(int rows)
{
    std::string text = "z,B\n";
    char row[64];
    for (int i = 0; i < rows; ++i) {
        const double z = -0.2 + 0.4 * i / rows;
        text.append(row, static_cast<size_t>(std::snprintf(row, sizeof row, "%.5f,%.6f\n", 100 * z, 1000 * FieldAt(z))));
    }
    return text;
}

BENCHMARK(ReadRows)->Name("ReadMeasurements/rows")->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(Fit)->Name("FitAxisField/points")->Arg(61)->Arg(10'000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ComparedReadout, kept, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ComparedReadout, compared_again, true)->Unit(benchmark::kMillisecond);
