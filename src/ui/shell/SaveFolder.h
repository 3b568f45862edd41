#pragma once
#include <QString>

namespace k5 {

struct Folders;

// Where the save dialogs of the program's outputs (the results list's CSV,
// the DXF schedule) start: in the folder a file was last saved to, kept
// between runs, at first in the user's home; never in the program's folder.
QString saveDialogPath(const Folders& folders, const QString& fileName);
// Remembers the folder of a path the user chose in a save dialog.
void rememberSaveFolder(const Folders& folders, const QString& chosenPath);

} // namespace k5
