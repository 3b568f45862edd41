// The results at a glance: the live result of an input window (one form
// through the checks and the design, in memory) must cost well under 5 ms,
// and the results list and the main list's marks of a 10,000-foundation
// job must appear in under a second.
#include "bench_jobs.h"
#include "calc/calc_masters.h"
#include "calc/results_list.h"
#include "input/live_result.h"
#include "jobdata/common_values.h"
#include "jobdata/job_file.h"
#include "shell/run_calculation.h"

#include <benchmark/benchmark.h>

namespace {

using benchjob::Job;

// A footing form as the window shows it, evaluated as the live panel does.
void BM_LiveResult(benchmark::State& state) {
    Job job(2);
    k5::ensureCommonValues(job.ctx.folders);
    const bool pileCap = state.range(0) == 2;
    job.ctx.job.unitSystem = 1;
    job.ctx.job.recordCount = 2;
    k5::RecordEdit edit{
        job.ctx.folders,
        job.ctx.job,
        {k5::EditMode::Correction, pileCap ? 2 : 1, pileCap ? k5::kTypePileCap : k5::kTypeIsolated},
        {}};
    k5::RecordForm form;
    if (!k5::loadRecordForm(edit, form)) {
        state.SkipWithError("record not loaded");
        return;
    }
    const k5::CalcMasters masters = k5::CalcMasters::load(job.ctx.folders);
    const k5::FoundationRecord stored = *k5::readRecord(job.ctx.folders, pileCap ? 2 : 1);
    for (auto _ : state) {
        const k5::LiveResult result = k5::evaluateForm(edit, form, masters, stored);
        if (result.state != k5::LiveResult::State::Designed) {
            state.SkipWithError(result.message.toStdString().c_str());
            break;
        }
        benchmark::DoNotOptimize(result.result.maxRatio());
    }
}
BENCHMARK(BM_LiveResult)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

// The results list of a calculated job, read from the job file.
void BM_ResultsList(benchmark::State& state) {
    const int records = static_cast<int>(state.range(0));
    Job job(records);
    if (!k5::runCalculation(job.ctx)) {
        state.SkipWithError(job.prompt.last.toStdString().c_str());
        return;
    }
    for (auto _ : state) {
        const QList<k5::ResultRow> rows = k5::readResults(job.ctx.folders);
        benchmark::DoNotOptimize(rows.size());
    }
    state.SetItemsProcessed(state.iterations() * records);
}
BENCHMARK(BM_ResultsList)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same job not calculated: every record goes through the checks and the
// design in memory to tell "未計算" from a record that would stop the run.
void BM_ResultsListNotCalculated(benchmark::State& state) {
    const int records = static_cast<int>(state.range(0));
    Job job(records);
    for (auto _ : state) {
        const QList<k5::ResultRow> rows = k5::readResults(job.ctx.folders);
        benchmark::DoNotOptimize(rows.size());
    }
    state.SetItemsProcessed(state.iterations() * records);
}
BENCHMARK(BM_ResultsListNotCalculated)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
