// The foundation schedule of a calculated job of 1,000 foundations (footings
// and caps of every arrangement) written as one DXF file, job loading
// included: the figure to watch is the time per export, which must stay
// well under 3 s.
#include "bench_jobs.h"
#include "export/schedule_export.h"
#include "shell/run_calculation.h"
#include "shell/schedule_export_command.h"

#include <benchmark/benchmark.h>

namespace {

using benchjob::Job;

void BM_ScheduleDxf(benchmark::State& state) {
    const int foundations = static_cast<int>(state.range(0));
    Job job(foundations);
    if (!k5::runCalculation(job.ctx)) {
        state.SkipWithError(job.prompt.last.toStdString().c_str());
        return;
    }
    k5::dxfexport::ExportRequest request;
    request.path = job.ctx.folders.dataFolder + QStringLiteral("/schedule.dxf");
    for (auto _ : state) {
        const k5::dxfexport::ExportResult result = k5::exportJobSchedule(job.ctx, request);
        if (!result.outcome || result.foundations != foundations) {
            state.SkipWithError("not every foundation was drawn");
            break;
        }
    }
    state.counters["foundations_per_second"] =
        benchmark::Counter(static_cast<double>(foundations), benchmark::Counter::kIsIterationInvariantRate);
}

BENCHMARK(BM_ScheduleDxf)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
