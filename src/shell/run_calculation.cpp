#include "shell/run_calculation.h"

#include "calc/calculation.h"
#include "shell/app_context.h"

namespace k5 {

bool runCalculation(AppContext& ctx) {
    const Outcome outcome = calculateJob(ctx.folders, ctx.counts);
    return ctx.ask().report(outcome);
}

bool loadAndRunCalculation(AppContext& ctx) {
    const Outcome outcome = loadAndCalculateJob(ctx.folders, ctx.job, ctx.jobHooks, ctx.counts);
    return ctx.ask().report(outcome);
}

bool runCalculation(AppContext& ctx, bool& listWanted) {
    const Outcome outcome = calculateJob(ctx.folders, ctx.counts);
    listWanted =
        ctx.ask().showOffering(outcome.message, QStringLiteral("計算結果一覧(&L)")) == Answer::Further;
    return outcome.ok;
}

} // namespace k5
