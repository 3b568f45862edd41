#pragma once
#include "export/foundation_schedule.h"

#include <QString>

#include <functional>

class QWidget;

namespace k5 {

struct AppContext;

// "DXF出力...", as the main window's ファイル menu and the results list run
// it: a save dialog proposing the job's name in the save folder, then the
// foundation schedule written there and a message saying how many
// foundations were drawn and which were left out and why.

// The sheet the schedule is packed onto and the scale it is drawn for.
struct DxfSheetChoice {
    dxfexport::SheetSize sheet = dxfexport::SheetSize::A1;
    double scale = 50;
};

// The sheet and scale chosen last in the dialog: offered again the next
// time, and used by the export that follows the dialog.
DxfSheetChoice& lastDxfSheetChoice();

// The save dialog, with the sheet size and scale under the file name: the
// path chosen (".dxf" added to a name without a suffix), empty when
// cancelled; the sheet and scale chosen go to lastDxfSheetChoice().
using ChooseDxfFile = std::function<QString(QWidget* parent, const QString& proposed)>;
QString dxfSaveDialog(QWidget* parent, const QString& proposed);

// Asks for the file through `choose` and writes the schedule of the job there.
void exportDxfWithDialog(AppContext& ctx, QWidget* parent, const ChooseDxfFile& choose);

} // namespace k5
