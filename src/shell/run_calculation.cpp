#include "shell/run_calculation.h"

#include "calc/calculation.h"
#include "shell/app_context.h"

namespace k5 {
namespace {

// A finished run says how the job came out: the foundations that failed a
// check, and where to see them. A stopped run keeps its refusal as it is.
Outcome withNgCount(Outcome outcome, const Folders& folders) {
    if (!outcome.ok) return outcome;
    const CalcCounters ng = countNgFoundations(folders);
    if (const int failed = ng.isolatedNg + ng.pileCapsNg; failed > 0)
        outcome.message.text += QStringLiteral("\n\nNG：%1 基礎（計算結果一覧で確認できます）").arg(failed);
    return outcome;
}

} // namespace

bool runCalculation(AppContext& ctx) {
    const Outcome outcome = withNgCount(calculateJob(ctx.folders, ctx.counts), ctx.folders);
    return ctx.ask().report(outcome);
}

bool loadAndRunCalculation(AppContext& ctx) {
    const Outcome outcome =
        withNgCount(loadAndCalculateJob(ctx.folders, ctx.job, ctx.jobHooks, ctx.counts), ctx.folders);
    return ctx.ask().report(outcome);
}

bool runCalculation(AppContext& ctx, bool& listWanted) {
    const Outcome outcome = withNgCount(calculateJob(ctx.folders, ctx.counts), ctx.folders);
    listWanted =
        ctx.ask().showOffering(outcome.message, QStringLiteral("計算結果一覧(&L)")) == Answer::Further;
    return outcome.ok;
}

} // namespace k5
