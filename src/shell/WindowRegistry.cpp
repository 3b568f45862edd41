#include "shell/WindowRegistry.h"

#include "gridedit/KeyActionWindow.h"
#include "input/CommonValuesWindow.h"
#include "input/IsolatedFootingWindow.h"
#include "masters/BarSizeMasterWindow.h"
#include "masters/ConcreteStrengthWindow.h"
#include "masters/FontSetWindow.h"
#include "masters/GradeMasterWindow.h"
#include "shell/CancelSettingWindow.h"
#include "shell/FoundationTypeWindow.h"
#include "shell/JobWindow.h"
#include "shell/MainWindow.h"
#include "shell/app_context.h"

#include <QDialog>
#include <QEventLoop>
#include <QWidget>
#include <map>

namespace k5 {
namespace {

using Factory = std::function<QWidget*(AppContext&)>;

// One line per window; keep the list sorted by name.
const std::map<QString, Factory>& factories() {
    static const std::map<QString, Factory> table{
        {QStringLiteral("frm00設計共通値"),
         [](AppContext& ctx) -> QWidget* { return new CommonValuesWindow(ctx); }},
        {QStringLiteral("frm01独立基礎"),
         [](AppContext& ctx) -> QWidget* { return new IsolatedFootingWindow(ctx); }},
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
        {QStringLiteral("frm新規作成"), [](AppContext& ctx) -> QWidget* { return new JobWindow(ctx); }},
        {QStringLiteral("frm新規基礎タイプ指定"),
         [](AppContext& ctx) -> QWidget* { return new FoundationTypeWindow(ctx); }},
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

QStringList registeredWindowNames() {
    QStringList names;
    for (const auto& [name, factory] : factories())
        names << name;
    return names;
}

} // namespace k5
