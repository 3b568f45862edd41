#include "shell/foundation_types_run.h"

#include "jobdata/job_file.h"
#include "shell/app_context.h"

namespace k5 {

JobForSizing loadJobForTypes(AppContext& ctx) {
    JobForSizing job = loadJobForSizing(ctx);
    if (job.loaded && !job.imported)
        job.loaded = Outcome::warning(
            QStringLiteral("自動グループ化は、解析プログラムから読込んだ基礎データにだけ使えます。　　　"));
    return job;
}

Outcome applyFoundationTypes(AppContext& ctx, const JobForSizing& job, const TypesPlan& plan) {
    const QList<std::pair<int, FoundationRecord>> changes = recordsOfTypes(job.records, plan);
    if (changes.isEmpty()) return Outcome::success();
    if (!writeRecords(ctx.folders, changes))
        return Outcome::error(QStringLiteral("基礎データをファイルに書き込めませんでした。　　　\n\n") +
                              ctx.folders.jobFile());
    return Outcome::success();
}

} // namespace k5
