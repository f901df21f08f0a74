// The rasteriser alone: the drawing calls of a whole run, recorded once,
// replayed into a RasterSurface of the run's size.
#include <benchmark/benchmark.h>

#include <functional>
#include <vector>

#include "bench/run_cases.h"
#include "raster/raster_surface.h"

namespace {

// Keeps every call of a run, to be replayed on another surface.
class RecordingSurface final : public DrawingSurface {
public:
    RecordingSurface(int width, int height) : width_(width), height_(height) {}
    void clear() override { calls.push_back([](DrawingSurface& s) { s.clear(); }); }
    void drawLine(float x1, float y1, float x2, float y2, Rgb c) override
    {
        calls.push_back([=](DrawingSurface& s) { s.drawLine(x1, y1, x2, y2, c); });
    }
    void plotPoint(float x, float y, Rgb c) override { calls.push_back([=](DrawingSurface& s) { s.plotPoint(x, y, c); }); }
    void lineTo(float x, float y, Rgb c) override { calls.push_back([=](DrawingSurface& s) { s.lineTo(x, y, c); }); }
    void drawCircle(float x, float y, float r, Rgb c) override { calls.push_back([=](DrawingSurface& s) { s.drawCircle(x, y, r, c); }); }
    void drawImage(const std::vector<uint32_t>& pixels) override { calls.push_back([=](DrawingSurface& s) { s.drawImage(pixels); }); }
    int width() const override { return width_; }
    int height() const override { return height_; }

    std::vector<std::function<void(DrawingSurface&)>> calls;

private:
    int width_, height_;
};

void Rasterize(benchmark::State& state, RunCase c)
{
    RecordingSurface run(c.width, c.height);
    RunFast(c, run);
    RasterSurface surface(c.width, c.height);
    for (auto _ : state)
        for (const auto& call : run.calls)
            call(surface);
    state.counters["calls/s"] = benchmark::Counter(static_cast<double>(run.calls.size()), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["calls"] = static_cast<double>(run.calls.size());
}

}  // namespace

BENCHMARK_CAPTURE(Rasterize, a_defaults, kDefaultLines)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Rasterize, c_short_coil, kShortCoil)->Unit(benchmark::kMillisecond);
