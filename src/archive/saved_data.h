#pragma once
#include <QString>
#include <QStringList>

// The file work of the saved-data windows: listing, deleting, copying and
// moving archives between folders, and making a folder for them. Each
// operation says which files failed and why, so the windows can tell the
// user and show the folders as they really are afterwards.
namespace k5 {

// The archives of `folder` (".lzh" in any case), sorted by name.
QStringList archivesIn(const QString& folder);

// Whether two paths name the same folder (links and "." resolved).
bool isSameFolder(const QString& a, const QString& b);

// What became of a batch of files.
struct FileBatch {
    QStringList done;   // names that succeeded, in order
    QStringList failed; // "name（reason）" for each one that did not
    bool allDone() const { return failed.isEmpty(); }
};

// Deletes the named files of `folder`.
FileBatch deleteArchives(const QString& folder, const QStringList& names);

// Copies the named files from `from` to `to`, replacing files of the same
// name there. Each copy is written under a scratch name, compared with its
// source and only then renamed into place; when `move` is set the source
// is deleted after its copy is in place, never before.
FileBatch copyArchives(const QString& from, const QString& to, const QStringList& names, bool move);

// Makes the folder `answer` (trimmed) inside `parent`. Returns the message
// for the user when the name is refused or the folder cannot be made,
// empty on success. A blank, ".", "..", or a name with "/" is refused.
QString createSubfolder(const QString& parent, const QString& answer);

} // namespace k5
