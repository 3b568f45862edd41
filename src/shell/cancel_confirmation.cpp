#include "shell/cancel_confirmation.h"

#include "jobdata/control_file.h"
#include "masters/key_actions.h"
#include "masters/master_file.h"
#include "shell/app_context.h"

namespace k5 {

bool confirmCancel(AppContext& ctx) {
    if (ctx.control.cancelConfirm != 1) return true;
    return ctx.ask().askYesNo(QStringLiteral("ここでの修正内容は記録されないで終了します。\n\n"
                                             "このままキャンセルを実行してもいいですか？\n"),
                              Icon::Warning, QStringLiteral("警告"));
}

int loadCancelConfirm(AppContext& ctx) {
    loadControlFile(ctx.folders, ctx.control);
    loadKeyActions(ctx.folders, ctx.control);
    return ctx.control.cancelConfirm;
}

bool saveCancelConfirm(AppContext& ctx, int value) {
    loadControlFile(ctx.folders, ctx.control);
    ctx.control.cancelConfirm = value;
    const bool saved = saveControlFile(ctx.folders, ctx.control);
    if (!saved) ctx.ask().error(writeFailedMessage(ctx.folders.controlFile()));
    loadKeyActions(ctx.folders, ctx.control);
    return saved;
}

QString fileNameProblem(const QString& fileName) {
    static const QString forbidden = QStringLiteral("/\\:*?\"<>|");
    for (QChar ch : fileName) {
        if (forbidden.contains(ch) || ch.category() == QChar::Other_Control)
            return QStringLiteral("ファイル名に使用できない文字が含まれています。\n\n"
                                  "ファイル名には次の文字と制御文字は使えません。\n"
                                  "/ \\ : * ? \" < > |");
    }
    return {};
}

} // namespace k5
