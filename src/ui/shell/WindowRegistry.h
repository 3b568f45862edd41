#pragma once
#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace k5 {

struct AppContext;
struct EditRequest;

// Opens one window by its objectName without going through the main window:
// `kamo-k5 --window NAME`, for screenshots, tests and quick checks.
// Returns the window (already shown modeless) or nullptr for an unknown name.
QWidget* openWindowByName(AppContext& ctx, const QString& name);
QStringList registeredWindowNames();
bool isWindowRegistered(const QString& name);
// Opens one window by name modally over `parent` and returns when it has
// closed: a dialog runs its exec(), any other window is shown application-modal
// and waited for. Returns false for an unknown name.
bool execWindowByName(AppContext& ctx, const QString& name, QWidget* parent);

// Whether the input window of a foundation type exists yet.
bool hasInputWindow(int foundationType);
// Opens the input window of the request's foundation type modally for that
// request and returns when it has closed; false when there is none.
bool execInputWindow(AppContext& ctx, const EditRequest& request, QWidget* parent);

// Whether the input window of a foundation type exists yet.
bool hasInputWindow(int foundationType);
// Opens the input window of the request's foundation type modally for that
// request and returns when it has closed; false when there is none.
bool execInputWindow(AppContext& ctx, const EditRequest& request, QWidget* parent);

} // namespace k5
