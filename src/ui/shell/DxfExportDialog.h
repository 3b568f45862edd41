#pragma once
#include <QString>

#include <functional>

class QWidget;

namespace k5 {

struct AppContext;

// "DXF出力...", as the main window's ファイル menu and the results list run
// it: a save dialog proposing the job's name in the save folder, then the
// foundation schedule written there and a message saying how many
// foundations were drawn and which were left out and why.

// The save dialog: the path chosen (".dxf" added to a name without a
// suffix), empty when cancelled.
using ChooseDxfFile = std::function<QString(QWidget* parent, const QString& proposed)>;
QString dxfSaveDialog(QWidget* parent, const QString& proposed);

// Asks for the file through `choose` and writes the schedule of the job there.
void exportDxfWithDialog(AppContext& ctx, QWidget* parent, const ChooseDxfFile& choose);

} // namespace k5
