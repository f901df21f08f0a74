// Runs the benchmarks and ends with the ratios of the plain field slope and
// tracer to the program's, taken from the same run.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

// The console report, keeping each benchmark's time per iteration: the
// median when the benchmarks are repeated, else the one measurement.
class RecordingReporter final : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& reports) override
    {
        for (const Run& run : reports) {
            if (run.error_occurred)
                continue;
            const std::string name = run.run_name.str();
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                medians_[name] = run.GetAdjustedRealTime();
            else if (run.run_type == Run::RT_Iteration)
                singles_[name] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(reports);
    }

    // The time of the benchmark whose name starts with prefix (the runs carry
    // suffixes such as /real_time), in its own unit; 0 when it did not run.
    double time(const std::string& prefix) const
    {
        for (const auto* times : {&medians_, &singles_})
            for (const auto& [name, t] : *times)
                if (name.compare(0, prefix.size(), prefix) == 0)
                    return t;
        return 0;
    }

private:
    std::map<std::string, double> medians_;
    std::map<std::string, double> singles_;
};

void printRatio(const RecordingReporter& times, const char* what, const std::string& slow, const std::string& fast)
{
    const double s = times.time(slow);
    const double f = times.time(fast);
    if (s > 0 && f > 0)
        std::printf("  %-44s %6.1f x\n", what, s / f);
}

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::printf("\nPlain FieldSlope and tracer against the program's (time of plain / time of fast):\n");
    for (const char* point : {"inside", "near_winding", "far_outside"})
        printRatio(reporter, (std::string("FieldSlope per call, ") + point).c_str(),
                   std::string("FieldSlopePlain/") + point, std::string("FieldSlopeFast/") + point);
    printRatio(reporter, "AVX against SSE2, inside", "FieldSlopeSse2/inside", "FieldSlopeAvx/inside");
    for (const char* run : {"a_defaults/", "b_100_lines/", "c_short_coil/"})
        printRatio(reporter, (std::string("per FieldSlope call over run ") + run).c_str(),
                   std::string("PlainRunIntoNothing/") + run, std::string("RunIntoNothing/") + run);
    printRatio(reporter, "short-coil table process against plain lines", "PlainLinesProcess/c_short_coil",
               "TableProcess/c_short_coil");
    std::printf("\nA pair's run against the single coil's with exact lines, map and arrows (time of pair / single):\n");
    for (const char* pair : {"pair_helmholtz", "pair_opposed", "pair_apart", "pair_helmholtz_uniform"})
        printRatio(reporter, pair, std::string("Run/") + pair + "/", "Run/single_exact_lines/");
    return 0;
}
