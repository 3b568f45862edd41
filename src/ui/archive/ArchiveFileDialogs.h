#pragma once
#include <QString>

class QWidget;

namespace k5 {

// The file dialogs of the archive commands: the archive filter (".lzh" in
// any case of letters), titled as the commands are. Each returns the path
// chosen, empty when cancelled.
QString chooseArchiveToOpen(QWidget* parent, const QString& folder, const QString& name);
// The program asks its own question before an archive is replaced, so the
// dialog does not.
QString chooseArchiveToSave(QWidget* parent, const QString& folder, const QString& name);

// The dialogs' filter: shown as "圧縮ﾌｧｲﾙ(*.lzh)", matching ".LZH" too.
QString archiveNameFilter();

} // namespace k5
