#include "export/schedule_export.h"

#include "calc/results_list.h"
#include "platform/file_replace.h"

#include <QDate>

namespace k5::dxfexport {

namespace {

// Why each foundation left out has no results, as the results list tells it.
void explainLeftOut(const Folders& folders, const report::ReportJob& job, QList<LeftOut>& leftOut) {
    if (leftOut.isEmpty()) return;
    const QList<ResultRow> rows = readResults(folders, job.records);
    for (LeftOut& left : leftOut) {
        if (left.record < 1 || left.record > rows.size()) continue;
        const DesignResult& result = rows[left.record - 1].result;
        if (result.verdict == Verdict::Stopped) left.reason = result.verdictText();
    }
}

} // namespace

ExportResult exportScheduleDxf(const Folders& folders, const report::ReportJob& job,
                               const ExportRequest& request) {
    ExportResult result;
    ScheduleOptions options = request.options;
    if (options.date.isEmpty()) options.date = QDate::currentDate().toString(QStringLiteral("yyyy.MM.dd"));
    const Schedule schedule = buildSchedule(job, options);
    result.leftOut = schedule.leftOut;
    result.failing = schedule.failing;
    result.sheets = schedule.sheets;
    explainLeftOut(folders, job, result.leftOut);
    result.foundations = static_cast<int>(schedule.records.size());
    if (result.foundations == 0) {
        result.outcome = Outcome::error(QStringLiteral("DXFに出力できる計算済みの基礎がありません。"));
        return result;
    }
    const QByteArray bytes = dxfBytes(schedule.drawing, request.version, request.options.plotScale);
    if (!replaceFile(request.path, {bytes}))
        result.outcome =
            Outcome::error(QStringLiteral("DXFファイルを作成できませんでした。\n\n") + request.path);
    return result;
}

} // namespace k5::dxfexport
