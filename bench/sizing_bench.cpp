// Sizing proposals for a job of 1,000 foundations (half footings without a
// size, as an import leaves them, half pile caps of every arrangement), and
// one proposal on its own. The job's figure must stay under 10 s, one
// proposal under 50 ms.
#include "bench_jobs.h"
#include "calc/calc_masters.h"
#include "calc/job_sizing.h"

#include <benchmark/benchmark.h>

namespace {

QList<k5::FoundationRecord> unsizedJob(int records) {
    QList<k5::FoundationRecord> job;
    for (int n = 1; n <= records; ++n) {
        k5::FoundationRecord r = n % 2 ? benchjob::footing(n) : benchjob::pileCap(n);
        r.data2[k5::row::L][1] = r.data2[k5::row::L][2] = 0;
        job.append(r);
    }
    return job;
}

void BM_ProposeJob(benchmark::State& state) {
    const int records = static_cast<int>(state.range(0));
    benchjob::Job tree(0);
    const k5::CalcMasters masters = k5::CalcMasters::load(tree.ctx.folders);
    const QList<k5::FoundationRecord> job = unsizedJob(records);
    for (auto _ : state)
        benchmark::DoNotOptimize(k5::proposeForJob(masters, job, false, 1, records));
    state.counters["foundations_per_second"] =
        benchmark::Counter(static_cast<double>(records), benchmark::Counter::kIsIterationInvariantRate);
}

BENCHMARK(BM_ProposeJob)->Arg(1)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
