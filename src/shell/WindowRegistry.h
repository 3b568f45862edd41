#pragma once
#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace k5 {

struct AppContext;

// Opens one window by its objectName without going through the main window:
// `kamo-k5 --window NAME`, for screenshots, tests and quick checks.
// Returns the window (already shown modeless) or nullptr for an unknown name.
QWidget* openWindowByName(AppContext& ctx, const QString& name);
QStringList registeredWindowNames();

} // namespace k5
