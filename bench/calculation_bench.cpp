// The calculation run over jobs of 100, 1,000 and 10,000 records of both
// foundation types. The figure to watch is records per second: it must stay
// flat as the job grows (the job read once and written once, masters read once).
#include "bench_jobs.h"
#include "shell/run_calculation.h"

#include <benchmark/benchmark.h>

namespace {

using benchjob::Job;

void BM_RunCalculation(benchmark::State& state) {
    const int records = static_cast<int>(state.range(0));
    Job job(records);
    for (auto _ : state) {
        if (!k5::runCalculation(job.ctx)) {
            state.SkipWithError(job.prompt.last.toStdString().c_str());
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * records);
    state.counters["records_per_second"] =
        benchmark::Counter(static_cast<double>(records), benchmark::Counter::kIsIterationInvariantRate);
}

// Rates are per second of wall time: reading and writing the job file are
// part of the run. Each size runs for at least 3 s.
BENCHMARK(BM_RunCalculation)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(3.0)
    ->UseRealTime();

} // namespace

BENCHMARK_MAIN();
