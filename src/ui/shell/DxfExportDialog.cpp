#include "ui/shell/DxfExportDialog.h"

#include "shell/app_context.h"
#include "shell/schedule_export_command.h"
#include "ui/shell/SaveFolder.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

namespace k5 {

DxfSheetChoice& lastDxfSheetChoice() {
    static DxfSheetChoice choice;
    return choice;
}

QString dxfSaveDialog(QWidget* parent, const QString& proposed) {
    DxfSheetChoice& sheet = lastDxfSheetChoice();
    QFileDialog dialog(parent, QStringLiteral("DXF出力"), proposed, QStringLiteral("DXF (*.dxf)"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.selectFile(proposed);
    // The sheet and the scale, as one more row under the file name.
    auto* sheets = new QComboBox(&dialog);
    sheets->setObjectName(QStringLiteral("Combo_sheet"));
    sheets->addItems({QStringLiteral("A1"), QStringLiteral("A2"), QStringLiteral("A3")});
    sheets->setCurrentIndex(static_cast<int>(sheet.sheet));
    auto* scales = new QComboBox(&dialog);
    scales->setObjectName(QStringLiteral("Combo_scale"));
    scales->addItems({QStringLiteral("1/50"), QStringLiteral("1/100")});
    scales->setCurrentIndex(sheet.scale == 100 ? 1 : 0);
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
        const int row = grid->rowCount();
        auto* choices = new QHBoxLayout;
        choices->addWidget(sheets);
        choices->addWidget(new QLabel(QStringLiteral("縮尺"), &dialog));
        choices->addWidget(scales);
        choices->addStretch();
        grid->addWidget(new QLabel(QStringLiteral("用紙"), &dialog), row, 0);
        grid->addLayout(choices, row, 1);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    sheet.sheet = static_cast<dxfexport::SheetSize>(sheets->currentIndex());
    sheet.scale = scales->currentIndex() == 1 ? 100 : 50;
    QString path = dialog.selectedFiles().first();
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".dxf");
    return path;
}

void exportDxfWithDialog(AppContext& ctx, QWidget* parent, const ChooseDxfFile& choose) {
    const QString path =
        choose(parent, saveDialogPath(ctx.folders, QFileInfo(proposedDxfPath(ctx)).fileName()));
    const DxfSheetChoice& sheet = lastDxfSheetChoice();
    if (path.isEmpty()) return;
    rememberSaveFolder(ctx.folders, path);
    dxfexport::ScheduleOptions options;
    options.sheet = sheet.sheet;
    options.plotScale = sheet.scale;
    ctx.ask().report(exportScheduleCommand(ctx, path, options));
}

} // namespace k5
