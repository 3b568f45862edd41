#include "shell/WindowRegistry.h"

#include "shell/MainWindow.h"
#include "shell/app_context.h"

#include <QWidget>
#include <map>

namespace k5 {
namespace {

using Factory = std::function<QWidget*(AppContext&)>;

// One line per window; keep the list sorted by name.
const std::map<QString, Factory>& factories() {
    static const std::map<QString, Factory> table{
        {QStringLiteral("frmメインメニュー"), [](AppContext& ctx) -> QWidget* { return new MainWindow(ctx); }},
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

QStringList registeredWindowNames() {
    QStringList names;
    for (const auto& [name, factory] : factories()) names << name;
    return names;
}

} // namespace k5
