#include "ui/archive/ArchiveFileDialogs.h"

#include "archive/archive_driver.h"

#include <QFileDialog>

namespace k5 {
namespace {

QString runDialog(QWidget* parent, const QString& title, const QString& folder, const QString& name,
                  bool save) {
    QFileDialog dialog(parent, title, folder);
    dialog.setObjectName(save ? QStringLiteral("dlg保存") : QStringLiteral("dlg読込"));
    // Qt's own dialog on every desktop: the filter below relies on its
    // pattern matching, and it looks the same wherever the program runs.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilter(archiveNameFilter());
    if (save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (!name.isEmpty()) dialog.selectFile(name);
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.selectedFiles().value(0);
}

} // namespace

QString archiveNameFilter() {
    // The caption stays as users know it; the pattern after it, which the
    // dialog hides, also takes archives named in capitals on Windows.
    return kArchiveFilterCaption + QStringLiteral(" (*.[lL][zZ][hH])");
}

QString chooseArchiveToOpen(QWidget* parent, const QString& folder, const QString& name) {
    return runDialog(parent, kOpenDialogTitle, folder, name, false);
}

QString chooseArchiveToSave(QWidget* parent, const QString& folder, const QString& name) {
    return runDialog(parent, kSaveDialogTitle, folder, name, true);
}

} // namespace k5
