#include "export/schedule_export.h"

#include "platform/file_replace.h"

namespace k5::dxfexport {

ExportResult exportScheduleDxf(const report::ReportJob& job, const ExportRequest& request) {
    ExportResult result;
    const Schedule schedule = buildSchedule(job, request.options);
    result.leftOut = schedule.leftOut;
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
