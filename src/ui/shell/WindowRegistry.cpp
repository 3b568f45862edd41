#include "ui/shell/WindowRegistry.h"

#include "shell/app_context.h"
#include "ui/archive/SavedDataWindows.h"
#include "ui/gridedit/KeyActionWindow.h"
#include "ui/import/GroupNameDialog.h"
#include "ui/import/ImportReviewWindow.h"
#include "ui/input/CommonValuesWindow.h"
#include "ui/input/IsolatedFootingWindow.h"
#include "ui/input/PileCapWindow.h"
#include "ui/masters/BarSizeMasterWindow.h"
#include "ui/masters/ConcreteStrengthWindow.h"
#include "ui/masters/FontSetWindow.h"
#include "ui/masters/GradeMasterWindow.h"
#include "ui/report/PreviewWindow.h"
#include "ui/shell/CancelSettingWindow.h"
#include "ui/shell/FoundationTypeWindow.h"
#include "ui/shell/JobWindow.h"
#include "ui/shell/MainWindow.h"
#include "ui/shell/ResultsListWindow.h"
#include "ui/sizing/JobSizingWindow.h"

#include <QDialog>
#include <QEventLoop>
#include <QWidget>
#include <map>

namespace k5 {
namespace {

using Factory = std::function<QWidget*(AppContext&)>;
using InputFactory = std::function<QDialog*(AppContext&, const EditRequest&)>;

// Opened by name alone, an input window takes a new record of its type.
EditRequest newRecordRequest(const AppContext& ctx, int type) {
    return {EditMode::NewRecord, ctx.job.recordCount + 1, type};
}

// The input window of each foundation type.
const std::map<int, InputFactory>& inputFactories() {
    static const std::map<int, InputFactory> table{
        {kTypeIsolated,
         [](AppContext& ctx, const EditRequest& request) -> QDialog* {
             return new IsolatedFootingWindow(ctx, request);
         }},
        {kTypePileCap,
         [](AppContext& ctx, const EditRequest& request) -> QDialog* {
             return new PileCapWindow(ctx, request);
         }},
    };
    return table;
}

// One line per window; keep the list sorted by name.
const std::map<QString, Factory>& factories() {
    static const std::map<QString, Factory> table{
        {QStringLiteral("frm00設計共通値"),
         [](AppContext& ctx) -> QWidget* { return new CommonValuesWindow(ctx); }},
        {QStringLiteral("frm01独立基礎"),
         [](AppContext& ctx) -> QWidget* {
             return new IsolatedFootingWindow(ctx, newRecordRequest(ctx, kTypeIsolated));
         }},
        {QStringLiteral("frm03杭基礎VUP02"),
         [](AppContext& ctx) -> QWidget* {
             return new PileCapWindow(ctx, newRecordRequest(ctx, kTypePileCap));
         }},
        {QStringLiteral("frmPreview"), [](AppContext& ctx) -> QWidget* { return new PreviewWindow(ctx); }},
        {QStringLiteral("frmRX2基礎名の入力"),
         [](AppContext& ctx) -> QWidget* { return new GroupNameDialog(ctx); }},
        {QStringLiteral("frmRX2読込データ"),
         [](AppContext& ctx) -> QWidget* { return new ImportReviewWindow(ctx); }},
        {QStringLiteral("frm寸法提案全基礎"),
         [](AppContext& ctx) -> QWidget* { return new JobSizingWindow(ctx); }},
        {QStringLiteral("frmキャンセル時指定"),
         [](AppContext& ctx) -> QWidget* { return new CancelSettingWindow(ctx); }},
        {QStringLiteral("frmキーアクション設定"),
         [](AppContext& ctx) -> QWidget* { return new KeyActionWindow(ctx); }},
        {QStringLiteral("frmコンクリート強度"),
         [](AppContext& ctx) -> QWidget* { return new ConcreteStrengthWindow(ctx); }},
        {QStringLiteral("frmフォントセット"),
         [](AppContext& ctx) -> QWidget* { return new FontSetWindow(ctx); }},
        {QStringLiteral("frmメインメニュー"),
         [](AppContext& ctx) -> QWidget* { return new MainWindow(ctx); }},
        {QStringLiteral("frm保存データ削除"),
         [](AppContext& ctx) -> QWidget* { return new SavedDataDeleteWindow(ctx); }},
        {QStringLiteral("frm保存データ移動"),
         [](AppContext& ctx) -> QWidget* { return new SavedDataMoveWindow(ctx); }},
        {QStringLiteral("frm新規作成"), [](AppContext& ctx) -> QWidget* { return new JobWindow(ctx); }},
        {QStringLiteral("frm新規基礎タイプ指定"),
         [](AppContext& ctx) -> QWidget* { return new FoundationTypeWindow(ctx); }},
        {QStringLiteral("frm計算結果一覧"),
         [](AppContext& ctx) -> QWidget* { return new ResultsListWindow(ctx); }},
        {QStringLiteral("frm鉄筋サイズマスター"),
         [](AppContext& ctx) -> QWidget* { return new BarSizeMasterWindow(ctx); }},
        {QStringLiteral("frm鉄筋材種強度マスター"),
         [](AppContext& ctx) -> QWidget* { return new GradeMasterWindow(ctx); }},
    };
    return table;
}

} // namespace

QWidget* openWindowByName(AppContext& ctx, const QString& name) {
    auto it = factories().find(name);
    if (it == factories().end()) return nullptr;
    QWidget* window = it->second(ctx);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    return window;
}

bool isWindowRegistered(const QString& name) {
    return factories().count(name) > 0;
}

bool execWindowByName(AppContext& ctx, const QString& name, QWidget* parent) {
    auto it = factories().find(name);
    if (it == factories().end()) return false;
    QWidget* window = it->second(ctx);
    if (auto* dialog = qobject_cast<QDialog*>(window)) {
        if (parent) dialog->setParent(parent, dialog->windowFlags() | Qt::Dialog);
        dialog->exec();
        delete dialog;
        return true;
    }
    QEventLoop loop;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowModality(Qt::ApplicationModal);
    QObject::connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
    window->show();
    loop.exec();
    return true;
}

bool hasInputWindow(int foundationType) {
    return inputFactories().count(foundationType) > 0;
}

bool execInputWindow(AppContext& ctx, const EditRequest& request, QWidget* parent) {
    auto it = inputFactories().find(request.foundationType);
    if (it == inputFactories().end()) return false;
    QDialog* dialog = it->second(ctx, request);
    if (parent) dialog->setParent(parent, dialog->windowFlags() | Qt::Dialog);
    dialog->exec();
    delete dialog;
    return true;
}

QStringList registeredWindowNames() {
    QStringList names;
    for (const auto& [name, factory] : factories())
        names << name;
    return names;
}

} // namespace k5
