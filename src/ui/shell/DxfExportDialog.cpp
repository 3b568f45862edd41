#include "ui/shell/DxfExportDialog.h"

#include "shell/app_context.h"
#include "shell/schedule_export_command.h"

#include <QFileDialog>
#include <QFileInfo>

namespace k5 {

QString dxfSaveDialog(QWidget* parent, const QString& proposed) {
    QString path = QFileDialog::getSaveFileName(parent, QStringLiteral("DXF出力"), proposed,
                                                QStringLiteral("DXF (*.dxf)"), nullptr,
                                                QFileDialog::DontUseNativeDialog);
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".dxf");
    return path;
}

void exportDxfWithDialog(AppContext& ctx, QWidget* parent, const ChooseDxfFile& choose) {
    const QString path = choose(parent, proposedDxfPath(ctx));
    if (path.isEmpty()) return;
    ctx.ask().report(exportScheduleCommand(ctx, path));
}

} // namespace k5
