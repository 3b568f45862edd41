#include "shell/cancel_confirmation.h"

#include "gridedit/key_actions.h"
#include "jobdata/control_file.h"
#include "shell/app_context.h"

namespace k5 {

bool confirmCancel(AppContext& ctx) {
    if (ctx.control.cancelConfirm != 1) return true;
    return ctx.ask().askYesNo(QStringLiteral("ここでの修正内容は記録されないで終了します。\n\n"
                                             "このままキャンセルを実行してもいいですか？\n"),
                              Icon::Warning, QStringLiteral("警告"));
}

int loadCancelConfirm(AppContext& ctx) {
    loadControlFile(ctx);
    loadKeyActions(ctx);
    return ctx.control.cancelConfirm;
}

void saveCancelConfirm(AppContext& ctx, int value) {
    loadControlFile(ctx);
    ctx.control.cancelConfirm = value;
    saveControlFile(ctx);
    loadKeyActions(ctx);
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
