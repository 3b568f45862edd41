#include "ui/shell/SaveFolder.h"

#include "shell/window_settings.h"

#include <QDir>
#include <QFileInfo>

namespace k5 {

QString saveDialogPath(const Folders& folders, const QString& fileName) {
    // A folder removed since starts the dialog at home again.
    QString folder = readLastSaveFolder(folders);
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) folder = QDir::homePath();
    return QDir(folder).filePath(fileName);
}

void rememberSaveFolder(const Folders& folders, const QString& chosenPath) {
    if (!chosenPath.isEmpty()) saveLastSaveFolder(folders, QFileInfo(chosenPath).absolutePath());
}

} // namespace k5
