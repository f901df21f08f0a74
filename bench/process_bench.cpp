// Whole processes, start-up and the file included: the export tool writing the
// short coil's field-line table, against the plain program computing the
// same lines (plain_lines_process.cpp). Time is the wall clock from the start
// of the process to its end.
#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

#include "bench/measurement_rows.h"

extern char** environ;

namespace {

// Runs the program to its end; false if it could not start or failed.
bool runProcess(std::vector<std::string> args)
{
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t child;
    int status = 0;
    return posix_spawn(&child, argv[0], nullptr, nullptr, argv.data(), environ) == 0 &&
           waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void measure(benchmark::State& state, const std::vector<std::string>& args)
{
    for (auto _ : state)
        if (!runProcess(args)) {
            state.SkipWithError("the program failed");
            return;
        }
}

// The table of run c, asked for as a user would.
void TableProcess(benchmark::State& state)
{
    const std::string table = "/tmp/zoreks_bench_table_" + std::to_string(getpid()) + ".csv";
    measure(state, {ZOREKS_RENDER_PROGRAM, "--radius", "0.1", "--length", "0.1", "--half-range", "10", "--graph",
                    "lines", "--size", "1912x1000", "--output", table});
    unlink(table.c_str());
}

void PlainLinesProcess(benchmark::State& state) { measure(state, {ZOREKS_PLAIN_LINES_PROGRAM}); }

// A million measured rows read and compared with the class's coil, written as the comparison's table or
// drawn over the axis graph.
void MeasuredProcess(benchmark::State& state, const char* extension)
{
    const std::string stem = "/tmp/zoreks_bench_measured_" + std::to_string(getpid());
    const std::string rows = stem + ".csv", output = stem + "_out." + extension;
    std::ofstream(rows) << MeasurementRows(1'000'000);
    measure(state, {ZOREKS_RENDER_PROGRAM, "--radius", "0.021", "--length", "0.16", "--half-range", "0.2", "--turns",
                    "320", "--current", "1.8", "--measured", rows, "--output", output});
    unlink(rows.c_str());
    unlink(output.c_str());
}

}  // namespace

BENCHMARK(TableProcess)->Name("TableProcess/c_short_coil")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(PlainLinesProcess)->Name("PlainLinesProcess/c_short_coil")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(MeasuredProcess, table, "csv")->Name("MeasuredProcess/million_rows_csv")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(MeasuredProcess, picture, "png")->Name("MeasuredProcess/million_rows_png")->Unit(benchmark::kMillisecond)->UseRealTime();
