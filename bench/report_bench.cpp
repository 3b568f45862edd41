// The calculation report of a calculated job written as one PDF: 30 and
// 1,000 pages. The figure to watch is pages per second: it must stay flat
// as the report grows (each page drawn once, straight into the document).
#include "bench_jobs.h"
#include "masters/font_set.h"
#include "report/page_sequence.h"
#include "report/report_pdf.h"
#include "shell/run_calculation.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>

namespace {

using benchjob::Job;

void BM_ReportPdf(benchmark::State& state) {
    const int pages = static_cast<int>(state.range(0));
    Job job(pages - 1); // the cover and one page per foundation
    if (!k5::runCalculation(job.ctx)) {
        state.SkipWithError(job.prompt.last.toStdString().c_str());
        return;
    }
    k5::loadFontSet(job.ctx.folders, job.ctx.reportFont);
    const k5::report::ReportJob report = k5::report::loadReportJob(job.ctx.folders.jobFile());
    const QString pdf = job.ctx.folders.dataFolder + QStringLiteral("/report.pdf");
    for (auto _ : state) {
        const k5::Outcome written =
            k5::report::writeReportPdf(pdf, report, job.ctx.reportFont, 1, report.pageCount());
        if (!written) {
            state.SkipWithError(written.message.text.toStdString().c_str());
            break;
        }
    }
    state.counters["pages_per_second"] =
        benchmark::Counter(static_cast<double>(pages), benchmark::Counter::kIsIterationInvariantRate);
}

BENCHMARK(BM_ReportPdf)->Arg(30)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

} // namespace

int main(int argc, char** argv) {
    // Fonts need a QGuiApplication; no window is shown.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
