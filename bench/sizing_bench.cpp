// Sizing proposals for the generated jobs of sizing_jobs.h. 1,000
// foundations must stay under 1 s of CPU, 10,000 under 10 s.
#include "calc/calc_masters.h"
#include "calc/job_sizing.h"
#include "sizing_jobs.h"

#include <benchmark/benchmark.h>

namespace {

using sizingjobs::generatedJob;

void BM_ProposeJob(benchmark::State& state) {
    const int records = static_cast<int>(state.range(0));
    benchjob::Job tree(0);
    const k5::CalcMasters masters = k5::CalcMasters::load(tree.ctx.folders);
    const QList<k5::FoundationRecord> job = generatedJob(records);
    int found = 0, trials = 0, trialsUnfound = 0;
    for (auto _ : state) {
        const QList<k5::JobProposal> proposals = k5::proposeForJob(masters, job, false, 1, records);
        found = trials = trialsUnfound = 0;
        for (const k5::JobProposal& p : proposals) {
            found += p.proposal.found ? 1 : 0;
            trials += p.proposal.trials;
            trialsUnfound += p.proposal.found ? 0 : p.proposal.trials;
        }
        benchmark::DoNotOptimize(found);
    }
    state.counters["found"] = found;
    state.counters["trials"] = trials;
    state.counters["trials_unfound"] = trialsUnfound;
    state.counters["foundations_per_second"] =
        benchmark::Counter(static_cast<double>(records), benchmark::Counter::kIsIterationInvariantRate);
}

BENCHMARK(BM_ProposeJob)->Arg(1)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
