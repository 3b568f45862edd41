#include "shell/schedule_export_command.h"

#include "platform/fixed_text.h"
#include "report/page_sequence.h"
#include "shell/app_context.h"

#include <QDir>

namespace k5 {

QString proposedDxfPath(const AppContext& ctx) {
    QString name = trimBlanks(ctx.job.currentFileName);
    if (name.isEmpty() || name == kUndecided) name = QStringLiteral("基礎リスト");
    name.replace(u'/', u'_').replace(u'\\', u'_');
    return QDir(ctx.folders.saveFolder).filePath(name + QStringLiteral(".dxf"));
}

dxfexport::ExportResult exportJobSchedule(AppContext& ctx, const dxfexport::ExportRequest& request) {
    report::ReportJob job;
    const Outcome loaded = report::loadCheckedReportJob(ctx.folders, ctx.job, ctx.jobHooks, job,
                                                        QStringLiteral("DXFを出力できません。"));
    if (!loaded) {
        dxfexport::ExportResult refused;
        refused.outcome = loaded;
        return refused;
    }
    return dxfexport::exportScheduleDxf(ctx.folders, job, request);
}

Outcome exportScheduleCommand(AppContext& ctx, const QString& path,
                              const dxfexport::ScheduleOptions& options) {
    dxfexport::ExportRequest request;
    request.path = path;
    request.options = options;
    const dxfexport::ExportResult result = exportJobSchedule(ctx, request);
    QString leftOut;
    for (const dxfexport::LeftOut& left : result.leftOut)
        leftOut += u'\n' + dxfexport::leftOutLine(left);
    if (!leftOut.isEmpty()) leftOut = QStringLiteral("\n\n出力しなかった基礎:") + leftOut;
    if (!result.outcome.ok) {
        Outcome refused = result.outcome;
        refused.message.text += leftOut;
        return refused;
    }
    QString failing;
    for (const dxfexport::LeftOut& ng : result.failing)
        failing += u'\n' + dxfexport::leftOutLine(ng);
    if (!failing.isEmpty()) failing = QStringLiteral("\n\nNGの基礎:") + failing;
    const QString text = QStringLiteral("DXFを出力しました（基礎 %1 件）。\n\n").arg(result.foundations) +
                         path + failing + leftOut;
    return leftOut.isEmpty() && failing.isEmpty() ? Outcome::success(text)
                                                  : Outcome{true, {text, kProgramTitle, Icon::Warning}};
}

} // namespace k5
